// Files dropped on buttons from another program, both ways Windows delivers
// them, and buttons dragged onto each other.
#include "launcher/Fixture.h"

#include <ole2.h>

namespace vornish::e2e {
namespace {

class DragDropTest : public LauncherTest {
 protected:
  Path MakeFile(const std::wstring& name) {
    WriteBytes(dir / name, "text");
    return dir / name;
  }
  // The line a dropped file registers: its name, path and folder, all else new.
  static std::string Registered(const Path& file) {
    return Line({.title = Utf8(file.filename().wstring()), .file = Utf8(file.wstring()),
                 .path = Utf8(file.parent_path().wstring()) + "\\"});
  }
  static constexpr POINT kElsewhere{700, 600};  // where drags start, away from the launcher
};

TEST_F(DragDropTest, DroppedFilesRegisterOrOpenWithALockedButtonsProgram) {
  const Path recorder = InstallRecorder(L"tools");
  const Path first = MakeFile(L"first file.txt");
  const Path spaced = MakeFile(L"my memo.txt");
  // One dropped from a folder beyond the classic path limit, with a name the
  // code page cannot hold.
  Path folder = dir.path();
  while (folder.wstring().size() < 280) folder /= std::wstring(40, L'd');
  CreateFolders(folder);
  const Path notes = folder / L"메모 한국어.txt";
  WriteBytes(notes, "text");
  const auto locked = [&](int count) {
    return Line({.title = "rec", .file = Utf8(recorder.wstring()), .lock = true, .colour = -2147483632, .count = count});
  };
  WriteBytes(DataFile(), kHeader + Named("A", 7) + Named("B", 9) + locked(5));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  const std::vector<HWND> buttons = launcher.Buttons();

  EXPECT_EQ(OleDragFiles({first.wstring(), notes.wstring(), spaced.wstring()}, kElsewhere, CentreOf(buttons[1])),
            static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[1]) == L"first file.txt"; })) << "only the first file counts";
  const RemoteBuffer drop = DropFiles(buttons[0], {notes.wstring(), first.wstring()});
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[0]) == L"메모 한국어.txt"; }));

  OleDragFiles({spaced.wstring()}, kElsewhere, CentreOf(buttons[2]));
  ASSERT_EQ(Records(recorder, 1).size(), 1u);
  const RemoteBuffer lockedDrop = DropFiles(buttons[2], {first.wstring()});
  const std::vector<LaunchRecord> records = Records(recorder, 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].commandLine, recorder.wstring() + L" \"" + spaced.wstring() + L"\"") << "one argument";
  EXPECT_EQ(records[1].commandLine, recorder.wstring() + L" \"" + first.wstring() + L"\"");
  EXPECT_EQ(TextOf(buttons[2]), L"rec") << "a locked button keeps its program";
  launcher.Close();
  const std::string saved = "\xEF\xBB\xBF" + kHeader + Registered(notes) + Registered(first) + locked(7);
  EXPECT_EQ(ReadBytes(DataFile()), saved) << "UTF-8 with its mark, not question marks; read back natively";
}

TEST_F(DragDropTest, PastedFilesRegisterOrOpenWithALockedButtonsProgramAsDropsDo) {
  const Path recorder = InstallRecorder(L"tools");
  const Path notes = MakeFile(L"notes.txt");
  const Path memo = MakeFile(L"memo.txt");
  const auto locked = [&](int count) {
    return Line({.title = "rec", .file = Utf8(recorder.wstring()), .lock = true, .colour = -2147483632, .count = count});
  };
  WriteBytes(DataFile(), kHeader + kEmptyLine + locked(5));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const std::vector<HWND> buttons = launcher.Buttons();
  EXPECT_EQ(HoverTip(buttons[0]), L"ﾌｧｲﾙをﾄﾞﾛｯﾌﾟするか、ｺﾋﾟｰしてCtrl+Vで貼り付けると、このﾎﾞﾀﾝに登録できます。");

  CopyFiles({notes.wstring(), memo.wstring()});  // Ctrl+C in Explorer
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == buttons[0]; }));
  Press('V', true);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[0]) == L"notes.txt"; })) << "the first file, registered";
  CopyFiles({memo.wstring()});
  Press(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == buttons[1]; }));
  Press('V', true);
  const std::vector<LaunchRecord> records = Records(recorder, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].commandLine, recorder.wstring() + L" " + memo.wstring()) << "opened with the locked button's program";
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + Registered(notes) + locked(6));
}

TEST_F(DragDropTest, ADropIsSavedWhileTheLauncherRunsAndOutlivesAKill) {
  const Path notes = MakeFile(L"notes.txt");
  WriteBytes(DataFile(), kHeader + Named("A"));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  RightClick(CentreOf(launcher.Buttons().at(0)));
  ASSERT_TRUE(launcher.Menu());
  Press('T');  // "ﾎﾞﾀﾝ追加(&T)": a button made after the start takes OLE drags too
  ASSERT_TRUE(WaitUntil([&] { return launcher.Buttons().size() == 2u; }));
  EXPECT_EQ(OleDragFiles({notes.wstring()}, kElsewhere, CentreOf(launcher.Buttons().at(1))),
            static_cast<DWORD>(DROPEFFECT_COPY));
  const std::string saved = kHeader + Named("A") + Registered(notes);
  // By its size: a reader holding the file open could keep the save from replacing it.
  EXPECT_TRUE(WaitUntil([&] {
    std::error_code error;
    return std::filesystem::file_size(DataFile(), error) == saved.size();
  })) << "saved while it runs";
  launcher.Kill();  // TerminateProcess: no exit step
  EXPECT_EQ(ReadBytes(DataFile()), saved);
}

TEST_F(DragDropTest, ButtonsSwapByDraggingAndAShortMoveStaysAClick) {
  const Path recorder = InstallRecorder(L"tools");
  const auto rec = [&](int count) { return Line({.title = "rec", .file = Utf8(recorder.wstring()), .count = count}); };
  WriteBytes(DataFile(), kHeader + rec(0) + Named("B", 2) + Named("C", 3) + Named("D", 4));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  const std::vector<HWND> buttons = launcher.Buttons();

  // Three pixels are 45 twips, within the 50 that a drag needs.
  const POINT centre = CentreOf(buttons[0]);
  Drag(centre, POINT{centre.x + 3, centre.y + 3}, 3);
  EXPECT_EQ(Records(recorder, 1).size(), 1u) << "the press ended as a click";

  // Onto the bar nothing can be dropped: the swap that follows shows that
  // drag was over, the input taken in order.
  Drag(CentreOf(buttons[2]), CentreOf(launcher.Bar()), 10);
  Drag(CentreOf(buttons[1]), CentreOf(buttons[3]), 10);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(buttons[1]) == L"D" && TextOf(buttons[3]) == L"B"; }));
  EXPECT_EQ(TextOf(buttons[2]), L"C");
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + rec(1) + Named("D", 4) + Named("C", 3) + Named("B", 2))
      << "contents and counts changed places";
}

}  // namespace
}  // namespace vornish::e2e
