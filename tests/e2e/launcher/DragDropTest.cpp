// Files dropped on buttons, and buttons dragged onto each other.
#include "launcher/Fixture.h"

#include <ole2.h>

namespace vornish::e2e {
namespace {

class DragDropTest : public PlacedLauncherTest {
 protected:
  // Somewhere on the screen away from the launcher, where a drag starts.
  static POINT Elsewhere() { return POINT{700, 600}; }
  std::filesystem::path MakeFile(const std::wstring& name) {
    const std::filesystem::path path = dir / name;
    WriteBytes(path, "text");
    return path;
  }
  static std::string Named(const char* title, int count) {
    return Line({title, std::string("C:\\") + title + ".exe", "", "", "1", "", "0", "0", "-2147483633",
                 std::to_string(count), "0"});
  }
  // The line a dropped file registers.
  static std::string Registered(const std::filesystem::path& file) {
    return Line({Field(file.filename()), Field(file), Field(file.parent_path()) + "\\", "", "1", "", "0", "0",
                 "-2147483633", "0", "0"});
  }
};

TEST_F(DragDropTest, OleDropOfThreeFilesRegistersTheFirst) {
  const std::filesystem::path first = MakeFile(L"first file.txt");
  const std::filesystem::path second = MakeFile(L"b.txt");
  const std::filesystem::path third = MakeFile(L"c.txt");
  WriteBytes(DataFile(), std::string(kHeader) + Named("A", 7) + Named("B", 9));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND target = Buttons(launcher).at(1);
  const DWORD effect = OleDragFiles({first.wstring(), second.wstring(), third.wstring()}, Elsewhere(), CentreOf(target));
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(target) == L"first file.txt"; }));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Named("A", 7) + Registered(first))
      << "count 0, standard colour, the others not registered anywhere";
}

TEST_F(DragDropTest, OlderDropMessageRegistersToo) {
  const std::filesystem::path file = MakeFile(L"notes.txt");
  WriteBytes(DataFile(), std::string(kHeader) + Named("A", 7));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND target = Buttons(launcher).at(0);
  const RemoteBuffer drop =
      DropFiles(launcher.GetProcess().Handle(), target, {file.wstring(), MakeFile(L"z.txt").wstring()}, POINT{5, 5});
  ASSERT_TRUE(WaitUntil([&] { return TextOf(target) == L"notes.txt"; }));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Registered(file));
}

TEST_F(DragDropTest, LongPathsAndNamesBeyondTheCodePageSurviveARestart) {
  std::filesystem::path folder = dir.Path();
  while (folder.wstring().size() < 280) folder /= std::wstring(40, L'd');
  CreateFolders(folder);
  const std::filesystem::path file = folder / L"메모 한국어.txt";
  WriteBytes(file, "text");
  WriteBytes(DataFile(), std::string(kHeader) + Named("A", 7));
  {
    LauncherProcess launcher(dir.Path());
    ASSERT_NE(StartAndWait(launcher), nullptr);
    const HWND target = Buttons(launcher).at(0);
    const RemoteBuffer drop = DropFiles(launcher.GetProcess().Handle(), target, {file.wstring()}, POINT{5, 5});
    ASSERT_TRUE(WaitUntil([&] { return TextOf(target) == L"메모 한국어.txt"; }));
    CloseAndWait(launcher);
  }
  const std::string saved = ReadBytes(DataFile());
  EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF") << "kept as UTF-8, not as question marks";
  EXPECT_NE(saved.find(Utf8(file.wstring())), std::string::npos);

  LauncherProcess again(dir.Path());
  ASSERT_NE(StartAndWait(again), nullptr);
  EXPECT_EQ(TextOf(Buttons(again).at(0)), L"메모 한국어.txt");
  CloseAndWait(again);
  EXPECT_EQ(ReadBytes(DataFile()), saved);
}

