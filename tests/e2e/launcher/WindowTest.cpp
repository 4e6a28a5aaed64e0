// What the window looks like and how it moves: the faces and their edges, the
// control bar's colours and handle, docking, hiding to the tray and back.
#include "launcher/Fixture.h"

#include <shellapi.h>

namespace vornish::e2e {
namespace {

using WindowTest = LauncherTest;

// Pixels of a button's face (inside its one-pixel edge) other than `colour`.
int PixelsOtherThan(HWND button, COLORREF colour) {
  RECT r{};
  ::GetClientRect(button, &r);
  int other = 0;
  for (int y = 1; y < r.bottom - 1; ++y) {
    for (int x = 1; x < r.right - 1; ++x) other += PixelAt(button, x, y) != colour ? 1 : 0;
  }
  return other;
}

TEST_F(WindowTest, FacesShowTheirIconOrColourInARaisedOrPressedEdge) {
  const std::string self = Utf8((dir / L"vornish.exe").wstring());
  WriteBytes(DataFile(), kHeader + Line({"me", self, "", "", "1", "", "40", "0", "-2147483633", "0", "0"}) +
                             Line({"", "", "", "", "1", "", "0", "0", "255", "0", "0"}) +
                             Line({"gone", self, "", "", "1", Utf8((dir / L"gone.ico").wstring()), "0", "0", "65280",
                                   "0", "0"}));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const std::vector<HWND> buttons = launcher.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(RectOf(main).right - RectOf(main).left, 117) << "3 buttons of 510 twips + 225";
  EXPECT_EQ(RectOf(main).bottom - RectOf(main).top, 42) << "630 twips";
  EXPECT_EQ(RectOf(buttons[1]).left - RectOf(main).left, 44) << "60 + 90 + 510 twips";
  ASSERT_TRUE(WaitUntil([&] { return PixelAt(buttons[1], 5, 5) == RGB(255, 0, 0); }));
  EXPECT_GT(PixelsOtherThan(buttons[0], ::GetSysColor(COLOR_BTNFACE)), 100) << "the program's first icon";
  EXPECT_EQ(PixelsOtherThan(buttons[1], RGB(255, 0, 0)), 0) << "an empty button is its colour only";
  EXPECT_EQ(PixelsOtherThan(buttons[2], RGB(0, 255, 0)), 0) << "a missing icon file leaves the face empty";

  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const auto edges = [&] {
    return std::vector<COLORREF>{PixelAt(buttons[1], 0, 10), PixelAt(buttons[1], 10, 0), PixelAt(buttons[1], 33, 10),
                                 PixelAt(buttons[1], 10, 33)};
  };
  EXPECT_EQ(edges(), (std::vector<COLORREF>{light, light, shadow, shadow})) << "raised";
  LeftDown(CentreOf(buttons[1]));
  EXPECT_TRUE(WaitUntil([&] { return edges() == std::vector<COLORREF>{shadow, shadow, light, light}; })) << "pressed";
  LeftUp(CentreOf(buttons[1]));
  EXPECT_TRUE(WaitUntil([&] { return edges() == std::vector<COLORREF>{light, light, shadow, shadow}; }));
  launcher.Close();
  EXPECT_NE(ReadBytes(DataFile()).find(Line({"me", self, "", "", "1", "", "0", "0", "-2147483633", "0", "0"})),
            std::string::npos)
      << "an icon number beyond the file was reset and saved";
}

TEST_F(WindowTest, AtHigherDpiTwipsScaleAndIconsAreMadeForTheirSize) {
  const DpiScope dpi(144);
  const wchar_t* notepad = L"C:\\windows\\system32\\notepad.exe";
  std::string file = kHeader;
  for (int i = 0; i < 5; ++i) file += Line({"n", Utf8(notepad), "", "", "1", "", "0", "0", "-2147483633", "0", "0"});
  WriteBytes(DataFile(), file);
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const RECT r = RectOf(main);
  EXPECT_EQ(std::vector<LONG>({r.left, r.right - r.left, r.bottom - r.top}), std::vector<LONG>({450, 278, 63}))
      << "4500, 2775 and 630 twips at 10 twips a pixel";
  const HWND button = launcher.Buttons().at(0);
  RECT face{};
  ::GetClientRect(button, &face);
  EXPECT_EQ(face.right, 51) << "510 twips";
  // The icon is made for the 48 pixels it is shown at, not at 32: it reaches
  // beyond the 32nd row and column of the face.
  int beyond = 0;
  for (int i = 33; i < 49; ++i) {
    beyond += (PixelAt(button, i, 20) != ::GetSysColor(COLOR_BTNFACE)) + (PixelAt(button, 20, i) != ::GetSysColor(COLOR_BTNFACE));
  }
  EXPECT_GT(beyond, 4);
  launcher.Close();
}

TEST_F(WindowTest, ControlBarShowsActivationAndMovesTheWindow) {
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const HWND bar = launcher.Bar();
  RECT r{};
  ::GetClientRect(bar, &r);
  ASSERT_TRUE(Activate(main));
  const auto row = [&](int y) {
    std::vector<COLORREF> pixels;
    for (int x = 0; x < r.right; ++x) pixels.push_back(PixelAt(bar, x, y));
    return pixels;
  };
  ASSERT_TRUE(WaitUntil([&] { return row(0) == std::vector<COLORREF>(r.right, RGB(0, 0, 255)); })) << "pure blue";
  EXPECT_EQ(row(r.bottom - 1), std::vector<COLORREF>(r.right, RGB(0, 0, 0))) << "black at the bottom";

  // Another program comes to the front: the bar turns the inactive colour.
  Process other = Process::Start(BinFolder() / L"holder.exe");
  const HWND otherWindow = WaitFor([&] { return TopWindow(other.Id(), L"Vornish.E2EHolder"); });
  ASSERT_TRUE(Activate(otherWindow));
  EXPECT_TRUE(WaitUntil([&] { return row(0) == std::vector<COLORREF>(r.right, ::GetSysColor(COLOR_INACTIVECAPTION)); }));
  other.Kill();

  // Three pixels (45 twips) on the bar stay a press; more move the window,
  // and the background moves it at once.
  const RECT start = RectOf(main);
  const POINT grip = CentreOf(bar);
  Drag(grip, POINT{grip.x + 3, grip.y}, 3);
  ::Sleep(::GetDoubleClickTime() + 100);
  EXPECT_EQ(RectOf(main).left, start.left);
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
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  // Without a task bar the bar keeps 30 twips (2 pixels) from the edge.
  const auto docked = [&] { return RectOf(main) == RECT{0, sh - 44, sw, sh - 2}; };
  ASSERT_TRUE(WaitUntil(docked)) << "full width at the bottom";
  ::SetWindowPos(main, nullptr, 200, 100, 300, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil(docked, 1s)) << "back within a few ticks";
  launcher.Close();
}

TEST_F(WindowTest, HiddenLauncherComesBackThroughTheTray) {
  WriteBytes(dir / L"TOOLS.DAT", kHeader + kEmptyLine);
  Launcher launcher(dir.path());
  const HWND main = launcher.Start((dir / L"TOOLS.DAT").wstring());
  ASSERT_TRUE(main);
  const auto icon = TrayIcon();
  ASSERT_TRUE(icon);
  const HWND tray = ::FindWindowW(nullptr, L"Wine System Tray");
  EXPECT_EQ(HoverTip(tray, *icon), L"Vornish [TOOLS.DAT]");

  DoubleClick(CentreOf(launcher.Bar()));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); })) << "a double-click on the bar hides it";
  DoubleClick(*TrayIcon());
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; })) << "one on the icon shows it";

  RightClick(CentreOf(launcher.Bar()));
  ASSERT_TRUE(launcher.Menu());
  Press('N');  // "ﾗﾝﾁｬｰ非表示(&N)"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }));
  Click(*TrayIcon());
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
  ::Sleep(300);
  const auto back = TrayIcon();
  ASSERT_TRUE(back);
  EXPECT_EQ(HoverTip(::FindWindowW(nullptr, L"Wine System Tray"), *back), L"Vornish [TOOLS.DAT]");
  // Hidden, the launcher is found again by starting it once more.
  RightClick(CentreOf(launcher.Bar()));
  ASSERT_TRUE(launcher.Menu());
  Press('N');
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
