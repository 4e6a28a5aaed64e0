// The button pop-up menu: opened by a real right click, its command carried
// out after it has closed.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

class MenuTest : public PlacedLauncherTest {
 protected:
  // The open pop-up menu of the launcher, or null.
  // A point on the window's background, left of the control bar.
  static POINT Background(HWND main) {
    const RECT r = ScreenRectOf(main);
    return POINT{r.left + 1, (r.top + r.bottom) / 2};
  }
  static std::string Named(const char* title) {
    return Line({title, std::string("C:\\") + title + ".exe", "", "", "1", "", "0", "0", "0", "0", "0"});
  }
};

TEST_F(MenuTest, DeleteChosenFromTheMenuRemovesTheButtonAfterItCloses) {
  WriteBytes(DataFile(), std::string(kHeader) + Named("A") + kEmptyButtonLine + Named("C"));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  RightClickAt(CentreOf(Buttons(launcher).at(1)));
  const HWND menu = OpenMenu(launcher);
  ASSERT_NE(menu, nullptr) << "a right click opens the menu";
  EXPECT_EQ(Buttons(launcher).size(), 3u);
  PressKey('D');  // "ﾎﾞﾀﾝ削除(&D)"
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
  ASSERT_TRUE(WaitUntil([&] { return Buttons(launcher).size() == 2u; })) << "deleted on the next tick";
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Named("A") + Named("C"));
}

TEST_F(MenuTest, AddOnTheBackgroundAndInsertBeforeAButton) {
  WriteBytes(DataFile(), std::string(kHeader) + Named("A") + Named("B"));
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  RightClickAt(Background(main));
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('T');  // "ﾎﾞﾀﾝ追加(&T)"
  ASSERT_TRUE(WaitUntil([&] { return Buttons(launcher).size() == 3u; }));
  EXPECT_EQ(ScreenRectOf(main).right - ScreenRectOf(main).left, 49 + 2 * 34) << "one button wider";

  RightClickAt(CentreOf(Buttons(launcher).at(1)));
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('I');  // "ﾎﾞﾀﾝ挿入(&I)"
  ASSERT_TRUE(WaitUntil([&] { return Buttons(launcher).size() == 4u; }));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Named("A") + kEmptyButtonLine + Named("B") + kEmptyButtonLine);
}

TEST_F(MenuTest, BackgroundMenuOffersNoDelete) {
  WriteBytes(DataFile(), std::string(kHeader) + Named("A"));
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  RightClickAt(Background(main));
  const HWND menu = OpenMenu(launcher);
  ASSERT_NE(menu, nullptr);
  PressKey('D');  // disabled here
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
  Sleep(300);
  EXPECT_EQ(Buttons(launcher).size(), 1u);
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Named("A"));
}

TEST_F(MenuTest, ContextMenuKeyOpensTheMenuOfTheFocusedButton) {
  WriteBytes(DataFile(), std::string(kHeader) + Named("A") + Named("B"));
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ActivateWindow(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == Buttons(launcher).at(0); }));
  PressKey(VK_APPS);
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('C');  // "ﾎﾞﾀﾝ初期化(&C)": empties button 0
  ASSERT_TRUE(WaitUntil([&] { return launcher.FindWindowsOfClass(L"#32768").empty(); }));
  Sleep(300);
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + kEmptyButtonLine + Named("B"));
}

// The process ids of visible windows whose program file is `exe`.
std::vector<DWORD> ProcessesShowing(const std::wstring& exe) {
  std::vector<DWORD> found;
  for (HWND w : FindTopLevelWindows(L"")) {
    const DWORD pid = ProcessIdOf(w);
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (process && QueryFullProcessImageNameW(process.Get(), 0, path, &size) &&
        std::filesystem::path(path).filename() == exe) {
      found.push_back(pid);
    }
  }
  return found;
}

TEST_F(MenuTest, HelpContentsOpensThePlatformsHelp) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  RightClickAt(Background(main));
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('H');  // "ﾍﾙﾌﾟ(&H)..." opens the help submenu
  PressKey('C');  // "目次(&C)"
  std::vector<DWORD> viewers;
  EXPECT_TRUE(WaitUntil([&] { return !(viewers = ProcessesShowing(L"winhlp32.exe")).empty(); }))
      << "the help viewer was started for VRN.hlp";
  for (DWORD pid : viewers) {
    UniqueHandle viewer(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (viewer) {
      TerminateProcess(viewer.Get(), 0);
      WaitForSingleObject(viewer.Get(), 5000);
    }
  }
  CloseAndWait(launcher);
}

TEST_F(MenuTest, CountingOffRefusesTheRanking) {
  SetSetting(L"Set", L"CountEnable", L"False");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  RightClickAt(Background(main));
  ASSERT_NE(OpenMenu(launcher), nullptr);
  PressKey('L');  // "起動ﾗﾝｷﾝｸﾞ(&L)..."
  const auto box = WaitForMessageBox(launcher.Pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_EQ(box->text, L"ランチャー設定画面で[起動回数を記録する]を有効にして下さい。");
  ASSERT_TRUE(PressButton(box->window));
  CloseAndWait(launcher);
}

}  // namespace
}  // namespace vornish::e2e