TEST_F(DragDropTest, LockedButtonOpensTheFileWithItsProgram) {
  const std::filesystem::path recorder = InstallRecorder(L"tools");
  const std::filesystem::path spaced = MakeFile(L"my memo.txt");
  const std::filesystem::path plain = MakeFile(L"memo.txt");
  const std::string locked = Line({"rec", Field(recorder), "", "", "1", "", "0", "1", "-2147483632", "5", "0"});
  WriteBytes(DataFile(), std::string(kHeader) + locked);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND button = Buttons(launcher).at(0);
  OleDragFiles({spaced.wstring()}, Elsewhere(), CentreOf(button));
  ASSERT_EQ(WaitForRecords(recorder, 1).size(), 1u);
  const RemoteBuffer drop = DropFiles(launcher.GetProcess().Handle(), button, {plain.wstring()}, POINT{5, 5});
  const std::vector<LaunchRecord> records = WaitForRecords(recorder, 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].commandLine, recorder.wstring() + L" \"" + spaced.wstring() + L"\"")
      << "a path with spaces arrives as one argument";
  EXPECT_EQ(records[1].commandLine, recorder.wstring() + L" " + plain.wstring());
  EXPECT_EQ(TextOf(button), L"rec") << "a locked button keeps its program";
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()),
            std::string(kHeader) + Line({"rec", Field(recorder), "", "", "1", "", "0", "1", "-2147483632", "7", "0"}));
}

TEST_F(DragDropTest, DraggingAButtonOntoAnotherSwapsThemAndBackAgain) {
  std::string file(kHeader);
  const char* names[] = {"A", "B", "C", "D", "E", "F"};
  for (int i = 0; i < 6; ++i) file += Named(names[i], i * 10);
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const std::vector<HWND> buttons = Buttons(launcher);
  ASSERT_EQ(buttons.size(), 6u);

  DragAndRelease(CentreOf(buttons[2]), CentreOf(buttons[5]), 10);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[2]) == L"F" && TextOf(buttons[5]) == L"C"; }));
  Sleep(GetDoubleClickTime());
  DragAndRelease(CentreOf(buttons[5]), CentreOf(buttons[2]), 10);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[2]) == L"C" && TextOf(buttons[5]) == L"F"; }));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), file) << "the first order again, counts included";
}

TEST_F(DragDropTest, OneSwapIsSavedWithItsCounts) {
  WriteBytes(DataFile(), std::string(kHeader) + Named("A", 1) + Named("B", 2) + Named("C", 3));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const std::vector<HWND> buttons = Buttons(launcher);
  DragAndRelease(CentreOf(buttons[0]), CentreOf(buttons[2]), 10);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[0]) == L"C"; }));
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + Named("C", 3) + Named("B", 2) + Named("A", 1));
}

TEST_F(DragDropTest, ReleasedOverTheControlBarNothingChanges) {
  const std::string file = std::string(kHeader) + Named("A", 1) + Named("B", 2);
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const HWND bar = launcher.FindChildren(kControlBarClass).at(0);
  DragAndRelease(CentreOf(Buttons(launcher).at(1)), CentreOf(bar), 10);
  Sleep(300);
  EXPECT_EQ(TextOf(Buttons(launcher).at(1)), L"B");
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), file);
}

TEST_F(DragDropTest, AShortMoveStaysAClick) {
  const std::filesystem::path recorder = InstallRecorder(L"tools");
  const std::string file = std::string(kHeader) +
                           Line({"rec", Field(recorder), "", "", "1", "", "0", "0", "0", "0", "0"}) + Named("B", 2);
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const POINT centre = CentreOf(Buttons(launcher).at(0));
  // Three pixels are 45 twips, within the 50 that a drag needs.
  DragAndRelease(centre, POINT{centre.x + 3, centre.y + 3}, 3);
  EXPECT_EQ(WaitForRecords(recorder, 1).size(), 1u) << "the press ended as a click";
  EXPECT_EQ(TextOf(Buttons(launcher).at(0)), L"rec");
  CloseAndWait(launcher);
}

}  // namespace
}  // namespace vornish::e2e
