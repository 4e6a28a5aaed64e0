// What the buttons look like: icons on their faces, empty faces in their
// colour, the raised edge, and the window sized around them.
#include "launcher/Fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

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

// Wine takes the DPI for programs it starts from this value.
class DpiScope {
 public:
  explicit DpiScope(DWORD dpi) {
    HKEY raw = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                    nullptr);
    key_.Reset(raw);
    RegSetValueExW(key_.Get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  ~DpiScope() { RegDeleteValueW(key_.Get(), L"LogPixels"); }
  DpiScope(const DpiScope&) = delete;
  DpiScope& operator=(const DpiScope&) = delete;

 private:
  UniqueKey key_;
};

TEST_F(FaceTest, AtHigherDpiTwipsScaleAndIconsAreMadeForTheirSize) {
  const DpiScope dpi(144);
  const std::string notepad = "C:\\windows\\system32\\notepad.exe";
  std::string file(kHeader);
  for (int i = 0; i < 5; ++i) file += Line({"n", notepad, "", "", "1", "", "0", "0", "-2147483633", "0", "0"});
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const RECT r = ScreenRectOf(main);
  EXPECT_EQ(r.right - r.left, 278) << "2775 twips at 10 twips a pixel";
  EXPECT_EQ(r.bottom - r.top, 63) << "630 twips";
  EXPECT_EQ(r.left, 450) << "the saved 4500 twips";
  const HWND button = Buttons(launcher).at(0);
  RECT face{};
  GetClientRect(button, &face);
  EXPECT_EQ(face.right, 51) << "510 twips";
  // The face shows the program's own 48-pixel image, not a 32-pixel one
  // stretched: compare with that image drawn here over the face colour.
  const int size = 48;
  HICON icon = nullptr;
  ASSERT_EQ(SHDefExtractIconW(L"C:\\windows\\system32\\notepad.exe", 0, 0, &icon, nullptr, MAKELONG(size, size)),
            S_OK);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT all{0, 0, size, size};
  const HBRUSH faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(memory, &all, faceBrush);
  DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  int different = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const COLORREF expected = GetPixel(memory, x, y);
      const COLORREF shown = WindowPixel(button, x + 1, y + 1);
      const int diff = std::max({std::abs(GetRValue(expected) - GetRValue(shown)),
                                 std::abs(GetGValue(expected) - GetGValue(shown)),
                                 std::abs(GetBValue(expected) - GetBValue(shown))});
      different += diff > 8 ? 1 : 0;
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteObject(faceBrush);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DestroyIcon(icon);
  EXPECT_LT(different, size * size / 50) << different << " pixels differ from the 48-pixel image";
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
