// Starting and ending the launcher, and the files it keeps: refusals, one
// launcher at a time, saving on every way out, the data file kept byte for
// byte and never lost, a crash never repeated, the window's place (and what
// of a long strip the screen shows).
#include "launcher/Fixture.h"

#include <shlobj.h>

namespace vornish::e2e {
namespace {

using LifecycleTest = LauncherTest;

TEST_F(LifecycleTest, RefusalsAndOneLauncherWithoutAFile) {
  // Which files are refused is the start decision's, tested natively; here,
  // that a refusal is told, naming the file, and ends the launcher.
  const std::wstring missing = (dir / L"nothing here.dat").wstring();
  Launcher refused(dir.path());
  refused.StartOnly(missing);
  ASSERT_TRUE(WaitForDialog(refused.Id(), L"Vornish"));
  EXPECT_FALSE(TopWindow(refused.Id(), kMainClass));
  EXPECT_EQ(AnswerBox(refused.Id()), L"ﾌｧｲﾙが見つかりません。\r\n\r\n" + missing) << "the file named";
  EXPECT_EQ(refused.WaitForExit(), kCleanExit);

  // A launcher of a file of its own runs (the path quoted and padded, the
  // header with spaces and a byte-order mark); one without a file ends
  // silently beside it, whichever way the first was started.
  CreateFolders(dir / L"my data");
  const Path own = dir / L"my data" / L"tools.dat";
  WriteBytes(own, "\xEF\xBB\xBF  [Vornish Ver.1.0] \r\n" + Named("A"));
  Launcher withFile(dir.path());
  ASSERT_TRUE(withFile.Start(L"  \"" + own.wstring() + L"\" "));
  EXPECT_EQ(TextOf(withFile.Buttons().at(0)), L"A");
  Launcher plain(dir.path());
  plain.StartOnly();
  EXPECT_EQ(plain.WaitForExit(), kCleanExit);
  withFile.Close();
  EXPECT_EQ(ReadBytes(own), kHeader + Named("A")) << "written back where it was read from";
  EXPECT_FALSE(Exists(DataFile()));
}

TEST_F(LifecycleTest, FirstStartAndEveryWayOutSaveTheSameFiles) {
  {
    Launcher launcher(dir.path());
    const HWND main = launcher.Start();
    ASSERT_TRUE(main);
    EXPECT_EQ(launcher.Buttons().size(), 1u);
    EXPECT_EQ(::GetWindowLongW(main, GWL_STYLE) & WS_CAPTION, 0) << "no caption";
    EXPECT_TRUE(launcher.Bar());
    launcher.Close();
  }
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + kEmptyLine);
  EXPECT_EQ(ListSettings(L"Set"), SavedSettings());

  SetSetting(L"Set", L"ControlDblClick", L"2");
  Settings exitOnDoubleClick;
  exitOnDoubleClick.ControlDblClick = 2;
  const std::string file = kHeader + Named("A", 3) + kEmptyLine;
  for (int way = 0; way < 5; ++way) {
    SCOPED_TRACE(way);
    WriteBytes(DataFile(), file);
    Launcher launcher(dir.path());
    const HWND main = launcher.Start();
    ASSERT_TRUE(main);
    switch (way) {
      case 0:  // the button menu's "終了(&X)"
        ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(1)), {'X'}));
        break;
      case 1:  // the control menu's "終了(&X)"
        ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Bar()), {'X'}));
        break;
      case 2:  // the tray menu's "終了(&X)"
        ASSERT_TRUE(OpenTrayMenu(launcher));
        Press('X');
        break;
      case 3:  // a double-click on the control bar
        DoubleClick(CentreOf(launcher.Bar()));
        break;
      default:  // the end of the Windows session
        EXPECT_NE(::SendMessageW(main, WM_QUERYENDSESSION, 0, 0), 0);
        ::SendMessageW(main, WM_ENDSESSION, TRUE, 0);
        break;
    }
    EXPECT_EQ(launcher.WaitForExit(), kCleanExit);
    EXPECT_EQ(ReadBytes(DataFile()), file);
    EXPECT_EQ(ListSettings(L"Set"), SavedSettings(exitOnDoubleClick));
    EXPECT_EQ(ListSettings(L"Window"), (std::map<std::wstring, std::wstring>{{L"MainLeft", L"4500"}, {L"MainTop", L"3000"}}));
  }
}

