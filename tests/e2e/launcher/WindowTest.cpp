// What the window looks like and how it moves: the faces and their edges (at
// 144 DPI in the dialogs' flow), the control bar's colours and handle,
// docking, hiding to the tray and back.
#include "launcher/Fixture.h"

#include <shellapi.h>

namespace vornish::e2e {
namespace {

using WindowTest = LauncherTest;

// Pixels of a button's face (inside its one-pixel edge) other than `colour`.
int PixelsOtherThan(HWND button, COLORREF colour) {
  const Pixels face(button);
  return face.CountOtherThan(colour, RECT{1, 1, face.width() - 1, face.height() - 1});
}

TEST_F(WindowTest, FacesShowTheirIconOrColourInARaisedOrPressedEdge) {
  const std::string self = Utf8((dir / L"vornish.exe").wstring());
  WriteBytes(DataFile(), kHeader + Line({.title = "me", .file = self, .iconNo = 40}) + Line({.colour = 255}) +
                             Line({.title = "gone", .file = self, .icon = Utf8((dir / L"gone.ico").wstring()),
                                   .colour = 65280}));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const std::vector<HWND> buttons = launcher.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(RectOf(main).right - RectOf(main).left, 117) << "3 buttons of 510 twips + 225: the layout's, at 96 DPI";
  ASSERT_TRUE(WaitUntil([&] { return Pixels(buttons[1]).at(5, 5) == RGB(255, 0, 0); }));
  EXPECT_GT(PixelsOtherThan(buttons[0], ::GetSysColor(COLOR_BTNFACE)), 100) << "the program's first icon";
  EXPECT_EQ(PixelsOtherThan(buttons[1], RGB(255, 0, 0)), 0) << "an empty button is its colour only";
  EXPECT_EQ(PixelsOtherThan(buttons[2], RGB(0, 255, 0)), 0) << "a missing icon file leaves the face empty";

  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const auto edges = [&] {
    const Pixels face(buttons[1]);
    return std::vector<COLORREF>{face.at(0, 10), face.at(10, 0), face.at(33, 10), face.at(10, 33)};
  };
  EXPECT_EQ(edges(), (std::vector<COLORREF>{light, light, shadow, shadow})) << "raised";
  LeftDown(CentreOf(buttons[1]));
  EXPECT_TRUE(WaitUntil([&] { return edges() == std::vector<COLORREF>{shadow, shadow, light, light}; })) << "pressed";
  LeftUp(CentreOf(buttons[1]));
  EXPECT_TRUE(WaitUntil([&] { return edges() == std::vector<COLORREF>{light, light, shadow, shadow}; }));
  launcher.Close();
  EXPECT_NE(ReadBytes(DataFile()).find(Line({.title = "me", .file = self})), std::string::npos)
      << "an icon number beyond the file was reset and saved";
}

TEST_F(WindowTest, TheKeyboardMovesAlongTheStripAndShowsTheFocus) {
  const std::string red = Line({.colour = 255});
  WriteBytes(DataFile(), kHeader + red + red + red);
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  const std::vector<HWND> buttons = launcher.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  const auto marked = [&](std::size_t i) { return PixelsOtherThan(buttons[i], RGB(255, 0, 0)) > 0; };
  Click(CentreOf(buttons[0]));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(launcher.Main()) == buttons[0]; }));
  const std::pair<WORD, std::size_t> steps[] = {{VK_RIGHT, 1}, {VK_DOWN, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2}, {VK_UP, 1}};
  for (const auto& [key, focused] : steps) {
    Press(key);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(launcher.Main()) == buttons[focused]; })) << key;
    EXPECT_TRUE(WaitUntil([&] {
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (marked(i) != (i == focused)) return false;
      }
      return true;
    })) << "the keyboard shows the focus, on that button alone";
  }
  launcher.Close();
}

