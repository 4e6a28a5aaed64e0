// The control bar: its colours follow activation, it moves the window, and
// its double-click and menu act as configured.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

class ControlBarTest : public PlacedLauncherTest {
 protected:
  static HWND Bar(LauncherProcess& launcher) { return launcher.FindChildren(kControlBarClass).at(0); }
  static void DoubleClickAt(POINT p) {
    ClickAt(p);
    ClickAt(p);
  }
};

TEST_F(ControlBarTest, BlueGradientWhileActiveInactiveColourOtherwise) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ActivateWindow(main));
  const HWND bar = Bar(launcher);
  RECT r{};
  GetClientRect(bar, &r);
  ASSERT_EQ(r.bottom, 34);
  ASSERT_TRUE(WaitUntil([&] { return WindowPixel(bar, 2, 0) == RGB(0, 0, 255); })) << "top row pure blue";
  for (int x = 0; x < r.right; ++x) EXPECT_EQ(WindowPixel(bar, x, 0), RGB(0, 0, 255));
  for (int x = 0; x < r.right; ++x) EXPECT_EQ(WindowPixel(bar, x, r.bottom - 1), RGB(0, 0, 0)) << "bottom row black";

  // Another program comes to the front: the bar turns the inactive colour.
  Process other = Process::Start(ProgramFolder() / L"minimal.exe");
  const HWND otherWindow = WaitFor([&] {
    const auto windows = FindWindowsOfClass(other.Id(), L"Vornish.E2EMinimal");
    return windows.empty() ? HWND{} : windows.front();
  });
  ASSERT_NE(otherWindow, nullptr);
  ASSERT_TRUE(ActivateWindow(otherWindow));
  EXPECT_TRUE(WaitUntil([&] { return WindowPixel(bar, 2, 0) == GetSysColor(COLOR_INACTIVECAPTION); }));
  EXPECT_EQ(WindowPixel(bar, 2, r.bottom - 1), GetSysColor(COLOR_INACTIVECAPTION));
  other.Kill();
  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, SystemCaptionColourWhenNoGradientIsChosen) {
  SetSetting(L"Set", L"ControlColor", L"0");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ActivateWindow(main));
  EXPECT_TRUE(WaitUntil([&] { return WindowPixel(Bar(launcher), 2, 20) == GetSysColor(COLOR_ACTIVECAPTION); }));
  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, DraggingTheBarMovesTheWindowOnlyBeyondFiftyTwips) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT start = ScreenRectOf(main);
  const POINT grip = CentreOf(Bar(launcher));
  // Three pixels are 45 twips: the press stays a press.
  DragAndRelease(grip, POINT{grip.x + 3, grip.y}, 3);
  Sleep(200);
  EXPECT_EQ(ScreenRectOf(main).left, start.left);
  // Four pixels are 60 twips: the system moves the window with the pointer.
  // (After the double-click time, so that this press is no double-click.)
  Sleep(GetDoubleClickTime() + 100);
  DragAndRelease(grip, POINT{grip.x + 44, grip.y + 20}, 11);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRectOf(main).left != start.left; }));
  EXPECT_GT(ScreenRectOf(main).left, start.left + 20);

  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, BackgroundDragMovesTheWindowAtOnce) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT start = ScreenRectOf(main);
  const POINT edge{start.left + 1, start.top + 20};
  DragAndRelease(edge, POINT{edge.x + 30, edge.y + 30}, 6);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRectOf(main).top > start.top + 10; }));
  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, DoubleClickHidesAndTheTrayBringsItBack) {
  WriteBytes(DataFile(), std::string(kHeader) + kEmptyButtonLine);
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  DoubleClickAt(CentreOf(Bar(launcher)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "ControlDblClick 0 hides the launcher";

  const auto icon = HoverTrayIcon();
  ASSERT_TRUE(icon.has_value()) << "the tray icon stays";

  DoubleClickAt(*icon);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "a double-click on the icon shows it";
  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, DoubleClickExitsWhenSoConfigured) {
  SetSetting(L"Set", L"ControlDblClick", L"2");
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  EXPECT_EQ(WaitForTips(launcher.MainWindow(), 2).size(), 2u);
  DoubleClickAt(CentreOf(Bar(launcher)));
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + kEmptyButtonLine);
  EXPECT_EQ(GetSetting(L"Set", L"ControlDblClick"), L"2");
}

TEST_F(ControlBarTest, DoubleClickForSettingsKeepsTheLauncherRunning) {
  SetSetting(L"Set", L"ControlDblClick", L"1");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const HWND bar = Bar(launcher);
  EXPECT_EQ(WaitForTips(main, 2)[bar], L"ﾗﾝﾁｬｰ設定");
  DoubleClickAt(CentreOf(bar));
  Sleep(300);
  EXPECT_TRUE(launcher.IsRunning());
  EXPECT_TRUE(IsWindowVisible(main));
  CloseAndWait(launcher);
}

TEST_F(ControlBarTest, ControlMenuHidesTheLauncher) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  RightClickAt(CentreOf(Bar(launcher)));
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('N');  // "ﾗﾝﾁｬｰ非表示(&N)"
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  CloseAndWait(launcher);
}

}  // namespace
}  // namespace vornish::e2e