// The messages' texts are the launcher's own table; here, that each is told
// when it should be, naming the file.
TEST_F(LifecycleTest, SaveProblemsKeepTheFileAndSayWhy) {
  // A read-only file: the save fails at exit, the user is told why, the old
  // file stays and the settings are saved all the same.
  const std::string old = kHeader + Named("old");
  WriteBytes(DataFile(), old);
  const auto readOnly = [&](bool yes) {
    ASSERT_TRUE(::SetFileAttributesW(DataFile().c_str(), yes ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
  };
  readOnly(true);
  {
    Launcher launcher(dir.path());
    ASSERT_TRUE(launcher.Start());
    ::PostMessageW(launcher.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(AnswerBox(launcher.Id()).starts_with(
        L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。\r\n\r\n" + DataFile().wstring() + L"\r\n"));
    EXPECT_EQ(launcher.WaitForExit(), kCleanExit);
  }
  EXPECT_EQ(ListSettings(L"Set"), SavedSettings());

  // While Windows ends, no box may hold the session up: the launcher ends at
  // once and tells the failure at the next start.
  {
    Launcher launcher(dir.path());
    ASSERT_TRUE(launcher.Start());
    ::SendMessageW(launcher.Main(), WM_QUERYENDSESSION, 0, 0);
    ::PostMessageW(launcher.Main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(launcher.WaitForExit(), kCleanExit);
  }
  readOnly(false);
  EXPECT_EQ(ReadBytes(DataFile()), old);
  {
    Launcher launcher(dir.path());
    launcher.StartOnly();
    EXPECT_TRUE(AnswerBox(launcher.Id()).starts_with(
        L"Windowsの終了時にﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。\r\n\r\n" +
        DataFile().wstring()));
    ASSERT_TRUE(launcher.WaitForMain());
    launcher.Close();
  }

  // A file another program holds: reported at start, and never overwritten.
  UniqueKernelHandle lock(::CreateFileW(DataFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  Launcher launcher(dir.path());
  launcher.StartOnly();
  EXPECT_TRUE(AnswerBox(launcher.Id()).starts_with(L"ﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。\r\n\r\n" + DataFile().wstring()));
  ASSERT_TRUE(launcher.WaitForMain()) << "the launcher still starts";
  EXPECT_EQ(launcher.Buttons().size(), 1u);
  lock.reset();
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), old);
}

TEST_F(LifecycleTest, WhatOtherProgramsPutThereIsNeverLost) {
  // A save cut short by a process long gone left its temporary file.
  WriteBytes(dir / L"VRN.dat.~99999.tmp", "half a file");
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir / L"VRN.dat.~99999.tmp"); }));
  // A backup restored while the launcher runs.
  WriteBytes(DataFile(), kHeader + Named("A") + Named("B") + Named("C"));
  ::PostMessageW(launcher.Main(), WM_CLOSE, 0, 0);
  const std::wstring told = AnswerBox(launcher.Id());
  const std::size_t first = told.find(L"\r\n\r\n") + 4;
  const std::wstring kept = told.substr(first, told.find(L"\r\n\r\n", first) - first);
  EXPECT_EQ(launcher.WaitForExit(), kCleanExit);
  EXPECT_EQ(ReadBytes(kept), kHeader + Named("A") + Named("B") + Named("C")) << Utf8(told);
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + kEmptyLine);
  // A file that is no data file of the launcher's is kept as a locked one is;
  // which files those are is the data file's unit tests'.
}

// %LOCALAPPDATA%\\Vornish, where crashes leave their reports and notes.
Path CrashFolder() {
  PWSTR local = nullptr;
  if (FAILED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) Fail("LOCALAPPDATA");
  const Path folder = Path(local) / L"Vornish";
  ::CoTaskMemFree(local);
  return folder;
}

// An icon file whose header claims 65,535 images makes the system's icon
// reader fault, on the thread that reads it. The launcher crashes once: the
// next start does not read that file again, says so, shows the button with
// its colour only, keeps it in the data file, and says nothing more after.
TEST_F(LifecycleTest, AFileThatCrashedTheLauncherIsSkippedAtTheNextStart) {
  RemoveTree(CrashFolder());
  const Path icon = dir / L"bad.ico";
  WriteBytes(icon, std::string("\0\0\1\0\xFF\xFF\x10\x10\0\0\1\0\x20\0\x28\0\0\0\x16\0\0\0", 22) + std::string(16, '\0'));
  const std::string file = kHeader + Line({.title = "bad", .file = Cp932(icon.wstring())});
  WriteBytes(DataFile(), file);
  {
    // Under Wine the reader faults; Windows' may only refuse the file, and
    // the launcher then simply runs.
    Launcher first(dir.path());
    first.StartOnly();
    EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  }
  {
    Launcher second(dir.path());
    second.StartOnly();
    const std::wstring told = AnswerBox(second.Id());
    EXPECT_TRUE(told.starts_with(L"前回、次のﾌｧｲﾙを読み込んでいる途中で予期しない問題が起きたため") &&
                told.find(L"\r\n" + icon.wstring() + L"\r\n") != std::wstring::npos)
        << Utf8(told);
    ASSERT_TRUE(second.WaitForMain()) << "stays up";
    const HWND button = second.Buttons().at(0);
    EXPECT_TRUE(WaitUntil([&] { return Pixels(button).at(16, 16) == ::GetSysColor(COLOR_BTNFACE); })) << "its colour only";
    second.Close();
  }
  EXPECT_EQ(ReadBytes(DataFile()), file);
  Launcher third(dir.path());
  EXPECT_TRUE(third.Start()) << "no second message";
  third.Close();
  RemoveTree(CrashFolder());
}

TEST_F(LifecycleTest, WindowPlaceIsRestoredPulledBackAndKept) {
  SetSetting(L"Window", L"MainLeft", L"999999");
  SetSetting(L"Window", L"MainTop", L"-45");
  {
    Launcher launcher(dir.path());
    const HWND main = launcher.Start();
    ASSERT_TRUE(main);
    EXPECT_EQ(RectOf(main).right, ::GetSystemMetrics(SM_CXSCREEN)) << "pulled back to the right edge";
    EXPECT_EQ(RectOf(main).top, 0);
    ::SetWindowPos(main, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    launcher.Close();
  }
  EXPECT_EQ(ListSettings(L"Window"), (std::map<std::wstring, std::wstring>{{L"MainLeft", L"4500"}, {L"MainTop", L"2250"}}));

  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  EXPECT_EQ(RectOf(main).left, 300);
  ::ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main) != FALSE; }));
  launcher.Close();
  EXPECT_EQ(ListSettings(L"Window")[L"MainLeft"], L"4500") << "a minimised window keeps the stored place";

  // Forty red buttons, longer than the screen: what no screen can show is a
  // hidden window, shown and painted once the window moves there.
  std::string forty = kHeader;
  for (int i = 0; i < 40; ++i) forty += Line({.colour = 255});
  WriteBytes(DataFile(), forty);
  Launcher longer(dir.path());
  const HWND strip = longer.Start();
  ASSERT_TRUE(strip);
  const std::vector<HWND> buttons = longer.Buttons();
  ASSERT_EQ(buttons.size(), 40u);
  const auto red = [](HWND b) { return ::IsWindowVisible(b) && Pixels(b).at(5, 5) == RGB(255, 0, 0); };
  EXPECT_TRUE(WaitUntil([&] { return red(buttons.front()) && !::IsWindowVisible(buttons.back()); }));
  ::SetWindowPos(strip, nullptr, -400, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return red(buttons.back()) && !::IsWindowVisible(buttons.front()); }));
  longer.Close();
}

}  // namespace
}  // namespace vornish::e2e
