// The launcher starts, shows its main window and ends; refused starts show
// their message. Skipped while vornish.exe is not built.
#include <gtest/gtest.h>

#include "harness/Harness.h"

namespace vornish::e2e {
namespace {

class LauncherSmoke : public testing::Test {
 protected:
  void SetUp() override {
    if (!LauncherBuilt()) GTEST_SKIP() << "vornish.exe is not built";
    ClearSettings();
  }
};

TEST_F(LauncherSmoke, OpensACaptionlessMainWindowAndSavesTheDataFileOnClose) {
  TempDir temp(CurrentTestName());
  LauncherProcess launcher(temp.Path());
  launcher.Start();
  HWND main = launcher.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), L"Vornish");
  const auto style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_NE(style & WS_POPUP, 0);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION);
  // No VRN.dat yet: the launcher starts with one empty button.
  EXPECT_EQ(launcher.FindChildren(kIconButtonClass).size(), 1u);

  ASSERT_TRUE(launcher.Close());
  ASSERT_TRUE(launcher.WaitForExit(10s).has_value());
  ASSERT_TRUE(Exists(temp / L"VRN.dat"));
  EXPECT_TRUE(ReadBytes(temp / L"VRN.dat").starts_with("[Vornish Ver.1.0]"));
}

TEST_F(LauncherSmoke, RefusesADataFileThatDoesNotExist) {
  TempDir temp(CurrentTestName());
  LauncherProcess launcher(temp.Path());
  launcher.Start(L"\"" + (temp / L"無い.dat").wstring() + L"\"");
  const auto box = WaitForMessageBox(launcher.Pid(), 10s);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, L"ﾌｧｲﾙが見つかりません。");
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_TRUE(launcher.FindWindowsOfClass(kMainWindowClass).empty());
  EXPECT_TRUE(PressButton(box->window));
  EXPECT_TRUE(launcher.WaitForExit().has_value());
}

}  // namespace
}  // namespace vornish::e2e
