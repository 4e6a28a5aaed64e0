// The task-tray icon: its tip, its menus and the way back to a hidden
// launcher; and every way out of the launcher saving the same files.
#include "launcher/Fixture.h"

#include <shellapi.h>

namespace vornish::e2e {
namespace {

class TrayTest : public PlacedLauncherTest {
 protected:
  static HWND TrayWindow() { return FindWindowW(nullptr, L"Wine System Tray"); }
  static std::vector<std::wstring> TrayTips() {
    std::vector<std::wstring> tips;
    if (const HWND tray = TrayWindow()) {
      for (const ToolTipText& t : ReadTooltipTexts(tray)) tips.push_back(t.text);
    }
    return tips;
  }
  // Under Wine the tray window takes the foreground for itself after a press,
  // and now and then that closes a menu the moment it opens: try again then.
  static HWND OpenTrayMenu(LauncherProcess& launcher) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      RightClickAt(*HoverTrayIcon());
      if (const HWND menu = OpenMenu(launcher, 1s)) return menu;
    }
    return nullptr;
  }
  static void HideWithTheControlMenu(LauncherProcess& launcher) {
    RightClickAt(CentreOf(launcher.FindChildren(kControlBarClass).at(0)));
    ASSERT_NE(OpenMenu(launcher), nullptr);
    PressKey('N');
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(launcher.MainWindow()); }));
  }
};

TEST_F(TrayTest, TipNamesADataFileOfItsOwn) {
  {
    LauncherProcess launcher(dir.Path());
    ASSERT_NE(StartAndWait(launcher), nullptr);
    EXPECT_TRUE(WaitUntil([] { return TrayTips() == std::vector<std::wstring>{L"Vornish"}; }));
    CloseAndWait(launcher);
  }
  WriteBytes(dir / L"TOOLS.DAT", std::string(kHeader));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher, (dir / L"TOOLS.DAT").wstring()), nullptr);
  EXPECT_TRUE(WaitUntil([] { return TrayTips() == std::vector<std::wstring>{L"Vornish [TOOLS.DAT]"}; }));
  CloseAndWait(launcher);
  EXPECT_TRUE(WaitUntil([] { return TrayTips().empty(); })) << "removed at exit";
}

TEST_F(TrayTest, LeftPressOpensTheButtonMenuEvenWhileHidden) {
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  HideWithTheControlMenu(launcher);
  const auto icon = HoverTrayIcon();
  ASSERT_TRUE(icon.has_value());
  ClickAt(*icon);
  ASSERT_NE(OpenMenu(launcher), nullptr) << "after the double-click time has passed";
  PressKey('T');  // "ﾎﾞﾀﾝ追加(&T)" runs on the next tick, hidden or not
  EXPECT_TRUE(WaitUntil([&] { return Buttons(launcher).size() == 2u; }));
  EXPECT_FALSE(IsWindowVisible(launcher.MainWindow()));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + kEmptyButtonLine + kEmptyButtonLine);
}

TEST_F(TrayTest, TrayMenuShowsTheLauncher) {
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  HideWithTheControlMenu(launcher);
  ASSERT_NE(OpenTrayMenu(launcher), nullptr);
  PressKey('D');  // "ﾗﾝﾁｬｰ表示(&D)"
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(launcher.MainWindow()) != FALSE; }));
  CloseAndWait(launcher);
}

TEST_F(TrayTest, IconComesBackWhenTheTaskBarRestarts) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([] { return TrayTips().size() == 1u; }));
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof gone;
  gone.hWnd = main;
  gone.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));  // as a crashed task bar loses it
  ASSERT_TRUE(WaitUntil([] { return TrayTips().empty(); }));
  PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([] { return TrayTips().size() == 1u; }));
  CloseAndWait(launcher);
}

// Every way out runs the same unload step and leaves the same files.
class ExitPathTest : public TrayTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExitPathTest, SavesTheSameFiles) {
  SetSetting(L"Set", L"ControlDblClick", L"2");
  const std::string file = std::string(kHeader) +
                           Line({"A", "C:\\a.exe", "", "", "1", "", "0", "0", "255", "3", "0"}) + kEmptyButtonLine;
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const HWND bar = launcher.FindChildren(kControlBarClass).at(0);
  switch (GetParam()) {
    case 0:  // the button menu's "終了(&X)"
      RightClickAt(CentreOf(Buttons(launcher).at(1)));
      ASSERT_NE(OpenMenu(launcher), nullptr);
      PressKey('X');
      break;
    case 1:  // the control menu's "終了(&X)"
      RightClickAt(CentreOf(bar));
      ASSERT_NE(OpenMenu(launcher), nullptr);
      PressKey('X');
      break;
    case 2:  // the tray menu's "終了(&X)"
      ASSERT_NE(OpenTrayMenu(launcher), nullptr);
      PressKey('X');
      break;
    default:  // a double-click on the control bar
      ClickAt(CentreOf(bar));
      ClickAt(CentreOf(bar));
      break;
  }
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadBytes(DataFile()), file);
  auto expected = DefaultSetSection();
  expected[L"ControlDblClick"] = L"2";
  EXPECT_EQ(ListSettings(L"Set"), expected);
  EXPECT_EQ(ListSettings(L"Window"),
            (std::map<std::wstring, std::wstring>{{L"MainLeft", kLeftTwips}, {L"MainTop", kTopTwips}}));
  EXPECT_TRUE(WaitUntil([] { return TrayTips().empty(); }));
}

INSTANTIATE_TEST_SUITE_P(FourWays, ExitPathTest, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace vornish::e2e
