#include "core/Numbers.h"

#include <gtest/gtest.h>

#include "core/Text.h"

namespace vornish {
namespace {

TEST(Numbers, DecimalText) {
  EXPECT_EQ(ParseDecimal(L"0"), 0);
  EXPECT_EQ(ParseDecimal(L"-2147483633"), -2147483633LL);
  EXPECT_EQ(ParseDecimal(L"  +42 "), 42);
  EXPECT_EQ(ParseDecimal(L"\t7\t"), 7);
  EXPECT_EQ(ParseDecimal(L"007"), 7);
  EXPECT_EQ(ParseDecimal(L".5"), 0);
  EXPECT_EQ(ParseDecimal(L"5."), 5);
  for (const wchar_t* bad : {L"", L" ", L"-", L"+", L"abc", L"12a", L"1 2", L"1.2.3", L"0x10", L"１２",
                             L"99999999999999999999", L"1e3"}) {
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << std::wstring(bad).size();
  }
}

TEST(Numbers, FractionsRoundHalfToEven) {
  EXPECT_EQ(ParseDecimal(L"0.5"), 0);
  EXPECT_EQ(ParseDecimal(L"1.5"), 2);
  EXPECT_EQ(ParseDecimal(L"2.5"), 2);
  EXPECT_EQ(ParseDecimal(L"2.50001"), 3);
  EXPECT_EQ(ParseDecimal(L"2.49999"), 2);
  EXPECT_EQ(ParseDecimal(L"-2.5"), -2);
  EXPECT_EQ(ParseDecimal(L"-3.5"), -4);
  EXPECT_EQ(ParseDecimal(L"-0.4"), 0);
}

TEST(Numbers, Int32Range) {
  EXPECT_EQ(ParseInt32(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32(L"-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_FALSE(ParseInt32(L"2147483648"));
  EXPECT_FALSE(ParseInt32(L"-2147483649"));
}

TEST(Numbers, ColoursInSignedAndUnsignedForm) {
  EXPECT_EQ(ParseColour(L"-2147483633"), 0x8000000Fu);
  EXPECT_EQ(ParseColour(L"2147483663"), 0x8000000Fu);
  EXPECT_EQ(ParseColour(L"16711680"), 0xFF0000u);
  EXPECT_EQ(ParseColour(L"4294967295"), 0xFFFFFFFFu);
  EXPECT_FALSE(ParseColour(L"4294967296"));
  EXPECT_FALSE(ParseColour(L"-2147483649"));
}

TEST(Numbers, Booleans) {
  EXPECT_EQ(ParseBool(L"True"), true);
  EXPECT_EQ(ParseBool(L"FALSE"), false);
  EXPECT_EQ(ParseBool(L" true "), true);
  EXPECT_EQ(ParseBool(L"0"), false);
  EXPECT_EQ(ParseBool(L"1"), true);
  EXPECT_EQ(ParseBool(L"-1"), true);
  EXPECT_EQ(ParseBool(L"2"), true);
  EXPECT_FALSE(ParseBool(L"yes"));
  EXPECT_FALSE(ParseBool(L""));
}

TEST(Numbers, DecimalFormatting) {
  EXPECT_EQ(ToDecimal(0), L"0");
  EXPECT_EQ(ToDecimal(-2147483633), L"-2147483633");
  EXPECT_EQ(ToDecimal(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
  EXPECT_EQ(ToDecimal(2147483647), L"2147483647");
}

}  // namespace
}  // namespace vornish
