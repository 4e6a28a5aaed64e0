// The button pop-up menu: opened by real right clicks and the context-menu
// key, items chosen by their accelerators, commands carried out after the menu
// has closed.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using MenuTest = LauncherTest;

// A point on the window's background, left of the control bar.
POINT Background(HWND main) { return POINT{RectOf(main).left + 1, (RectOf(main).top + RectOf(main).bottom) / 2}; }

TEST_F(MenuTest, EditsChosenByClicksAndAcceleratorsAndUndone) {
  WriteBytes(DataFile(), kHeader + Named("A", 3) + kEmptyLine + Named("B", 5));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const auto buttonsBecome = [&](std::size_t n) { return WaitUntil([&] { return launcher.Buttons().size() == n; }); };

  RightClick(CentreOf(launcher.Buttons().at(1)));
  const HWND menu = launcher.Menu();
  ASSERT_TRUE(menu);
  EXPECT_EQ(launcher.Buttons().size(), 3u) << "nothing happens while the menu is open";
  Press('D');  // "ﾎﾞﾀﾝ削除(&D)"
  // The first button's menu at once, before the next tick: the deletion is
  // still the second button's.
  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(0)), {VK_ESCAPE}));
  ASSERT_TRUE(buttonsBecome(2)) << "deleted after the menu closed";
  EXPECT_EQ(TextOf(launcher.Buttons().at(0)), L"A");

  const LONG width = RectOf(main).right - RectOf(main).left;
  ASSERT_TRUE(Choose(launcher, Background(main), {'T'}));  // "ﾎﾞﾀﾝ追加(&T)"
  ASSERT_TRUE(buttonsBecome(3));
  EXPECT_TRUE(WaitUntil([&] { return RectOf(main).right - RectOf(main).left == width + 34; })) << "one button wider";

  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(1)), {'I'}));  // "ﾎﾞﾀﾝ挿入(&I)" before B
  ASSERT_TRUE(buttonsBecome(4));

  // The keys open the menu below the focused button, wherever the pointer is.
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == launcher.Buttons().at(0); }));
  MoveTo(POINT{900, 700});
  const auto menuBelow = [&](HWND button) {
    const HWND opened = launcher.Menu();
    return opened && RectOf(opened).left == RectOf(button).left && RectOf(opened).top == RectOf(button).bottom;
  };
  Press(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == launcher.Buttons().at(1); }));
  Press(VK_F10, false, true);
  EXPECT_TRUE(menuBelow(launcher.Buttons().at(1))) << "Shift+F10";
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !launcher.Menu(0ms); }));
  Press(VK_LEFT);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == launcher.Buttons().at(0); }));
  Press(VK_APPS);
  ASSERT_TRUE(menuBelow(launcher.Buttons().at(0))) << "the context-menu key";
  Press('C');  // "ﾎﾞﾀﾝ初期化(&C)" on the focused button
  ASSERT_TRUE(WaitUntil([&] { return TextOf(launcher.Buttons().at(0)).empty(); }));

  // Ctrl+Z brings A back, the menu's "元に戻す(&U)" takes the insertion back.
  Press('Z', true);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(launcher.Buttons().at(0)) == L"A"; }));
  ASSERT_TRUE(Choose(launcher, Background(main), {'U'}));
  ASSERT_TRUE(buttonsBecome(3));
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + Named("A", 3) + Named("B", 5) + kEmptyLine)
      << "every field, the counts and the places";
}

// The process ids of visible windows whose program file is `exe`.
std::vector<DWORD> ProcessesShowing(const std::wstring& exe) {
  std::vector<DWORD> found;
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (::IsWindowVisible(w) && process && ::QueryFullProcessImageNameW(process.get(), 0, path, &size) &&
        Path(path).filename() == exe) {
      found.push_back(pid);
    }
  }
  return found;
}

TEST_F(MenuTest, RankingNeedsCountingAndAWinHelpFileOpensInWinHelp) {
  SetSetting(L"Set", L"CountEnable", L"False");
  // A help file of the old kind beside the program goes to WinHelp, before
  // the compiled help. Wine's viewer stands in for the one Windows no longer
  // ships; for a file it cannot read it shows its own message.
  WriteBytes(dir / L"VRN.hlp", "not a help file");
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  ASSERT_TRUE(Choose(launcher, Background(main), {'L'}));  // "起動ﾗﾝｷﾝｸﾞ(&L)..."
  EXPECT_EQ(AnswerBox(launcher.Id()), L"ランチャー設定画面で[起動回数を記録する]を有効にして下さい。");

  // "ﾍﾙﾌﾟ(&H)..." opens the help submenu, "目次(&C)" its contents.
  ASSERT_TRUE(Choose(launcher, Background(main), {'H', 'C'}));
  std::vector<DWORD> viewers;
  EXPECT_TRUE(WaitUntil([&] { return !(viewers = ProcessesShowing(L"winhlp32.exe")).empty(); }));
  for (DWORD pid : viewers) {
    const UniqueKernelHandle viewer(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    ::TerminateProcess(viewer.get(), 0);
    ::WaitForSingleObject(viewer.get(), 5000);
  }
  launcher.Close();
}

}  // namespace
}  // namespace vornish::e2e
