// Launching: a click, Enter or F5 starts a button's program or opens its
// document through the shell, and counts the launch.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

class LaunchTest : public PlacedLauncherTest {
 protected:
};

TEST_F(LaunchTest, ClickEnterAndF5StartTheProgramAndCountButDeleteDoesNot) {
  const std::filesystem::path recorder = InstallRecorder(L"My Tools");
  WriteBytes(DataFile(), std::string(kHeader) + Line({"rec", Field(recorder), Field(dir / L"elsewhere"),
                                                      "/p \"quoted arg\"", "3", "", "0", "0", "0", "41", "0"}));
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  const HWND button = Buttons(launcher).at(0);

  ASSERT_TRUE(ActivateWindow(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == button; })) << "activation focuses the first button";
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForRecords(recorder, 1).size(), 1u) << "Enter launches the focused button";
  PressKey(VK_F5);
  ASSERT_EQ(WaitForRecords(recorder, 2).size(), 2u) << "F5 too";
  PressKey(VK_DELETE);
  ClickAt(CentreOf(button));
  const std::vector<LaunchRecord> records = WaitForRecords(recorder, 3);
  Sleep(300);
  ASSERT_EQ(ReadLaunchRecords(recorder.parent_path() / L"recorder.log").size(), 3u) << "Delete launches nothing";

  for (const LaunchRecord& r : records) {
    EXPECT_EQ(r.commandLine, L"\"" + recorder.wstring() + L"\" /p \"quoted arg\"")
        << "a path with spaces is quoted, the parameters stay as written";
    EXPECT_EQ(r.folder, dir.Path().wstring()) << "programs start in the launcher's own folder";
    EXPECT_EQ(r.show, SW_SHOWMAXIMIZED);
  }
  CloseAndWait(launcher);
  EXPECT_NE(ReadBytes(DataFile()).find("\x1B" "44\x1B" "0\x1B\r\n"), std::string::npos) << "three launches counted";
}

TEST_F(LaunchTest, PathWithoutSpacesKeepsTheClassicCommandLine) {
  const std::filesystem::path recorder = InstallRecorder(L"tools");
  WriteBytes(DataFile(), std::string(kHeader) +
                             Line({"rec", Field(recorder), "", "", "1", "", "0", "0", "0", "2147483647", "0"}));
  SetSetting(L"Set", L"CountEnable", L"True");
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  ClickAt(CentreOf(Buttons(launcher).at(0)));
  const std::vector<LaunchRecord> records = WaitForRecords(recorder, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].commandLine, recorder.wstring() + L" ") << "path, one space, no parameters";
  EXPECT_EQ(records[0].show, SW_SHOWNORMAL);
  CloseAndWait(launcher);
  EXPECT_NE(ReadBytes(DataFile()).find("\x1B" "2147483647\x1B"), std::string::npos) << "the count stops at its maximum";
}

TEST_F(LaunchTest, CountingOffStillLaunches) {
  const std::filesystem::path recorder = InstallRecorder(L"tools");
  WriteBytes(DataFile(), std::string(kHeader) + Line({"rec", Field(recorder), "", "", "1", "", "0", "0", "0", "5", "0"}));
  SetSetting(L"Set", L"CountEnable", L"False");
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  ClickAt(CentreOf(Buttons(launcher).at(0)));
  EXPECT_EQ(WaitForRecords(recorder, 1).size(), 1u);
  CloseAndWait(launcher);
  EXPECT_NE(ReadBytes(DataFile()).find("\x1B" "5\x1B" "0\x1B\r\n"), std::string::npos);
}

TEST_F(LaunchTest, DocumentsOpenThroughTheShellInTheirWorkingFolder) {
  // A document type of the test's own, opened by the recorder.
  const std::filesystem::path recorder = InstallRecorder(L"handler");
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"VornishTest.Doc\\shell\\open\\command", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  UniqueKey command(raw);
  const std::wstring handler = L"\"" + recorder.wstring() + L"\" \"%1\"";
  RegSetValueExW(command.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(handler.c_str()),
                 static_cast<DWORD>((handler.size() + 1) * sizeof(wchar_t)));
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L".vrntest", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  UniqueKey extension(raw);
  const std::wstring type = L"VornishTest.Doc";
  RegSetValueExW(extension.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(type.c_str()),
                 static_cast<DWORD>((type.size() + 1) * sizeof(wchar_t)));

  CreateFolders(dir / L"docs");
  const std::filesystem::path document = dir / L"docs" / L"note.vrntest";
  WriteBytes(document, "note");
  WriteBytes(DataFile(), std::string(kHeader) +
                             Line({"doc", Field(document), Field(dir / L"docs"), "", "2", "", "0", "0", "0", "0", "0"}) +
                             Line({"doc2", Field(document), Field(dir / L"deleted"), "", "1", "", "0", "0", "0", "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  ClickAt(CentreOf(Buttons(launcher).at(0)));
  ASSERT_EQ(WaitForRecords(recorder, 1).size(), 1u);
  ClickAt(CentreOf(Buttons(launcher).at(1)));
  const std::vector<LaunchRecord> records = WaitForRecords(recorder, 2);
  CloseAndWait(launcher);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L".vrntest");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"VornishTest.Doc");

  ASSERT_EQ(records.size(), 2u);
  EXPECT_NE(records[0].commandLine.find(document.wstring()), std::wstring::npos);
  EXPECT_EQ(records[0].folder, (dir / L"docs").wstring());
  EXPECT_EQ(records[0].show, SW_SHOWMINIMIZED) << "the window state is the shell's show command";
  EXPECT_EQ(records[1].folder, dir.Path().wstring()) << "a deleted working folder falls back to the launcher's";
  const std::string saved = ReadBytes(DataFile());
  EXPECT_NE(saved.find("\x1B" "1\x1B" "0\x1B\r\n" "doc2"), std::string::npos) << "each counted once";
}

TEST_F(LaunchTest, TextDocumentOpensInItsEditor) {
  const std::filesystem::path text = dir / L"memo-for-launch.txt";
  WriteBytes(text, "hello");
  WriteBytes(DataFile(), std::string(kHeader) + Line({"memo", Field(text), "", "", "1", "", "0", "0", "0", "0", "0"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  ClickAt(CentreOf(Buttons(launcher).at(0)));
  const HWND editor = WaitFor([] {
    for (HWND w : FindTopLevelWindows(L"Notepad")) {
      if (TextOf(w).find(L"memo-for-launch") != std::wstring::npos) return w;
    }
    return HWND{};
  });
  ASSERT_NE(editor, nullptr) << "the shell opened the document";
  PostMessageW(editor, WM_CLOSE, 0, 0);
  WaitUntil([&] { return !IsWindow(editor); });
  CloseAndWait(launcher);
  EXPECT_NE(ReadBytes(DataFile()).find("\x1B" "1\x1B" "0\x1B\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vornish::e2e
