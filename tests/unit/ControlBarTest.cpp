#include "window/ControlBar.h"

#include <gtest/gtest.h>

#include "window/TrayIcon.h"

namespace vornish {
namespace {

TEST(Gradient, TopRowFullColourBottomRowBlackForAllSix) {
  const std::pair<OleColor, std::uint32_t> colours[] = {
      {kGradientBlue, 0xFF0000},   {kGradientRed, 0x0000FF},  {kGradientGreen, 0x00FF00},
      {kGradientYellow, 0x00FFFF}, {kGradientCyan, 0xFFFF00}, {kGradientPurple, 0xFF00FF},
  };
  for (const auto& [colour, top] : colours) {
    const std::vector<std::uint32_t> rows = GradientRows(colour, 510, 34);
    ASSERT_EQ(rows.size(), 34u);
    EXPECT_EQ(rows.front(), top);
    EXPECT_EQ(rows.back(), 0u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i] & ~colour, 0u) << "only the colour's own components";
      EXPECT_LE(rows[i] & 0xFF0000, rows[i - 1] & 0xFF0000) << "darker downwards";
    }
  }
}

TEST(Gradient, BandsFollowTheSinglePrecisionStepRoundingTiesToEven) {
  // 510 twips: the step is -0.5, so band 1 is 254.5 (rounds to 254) and
  // band 3 is 253.5 (rounds to 254).
  const std::vector<std::uint32_t> rows = GradientRows(kGradientRed, 510, 511);
  ASSERT_EQ(rows.size(), 511u);
  EXPECT_EQ(rows[0], 255u);
  EXPECT_EQ(rows[1], 254u);
  EXPECT_EQ(rows[2], 254u);
  EXPECT_EQ(rows[3], 254u);
  EXPECT_EQ(rows[4], 253u);
  EXPECT_EQ(rows[255], 128u);  // 127.5 rounds to 128
  EXPECT_EQ(rows[257], 126u);  // 126.5 rounds to 126
  EXPECT_EQ(rows[510], 0u);
}

TEST(Gradient, RowsBetweenTakeTheBandAtTheirShareOfTheHeight) {
  const std::vector<std::uint32_t> rows = GradientRows(kGradientGreen, 90, 6);  // a 6-pixel bar
  // Bands 0, 18, 36, 54, 72, 90 with a step of -255/90.
  EXPECT_EQ(rows, (std::vector<std::uint32_t>{0x00FF00, 0x00CC00, 0x009900, 0x006600, 0x003300, 0x000000}));
}

TEST(Gradient, OtherColoursPaintNothing) {
  EXPECT_TRUE(GradientRows(0, 510, 34).empty()) << "0 is the system's caption colours, not a gradient";
  EXPECT_TRUE(GradientRows(0x123456, 510, 34).empty());
  EXPECT_TRUE(GradientRows(0xFFFFFF, 510, 34).empty());
  EXPECT_TRUE(GradientRows(kGradientBlue, 510, 0).empty());
  EXPECT_EQ(GradientRows(kGradientBlue, 0, 1), (std::vector<std::uint32_t>{0xFF0000}));
}

TEST(ControlBar, TipsAndDoubleClickActions) {
  EXPECT_EQ(ControlBarTip(0), L"ﾗﾝﾁｬｰ非表示");
  EXPECT_EQ(ControlBarTip(1), L"ﾗﾝﾁｬｰ設定");
  EXPECT_EQ(ControlBarTip(2), L"終了");
  EXPECT_FALSE(ControlBarTip(3).has_value());
  EXPECT_EQ(BarDoubleClickAction(0), BarDoubleClick::Hide);
  EXPECT_EQ(BarDoubleClickAction(1), BarDoubleClick::Settings);
  EXPECT_EQ(BarDoubleClickAction(2), BarDoubleClick::Exit);
  EXPECT_EQ(BarDoubleClickAction(-1), BarDoubleClick::Nothing);
}

TEST(TrayIcon, TipNamesAnotherDataFile) {
  EXPECT_EQ(TrayTip(L"C:\\Apps\\Vornish\\VRN.dat", L"C:\\Apps\\Vornish"), L"Vornish");
  EXPECT_EQ(TrayTip(L"E:\\VRN.dat", L"E:\\"), L"Vornish");
  EXPECT_EQ(TrayTip(L"D:\\LAUNCH\\TOOLS.DAT", L"C:\\Apps\\Vornish"), L"Vornish [TOOLS.DAT]");
  EXPECT_EQ(TrayTip(L"C:\\APPS\\VORNISH\\VRN.DAT", L"C:\\Apps\\Vornish"), L"Vornish [VRN.DAT]")
      << "the comparison is exact, letter case included";
}

TEST(TrayIcon, OnlyThreeMouseMessagesAct) {
  EXPECT_EQ(TrayActionFor(0x201), TrayAction::ButtonMenu);
  EXPECT_EQ(TrayActionFor(0x203), TrayAction::Show);
  EXPECT_EQ(TrayActionFor(0x204), TrayAction::TrayMenu);
  for (std::uint32_t other : {0x200u, 0x202u, 0x205u, 0x206u, 0x207u, 0u}) {
    EXPECT_EQ(TrayActionFor(other), TrayAction::Nothing);
  }
}

}  // namespace
}  // namespace vornish
