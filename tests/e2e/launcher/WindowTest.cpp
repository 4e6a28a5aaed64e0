// The main window's place and size, and the settings that survive a run.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using WindowTest = LauncherTest;

TEST_F(WindowTest, WindowIsSizedAroundItsButtons) {
  WriteBytes(DataFile(), std::string(kHeader) + kEmptyButtonLine + kEmptyButtonLine + kEmptyButtonLine +
                             kEmptyButtonLine + kEmptyButtonLine);
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT r = ScreenRectOf(main);
  EXPECT_EQ(r.right - r.left, 185) << "2775 twips";
  EXPECT_EQ(r.bottom - r.top, 42) << "630 twips";
  const std::vector<HWND> buttons = Buttons(launcher);
  ASSERT_EQ(buttons.size(), 5u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const RECT b = RectInParent(buttons[i]);
    EXPECT_EQ(b.left, 10 + 34 * static_cast<int>(i));
    EXPECT_EQ(b.top, 4);
    EXPECT_EQ(b.right - b.left, 34);
    EXPECT_EQ(b.bottom - b.top, 34);
  }
  CloseAndWait(launcher);
}

TEST_F(WindowTest, SavedPositionIsRestored) {
  SetSetting(L"Window", L"MainLeft", L"1500");
  SetSetting(L"Window", L"MainTop", L"3000");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT r = ScreenRectOf(main);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 200);
  // Moved by the user, the new place is kept.
  SetWindowPos(main, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CloseAndWait(launcher);
  EXPECT_EQ(GetSetting(L"Window", L"MainLeft"), L"4500");
  EXPECT_EQ(GetSetting(L"Window", L"MainTop"), L"2250");
}

TEST_F(WindowTest, PositionOffTheScreenIsPulledBack) {
  SetSetting(L"Window", L"MainLeft", L"999999");
  SetSetting(L"Window", L"MainTop", L"-45");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT r = ScreenRectOf(main);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN)) << "ends at the right edge";
  EXPECT_EQ(r.top, 0);
  CloseAndWait(launcher);
  EXPECT_EQ(GetSetting(L"Window", L"MainLeft"), std::to_wstring((GetSystemMetrics(SM_CXSCREEN) - 49) * 15));
}

TEST_F(WindowTest, MinimisedAtExitKeepsTheStoredPosition) {
  SetSetting(L"Window", L"MainLeft", L"300");
  SetSetting(L"Window", L"MainTop", L"450");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));
  CloseAndWait(launcher);
  EXPECT_EQ(GetSetting(L"Window", L"MainLeft"), L"300");
  EXPECT_EQ(GetSetting(L"Window", L"MainTop"), L"450");
  EXPECT_EQ(GetSetting(L"Set", L"Size"), L"32") << "the settings are still saved";
}

TEST_F(WindowTest, UnusableStoredSettingsFallBackToDefaults) {
  SetSetting(L"Set", L"Size", L"abc");
  SetSetting(L"Set", L"ColorChange", L"maybe");
  SetSetting(L"Set", L"DefColor", L"99999999999");
  SetSetting(L"Set", L"Orient", L"1");
  SetSetting(L"Window", L"MainLeft", L"left");
  SetSetting(L"Set", L"StartTips", L"0");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT r = ScreenRectOf(main);
  EXPECT_EQ(r.right - r.left, 42) << "a column of one 32-pixel button";
  EXPECT_EQ(r.left, 0);
  CloseAndWait(launcher);
  auto expected = DefaultSetSection();
  expected[L"Orient"] = L"1";
  std::map<std::wstring, std::wstring> written = ListSettings(L"Set");
  written.erase(L"StartTips");
  EXPECT_EQ(written, expected);
  EXPECT_EQ(GetSetting(L"Set", L"StartTips"), L"0") << "left to the tips window";
}

}  // namespace
}  // namespace vornish::e2e