TEST_F(WindowTest, ControlBarShowsActivationAndMovesTheWindow) {
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const HWND bar = launcher.Bar();
  ASSERT_TRUE(Activate(main));
  // The colour of the bar's top row (or its bottom row), when the whole row has one.
  const auto row = [&](bool bottom) {
    const Pixels shown(bar);
    const int y = bottom ? shown.height() - 1 : 0;
    const COLORREF first = shown.at(0, y);
    return shown.CountOtherThan(first, RECT{0, y, shown.width(), y + 1}) == 0 ? first : CLR_INVALID;
  };
  ASSERT_TRUE(WaitUntil([&] { return row(false) == RGB(0, 0, 255); })) << "pure blue";
  EXPECT_EQ(row(true), RGB(0, 0, 0)) << "black at the bottom";

  // Another program comes to the front: the bar turns the inactive colour.
  Process other = Process::Start(BinFolder() / L"holder.exe");
  const HWND otherWindow = WaitFor([&] { return TopWindow(other.Id(), L"Vornish.E2EHolder"); });
  ASSERT_TRUE(Activate(otherWindow));
  EXPECT_TRUE(WaitUntil([&] { return row(false) == ::GetSysColor(COLOR_INACTIVECAPTION); }));
  other.Kill();

  // Dragged beyond the threshold (the natively tested IsDragMove) the bar
  // moves the window; the background moves it at once.
  const RECT start = RectOf(main);
  const POINT grip = CentreOf(bar);
  Drag(grip, POINT{grip.x + 44, grip.y + 20}, 11);
  EXPECT_TRUE(WaitUntil([&] { return RectOf(main).left > start.left + 20; }));
  const RECT moved = RectOf(main);
  Drag(POINT{moved.left + 1, moved.top + 20}, POINT{moved.left + 31, moved.top + 50}, 6);
  EXPECT_TRUE(WaitUntil([&] { return RectOf(main).top > moved.top + 10; }));
  launcher.Close();
}

TEST_F(WindowTest, DockedBarReturnsToItsEdgeAndStaysOnTop) {
  SetSetting(L"Set", L"Position", L"4");
  SetSetting(L"Set", L"WindowTop", L"True");
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  EXPECT_NE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // The session's screen has a task bar at the bottom (see the harness's
  // notes): the strip stands on it, full width.
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_LT(work.bottom, ::GetSystemMetrics(SM_CYSCREEN)) << "a session without a task bar";
  const auto docked = [&] { return RectOf(main) == RECT{0, work.bottom - 42, ::GetSystemMetrics(SM_CXSCREEN), work.bottom}; };
  ASSERT_TRUE(WaitUntil(docked)) << "full width on the task bar";
  ::SetWindowPos(main, nullptr, 200, 100, 300, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil(docked)) << "back at the edge";
  launcher.Close();
}

TEST_F(WindowTest, HiddenLauncherComesBackThroughTheTray) {
  WriteBytes(dir / L"TOOLS.DAT", kHeader + kEmptyLine);
  Launcher launcher(dir.path());
  const HWND main = launcher.Start((dir / L"TOOLS.DAT").wstring());
  ASSERT_TRUE(main);
  std::wstring tip;
  ASSERT_TRUE(TrayIcon(launcher, &tip));
  EXPECT_EQ(tip, L"Vornish [TOOLS.DAT]");

  EXPECT_EQ(HoverTip(launcher.Bar()), L"ﾗﾝﾁｬｰ非表示");
  DoubleClick(CentreOf(launcher.Bar()));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); })) << "a double-click on the bar hides it";
  DoubleClick(*TrayIcon(launcher));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; })) << "one on the icon shows it";

  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Bar()), {'N'}));  // "ﾗﾝﾁｬｰ非表示(&N)"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }));
  Click(*TrayIcon(launcher));
  ASSERT_TRUE(launcher.Menu()) << "the button menu, after the double-click time";
  Press('T');  // "ﾎﾞﾀﾝ追加(&T)" runs while hidden
  EXPECT_TRUE(WaitUntil([&] { return launcher.Buttons().size() == 2u; }));
  EXPECT_FALSE(::IsWindowVisible(main));
  ASSERT_TRUE(OpenTrayMenu(launcher));
  Press('D');  // "ﾗﾝﾁｬｰ表示(&D)"
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }));

  // A task bar that restarts loses the icon; the launcher adds it again.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof gone;
  gone.hWnd = main;
  gone.uID = 1;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &gone));
  ::PostMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  tip.clear();
  ASSERT_TRUE(TrayIcon(launcher, &tip));
  EXPECT_EQ(tip, L"Vornish [TOOLS.DAT]");
  // Hidden, the launcher is found again by starting it once more.
  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Bar()), {'N'}));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }));
  Launcher again(dir.path());
  again.StartOnly();
  EXPECT_EQ(again.WaitForExit(), kCleanExit);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; })) << "the second start shows the first";
  launcher.Close();
  EXPECT_EQ(ReadBytes(dir / L"TOOLS.DAT"), kHeader + kEmptyLine + kEmptyLine);
}

}  // namespace
}  // namespace vornish::e2e
