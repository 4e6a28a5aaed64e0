// What the buttons look like: icons on their faces, empty faces in their
// colour, the raised edge, and the window sized around them.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

class FaceTest : public PlacedLauncherTest {
 protected:

  // Every pixel of a button's face (inside its one-pixel edge) that is not
  // `background`.
  static int PixelsOtherThan(HWND button, COLORREF background) {
    RECT r{};
    GetClientRect(button, &r);
    int other = 0;
    for (int y = 1; y < r.bottom - 1; ++y) {
      for (int x = 1; x < r.right - 1; ++x) other += WindowPixel(button, x, y) != background ? 1 : 0;
    }
    return other;
  }
};

TEST_F(FaceTest, ProgramIconIsDrawnAndAnEmptyButtonShowsOnlyItsColour) {
  const std::string self = Utf8((dir / L"vornish.exe").wstring());
  WriteBytes(DataFile(), std::string(kHeader) +
                             Line({"me", self, "", "", "1", "", "0", "0", "-2147483633", "0", "0"}) +
                             Line({"", "", "", "", "1", "", "0", "0", "255", "0", "0"}) +
                             Line({"gone", self, "", "", "1", Utf8((dir / L"gone.ico").wstring()), "0", "0", "65280",
                                   "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const std::vector<HWND> buttons = Buttons(launcher);
  ASSERT_EQ(buttons.size(), 3u);
  ASSERT_TRUE(WaitUntil([&] { return WindowPixel(buttons[1], 5, 5) == RGB(255, 0, 0); }));

  EXPECT_GT(PixelsOtherThan(buttons[0], GetSysColor(COLOR_BTNFACE)), 100) << "the program's own icon";
  EXPECT_EQ(PixelsOtherThan(buttons[1], RGB(255, 0, 0)), 0) << "an empty button is its colour only";
  EXPECT_EQ(PixelsOtherThan(buttons[2], RGB(0, 255, 0)), 0) << "a missing icon file leaves the face empty";

  // The raised edge: light on the top and left, shadow on the right and bottom.
  EXPECT_EQ(WindowPixel(buttons[1], 0, 10), GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(WindowPixel(buttons[1], 10, 0), GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(WindowPixel(buttons[1], 33, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(WindowPixel(buttons[1], 10, 33), GetSysColor(COLOR_BTNSHADOW));
  CloseAndWait(launcher);
}

TEST_F(FaceTest, LeftPressShowsThePressedEdgeUntilRelease) {
  WriteBytes(DataFile(), std::string(kHeader) + Line({"", "", "", "", "1", "", "0", "0", "255", "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND button = Buttons(launcher).at(0);
  const POINT centre = CentreOf(button);
  MoveMouseTo(centre);
  LeftDown(centre);
  EXPECT_TRUE(WaitUntil([&] { return WindowPixel(button, 0, 10) == GetSysColor(COLOR_BTNSHADOW); }));
  EXPECT_EQ(WindowPixel(button, 33, 10), GetSysColor(COLOR_3DHILIGHT));
  LeftUp(centre);
  EXPECT_TRUE(WaitUntil([&] { return WindowPixel(button, 0, 10) == GetSysColor(COLOR_3DHILIGHT); }));
  CloseAndWait(launcher);
}

TEST_F(FaceTest, IconNumberBeyondTheFileIsResetAndSaved) {
  const std::string self = Utf8((dir / L"vornish.exe").wstring());
  WriteBytes(DataFile(), std::string(kHeader) + Line({"me", self, "", "", "1", "", "7", "0", "-2147483633", "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  EXPECT_GT(PixelsOtherThan(Buttons(launcher).at(0), GetSysColor(COLOR_BTNFACE)), 100) << "the first icon is drawn";
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()),
            std::string(kHeader) + Line({"me", self, "", "", "1", "", "0", "0", "-2147483633", "0", "0"}));
}

TEST_F(FaceTest, SixteenPixelButtonsDrawTheSmallIconInside) {
  SetSetting(L"Set", L"Size", L"16");
  const std::string self = Utf8((dir / L"vornish.exe").wstring());
  WriteBytes(DataFile(), std::string(kHeader) + Line({"me", self, "", "", "1", "", "0", "0", "-2147483633", "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND button = Buttons(launcher).at(0);
  const RECT r = ScreenRectOf(button);
  EXPECT_EQ(r.right - r.left, 18);
  EXPECT_GT(PixelsOtherThan(button, GetSysColor(COLOR_BTNFACE)), 30);
  CloseAndWait(launcher);
}

struct SizeCase {
  const wchar_t* size;
  const wchar_t* orient;
  int buttons;
  int width;
  int height;
};

TEST_F(FaceTest, WindowSizesFollowTheLayoutAt96Dpi) {
  for (const SizeCase& c : {SizeCase{L"32", L"0", 1, 49, 42}, SizeCase{L"32", L"1", 5, 42, 185},
                            SizeCase{L"16", L"0", 10, 193, 26}, SizeCase{L"24", L"1", 3, 34, 92},
                            SizeCase{L"20", L"0", 1, 49, 48}}) {
    SetSetting(L"Set", L"Size", c.size);
    SetSetting(L"Set", L"Orient", c.orient);
    std::string file(kHeader);
    for (int i = 0; i < c.buttons; ++i) file += kEmptyButtonLine;
    WriteBytes(DataFile(), file);
    LauncherProcess launcher(dir.Path());
    const HWND main = StartAndWait(launcher);
    ASSERT_NE(main, nullptr);
    const RECT r = ScreenRectOf(main);
    EXPECT_EQ(r.right - r.left, c.width) << c.size << L"/" << c.orient;
    EXPECT_EQ(r.bottom - r.top, c.height) << c.size << L"/" << c.orient;
    CloseAndWait(launcher);
  }
}

}  // namespace
}  // namespace vornish::e2e
