// A launcher fixed to a screen edge: a full-length bar that returns there.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using PlacementTest = LauncherTest;

TEST_F(PlacementTest, BottomEdgeBarReturnsAfterBeingMovedAway) {
  SetSetting(L"Set", L"Position", L"4");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  // Without a task bar the bar keeps 30 twips (2 pixels) from the edge.
  const RECT docked{0, sh - 42 - 2, sw, sh - 2};
  ASSERT_TRUE(WaitUntil([&] { return ScreenRectOf(main) == docked; })) << "full width at the bottom";

  SetWindowPos(main, nullptr, 200, 100, 300, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRectOf(main) == docked; }, 1s)) << "back within a few ticks";
  CloseAndWait(launcher);
  EXPECT_EQ(GetSetting(L"Set", L"TaskBar"), L"4");
}

TEST_F(PlacementTest, LeftEdgeColumnRunsTheScreensHeight) {
  SetSetting(L"Set", L"Position", L"1");
  SetSetting(L"Set", L"Orient", L"1");
  WriteBytes(DataFile(), std::string(kHeader) + kEmptyButtonLine + kEmptyButtonLine);
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT expected{0, 0, 42, GetSystemMetrics(SM_CYSCREEN) - 2};
  EXPECT_TRUE(WaitUntil([&] { return ScreenRectOf(main) == expected; }));
  CloseAndWait(launcher);
}

TEST_F(PlacementTest, FloatingWindowStaysWhereItIsPut) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ActivateWindow(main));  // the timer runs from the first activation
  SetWindowPos(main, nullptr, 321, 123, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(400);
  EXPECT_EQ(ScreenRectOf(main).left, 321);
  EXPECT_EQ(ScreenRectOf(main).top, 123);
  CloseAndWait(launcher);
}

}  // namespace
}  // namespace vornish::e2e
