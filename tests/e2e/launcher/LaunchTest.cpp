// Launching: a click, Enter or F5 starts a button's program or opens its
// document through the shell, as configured, and counts the launch.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using LaunchTest = LauncherTest;

TEST_F(LaunchTest, ProgramsAndDocumentsStartAsConfigured) {
  const Path program = InstallRecorder(L"My Tools");
  const Path handler = InstallRecorder(L"handler");
  // A document type of the test's own, opened by the handler.
  const RegistryValue type(HKEY_CLASSES_ROOT, L".vrntest", nullptr, L"VornishTest.Doc");
  const RegistryValue command(HKEY_CLASSES_ROOT, L"VornishTest.Doc\\shell\\open\\command", nullptr,
                              L"\"" + handler.wstring() + L"\" \"%1\"");
  CreateFolders(dir / L"docs");
  const Path document = dir / L"docs" / L"note.vrntest";
  WriteBytes(document, "note");
  const std::string doc = Utf8(document.wstring());
  WriteBytes(DataFile(), kHeader +
                             Line({.title = "rec", .file = Utf8(program.wstring()), .path = Utf8((dir / L"elsewhere").wstring()),
                                   .param = "/p \"quoted arg\"", .state = 3, .count = 41}) +
                             Line({.title = "doc", .file = doc, .path = Utf8((dir / L"docs").wstring()), .state = 2}));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const std::vector<HWND> buttons = launcher.Buttons();

  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == buttons[0]; })) << "activation focuses the first button";
  Press(VK_RETURN);
  ASSERT_EQ(Records(program, 1).size(), 1u) << "Enter launches the focused button";
  Press(VK_F5);
  ASSERT_EQ(Records(program, 2).size(), 2u) << "F5 too";
  Press(VK_DELETE);
  Click(CentreOf(buttons[0]));
  ASSERT_EQ(Records(program, 3).size(), 3u);

  // Which folder a launch starts in (the launcher's when the button's is
  // gone) is the launch plan's, tested natively.
  Click(CentreOf(buttons[1]));
  const std::vector<LaunchRecord> opened = Records(handler, 1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_NE(opened[0].commandLine.find(document.wstring()), std::wstring::npos);
  EXPECT_EQ(opened[0].folder, (dir / L"docs").wstring()) << "the document's working folder";
  EXPECT_EQ(opened[0].show, SW_SHOWMINIMIZED) << "the window state is the shell's show command";
  launcher.Close();
  const std::string saved = ReadBytes(DataFile());
  EXPECT_NE(saved.find("\x1B" "44\x1B" "0\x1B\r\ndoc"), std::string::npos) << "three launches, Delete none";
  EXPECT_TRUE(saved.ends_with("\x1B" "1\x1B" "0\x1B\r\n")) << "a document's launch counts too";
  const LaunchRecord started{L"\"" + program.wstring() + L"\" /p \"quoted arg\"", dir.path().wstring(),
                             SW_SHOWMAXIMIZED};
  EXPECT_EQ(Records(program, 3), std::vector<LaunchRecord>(3, started))
      << "quoted program path, parameters as written, the launcher's folder";
}

// The red badge a button shows in the corner of its face while its file is gone.
bool ShowsMissingMark(HWND button) {
  const Pixels face(button);
  return face.at(face.width() - 2, face.height() - 2) == RGB(0xC8, 0x1E, 0x1E);
}

TEST_F(LaunchTest, AMissingProgramIsShownAndToldAndWorksOnceItIsBack) {
  const Path program = InstallRecorder(L"tools");
  const Path elsewhere = dir / L"tools" / L"moved away.exe";
  ASSERT_TRUE(::MoveFileW(program.c_str(), elsewhere.c_str()));
  const auto line = [&](int count) { return Line({.title = "rec", .file = Utf8(program.wstring()), .count = count}); };
  WriteBytes(DataFile(), kHeader + line(3) + kEmptyLine);
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const std::vector<HWND> buttons = launcher.Buttons();
  EXPECT_TRUE(WaitUntil([&] { return ShowsMissingMark(buttons[0]); })) << "unlike an empty button";
  EXPECT_FALSE(ShowsMissingMark(buttons[1]));

  Click(CentreOf(buttons[0]));
  EXPECT_NE(AnswerBox(launcher.Id()).find(L"\r\n" + program.wstring() + L"\r\n"), std::wstring::npos) << "names the file";

  ASSERT_TRUE(::MoveFileW(elsewhere.c_str(), program.c_str()));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == buttons[0]; }));
  Press(VK_RETURN);  // a second click this soon would be a double-click
  EXPECT_EQ(Records(program, 1).size(), 1u) << "back, it starts at once";
  EXPECT_TRUE(WaitUntil([&] { return !ShowsMissingMark(buttons[0]); }));
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + line(4) + kEmptyLine) << "the click that found nothing was not counted";
}

}  // namespace
}  // namespace vornish::e2e
