#include "core/Utf8.h"

#include <gtest/gtest.h>

namespace vornish {
namespace {

TEST(Utf8, RoundTripThroughBothWideForms) {
  const std::string utf8 = "A\xC3\xA9\xE3\x83\xA1\xED\x95\x9C\xF0\x9F\x98\x80";  // A é メ 한 😀
  const std::wstring wide = FromUtf8(utf8);
  EXPECT_EQ(ToUtf8(wide), utf8);
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  ASSERT_EQ(utf16.size(), 6u) << "the emoji takes a surrogate pair";
  EXPECT_EQ(utf16[4], 0xD83D);
  EXPECT_EQ(utf16[5], 0xDE00);
  EXPECT_EQ(ToUtf8(utf16), utf8);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF" "b"), L"a\xFFFD" L"b");
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\xFFFD\xFFFD") << "overlong form";
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\xFFFD\xFFFD\xFFFD") << "encoded surrogate";
  EXPECT_EQ(FromUtf8("\xE3\x83"), L"\xFFFD\xFFFD") << "truncated sequence";
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD") << "lone surrogate";
}

TEST(Utf8, ByteOrderMark) {
  EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBFx"));
  EXPECT_FALSE(StartsWithUtf8Bom("\xEF\xBB"));
  EXPECT_FALSE(StartsWithUtf8Bom("[Vornish"));
}

}  // namespace
}  // namespace vornish
