// Starting and ending the launcher: first start, the data-file argument and
// its refusals, one launcher at a time.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using StartupTest = LauncherTest;

TEST_F(StartupTest, FirstStartShowsOneEmptyButtonAndSavesDefaultsAtExit) {
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Buttons(launcher).size(), 1u);
  EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) & WS_CAPTION, 0) << "the launcher has no caption";
  EXPECT_EQ(launcher.FindChildren(kControlBarClass).size(), 1u);
  CloseAndWait(launcher);

  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) + kEmptyButtonLine);
  EXPECT_EQ(ListSettings(L"Set"), DefaultSetSection());
  EXPECT_EQ(ListSettings(L"Window"), (std::map<std::wstring, std::wstring>{{L"MainLeft", L"0"}, {L"MainTop", L"0"}}));
}

TEST_F(StartupTest, MissingDataFileArgumentIsRefused) {
  LauncherProcess launcher(dir.Path());
  launcher.Start((dir / L"nothing here.dat").wstring());
  const auto box = WaitForMessageBox(launcher.Pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_EQ(box->text, L"ﾌｧｲﾙが見つかりません。");
  EXPECT_TRUE(FindWindowsOfClass(launcher.Pid(), kMainWindowClass).empty());
  ASSERT_TRUE(PressButton(box->window));
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_FALSE(Exists(DataFile()));
}

TEST_F(StartupTest, FileWithoutTheHeaderIsRefused) {
  for (const std::string& content : {std::string("hello\r\n"), std::string(), std::string("[VORNISH VER.1.0]\r\n")}) {
    WriteBytes(dir / L"other.dat", content);
    LauncherProcess launcher(dir.Path());
    launcher.Start((dir / L"other.dat").wstring());
    const auto box = WaitForMessageBox(launcher.Pid());
    ASSERT_TRUE(box.has_value()) << content;
    EXPECT_EQ(box->title, L"Vornish");
    EXPECT_EQ(box->text, L"Vornishのﾃﾞｰﾀﾌｧｲﾙではありません。");
    ASSERT_TRUE(PressButton(box->window));
    EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(ReadBytes(dir / L"other.dat"), content) << "a refused file is never touched";
  }
}

TEST_F(StartupTest, AcceptedArgumentForms) {
  // Spaces around the header, a byte-order mark, a quoted path with spaces and
  // spaces around the whole argument.
  CreateFolders(dir / L"my data");
  const std::filesystem::path file = dir / L"my data" / L"tools.dat";
  const std::string body = Line({"A", "C:\\a.exe", "C:\\", "", "1", "", "0", "0", "255", "3", "0"});
  for (const std::string& header : {std::string("  [Vornish Ver.1.0]  \r\n"), std::string("\xEF\xBB\xBF[Vornish Ver.1.0]\r\n")}) {
    WriteBytes(file, header + body);
    LauncherProcess launcher(dir.Path());
    const HWND main = StartAndWait(launcher, L"  \"" + file.wstring() + L"\"  ");
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(Buttons(launcher).size(), 1u);
    EXPECT_EQ(TextOf(Buttons(launcher)[0]), L"A");
    CloseAndWait(launcher);
    EXPECT_EQ(ReadBytes(file), std::string(kHeader) + body) << "written back where it was read from";
  }
  EXPECT_FALSE(Exists(DataFile())) << "the default file is not used";
}

TEST_F(StartupTest, OnlyOneLauncherWithoutArgument) {
  LauncherProcess first(dir.Path());
  ASSERT_NE(StartAndWait(first), nullptr);

  LauncherProcess second(dir.Path());
  second.Start();
  EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(0)) << "ends silently";
  EXPECT_TRUE(FindWindowsOfClass(second.Pid(), L"").empty());

  // A launcher for a data file of its own runs beside it.
  WriteBytes(dir / L"own.dat", std::string(kHeader));
  LauncherProcess withFile(dir.Path());
  ASSERT_NE(StartAndWait(withFile, (dir / L"own.dat").wstring()), nullptr);
  EXPECT_TRUE(first.IsRunning());
  CloseAndWait(first);
  CloseAndWait(withFile);
}

TEST_F(StartupTest, LauncherWithArgumentAlsoBlocksOneWithout) {
  WriteBytes(dir / L"own.dat", std::string(kHeader));
  LauncherProcess withFile(dir.Path());
  ASSERT_NE(StartAndWait(withFile, (dir / L"own.dat").wstring()), nullptr);

  LauncherProcess plain(dir.Path());
  plain.Start();
  EXPECT_EQ(plain.WaitForExit(), std::optional<DWORD>(0));
  CloseAndWait(withFile);
  EXPECT_FALSE(Exists(DataFile()));
}

TEST_F(StartupTest, EndOfSessionSavesLikeAnExit) {
  WriteBytes(DataFile(), std::string(kHeader) + Line({"X", "C:\\x.exe", "", "", "1", "", "0", "0", "0", "0", "0"}));
  SetSetting(L"Set", L"Size", L"24");
  LauncherProcess launcher(dir.Path());
  const HWND main = StartAndWait(launcher);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(SendMessageW(main, WM_QUERYENDSESSION, 0, 0), 0) << "the launcher lets the session end";
  SendMessageW(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadBytes(DataFile()),
            std::string(kHeader) + Line({"X", "C:\\x.exe", "", "", "1", "", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(GetSetting(L"Set", L"Size"), L"24");
  EXPECT_EQ(GetSetting(L"Window", L"MainLeft"), L"0");
}

}  // namespace
}  // namespace vornish::e2e
