// The data file as the user keeps it: read at start, written back at exit
// byte for byte, and never lost.
#include "launcher/Fixture.h"

namespace vornish::e2e {
namespace {

using DataFileTest = LauncherTest;

TEST_F(DataFileTest, JapaneseFileIsShownAndWrittenBackByteForByte) {
  const std::string file =
      std::string(kHeader) +
      Line({Cp932(L"メモ帳"), "C:\\windows\\notepad.exe", "C:\\windows", "", "1", "", "0", "0", "-2147483633", "12", "0"}) +
      Line({Cp932(L"表計算ｿﾌﾄ, \"引用\""), Cp932(L"C:\\ツール\\計算.exe"), Cp932(L"C:\\ツール\\"), "/x y", "3",
            "C:\\windows\\system32\\shell32.dll", "4", "1", "16711935", "0", "0"}) +
      Line({Cp932(L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ"), "SysObj", "C:\\windows\\system32\\", "", "1", "C:\\windows\\system32\\shell32.dll",
            "35", "1", "-2147483647", "7", "2"}) +
      kEmptyButtonLine;
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);

  const std::vector<HWND> buttons = Buttons(launcher);
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(TextOf(buttons[0]), L"メモ帳");
  EXPECT_EQ(TextOf(buttons[1]), L"表計算ｿﾌﾄ, \"引用\"");
  EXPECT_EQ(TextOf(buttons[2]), L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ");
  EXPECT_EQ(TextOf(buttons[3]), L"");

  std::map<HWND, std::wstring> tips = WaitForTips(launcher.MainWindow(), 5);
  EXPECT_EQ(tips[buttons[0]], L"メモ帳");
  EXPECT_EQ(tips[buttons[1]], L"表計算ｿﾌﾄ, \"引用\"");
  EXPECT_EQ(tips[buttons[3]], L"") << "an empty title shows no tip";
  EXPECT_EQ(tips[launcher.FindChildren(kControlBarClass).at(0)], L"ﾗﾝﾁｬｰ非表示");

  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), file);
}

TEST_F(DataFileTest, TextBeyondTheCodePageStaysUtf8) {
  const std::string file = std::string("\xEF\xBB\xBF") + std::string(kHeader) +
                           Line({Utf8(L"한국어 메모"), Utf8(L"C:\\Users\\민수\\memo.exe"), "", "", "1", "", "0", "0",
                                 "-2147483633", "2", "0"}) +
                           Line({Utf8(L"メモ帳"), "C:\\n.exe", "", "", "1", "", "0", "0", "0", "0", "0"});
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  const std::vector<HWND> buttons = Buttons(launcher);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(TextOf(buttons[0]), L"한국어 메모");
  EXPECT_EQ(TextOf(buttons[1]), L"メモ帳");
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), file) << "no character turned into '?'";
}

TEST_F(DataFileTest, HeaderOnlyAndBrokenLinesLoadWithoutHarm) {
  // A header alone gives one empty button; short, blank and overlong lines
  // and text in number fields load as documented and are written normalised.
  WriteBytes(DataFile(), std::string(kHeader) + "A\x1B" "a.exe\x1B\r\n" + "\r\n" +
                             Line({"B", "b.exe", "", "", "x", "", "y", "z", "w", "v", "-4"}));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  EXPECT_EQ(Buttons(launcher).size(), 3u);
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(DataFile()), std::string(kHeader) +
                                       Line({"A", "a.exe", "", "", "0", "", "0", "0", "0", "0", "0"}) +
                                       Line({"", "", "", "", "0", "", "0", "0", "0", "0", "0"}) +
                                       Line({"B", "b.exe", "", "", "1", "", "0", "0", "-2147483633", "0", "0"}));
}

TEST_F(DataFileTest, SeveralMegabyteFileRoundTrips) {
  std::string file(kHeader);
  for (int i = 0; i < 1500; ++i) {
    const std::string n = std::to_string(i);
    file += Line({"button " + n, "C:\\" + std::string(1200, 'p') + "\\" + n + ".exe", "C:\\" + std::string(900, 'w'),
                  std::string(900, 'a'), "1", "", "0", "0", "-2147483633", n, "0"});
  }
  ASSERT_GT(file.size(), 4u * 1000 * 1000);
  WriteBytes(DataFile(), file);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  EXPECT_EQ(Buttons(launcher).size(), 1500u);
  CloseAndWait(launcher);
  EXPECT_TRUE(ReadBytes(DataFile()) == file);
}

TEST_F(DataFileTest, DataFileBeyondTheClassicPathLimit) {
  std::filesystem::path folder = dir.Path();
  while (folder.wstring().size() < 300) folder /= std::wstring(50, L'f');
  CreateFolders(folder);
  const std::filesystem::path file = folder / L"deep.dat";
  const std::string content = std::string(kHeader) +
                              Line({"deep", "C:\\" + std::string(350, 'x') + ".exe", "", "", "1", "", "0", "0", "0",
                                    "0", "0"});
  WriteBytes(file, content);
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher, L"\"" + file.wstring() + L"\""), nullptr);
  EXPECT_EQ(TextOf(Buttons(launcher).at(0)), L"deep");
  CloseAndWait(launcher);
  EXPECT_EQ(ReadBytes(file), content);
}

TEST_F(DataFileTest, FailedWriteKeepsTheOldFileAndTellsTheUser) {
  const std::string old = std::string(kHeader) + Line({"old", "C:\\o.exe", "", "", "1", "", "0", "0", "0", "0", "0"});
  WriteBytes(DataFile(), old);
  SetReadOnly(DataFile());
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher), nullptr);
  ASSERT_TRUE(launcher.Close());

  const auto box = WaitForMessageBox(launcher.Pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_NE(box->text.find(L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。"), std::wstring::npos) << box->text.size();
  EXPECT_NE(box->text.find(DataFile().wstring()), std::wstring::npos);
  EXPECT_EQ(GetWindowLongW(box->window, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);
  ASSERT_TRUE(PressButton(box->window));
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));

  SetReadOnly(DataFile(), false);
  EXPECT_EQ(ReadBytes(DataFile()), old);
  EXPECT_EQ(ListSettings(L"Set"), DefaultSetSection()) << "the settings are saved all the same";
}

TEST_F(DataFileTest, VanishedFolderIsReportedAtExit) {
  CreateFolders(dir / L"stick");
  const std::filesystem::path file = dir / L"stick" / L"tools.dat";
  WriteBytes(file, std::string(kHeader));
  LauncherProcess launcher(dir.Path());
  ASSERT_NE(StartAndWait(launcher, file.wstring()), nullptr);
  RemoveTree(dir / L"stick");
  ASSERT_TRUE(launcher.Close());
  const auto box = WaitForMessageBox(launcher.Pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(file.wstring()), std::wstring::npos);
  ASSERT_TRUE(PressButton(box->window));
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(DataFileTest, UnreadableFileIsReportedAndNeverOverwritten) {
  const std::string old = std::string(kHeader) + Line({"kept", "C:\\k.exe", "", "", "1", "", "0", "0", "0", "0", "0"});
  WriteBytes(DataFile(), old);
  UniqueHandle lock(CreateFileW(LongPath(DataFile()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(lock));

  LauncherProcess launcher(dir.Path());
  launcher.Start();
  const auto box = WaitForMessageBox(launcher.Pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_NE(box->text.find(L"ﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。"), std::wstring::npos);
  EXPECT_NE(box->text.find(DataFile().wstring()), std::wstring::npos);
  ASSERT_TRUE(PressButton(box->window));
  ASSERT_NE(launcher.WaitForMainWindow(), nullptr) << "the launcher still starts";
  EXPECT_EQ(Buttons(launcher).size(), 1u);

  lock = UniqueHandle();
  CloseAndWait(launcher);
  EXPECT_FALSE(FindMessageBox(launcher.Pid()).has_value());
  EXPECT_EQ(ReadBytes(DataFile()), old);
}

}  // namespace
}  // namespace vornish::e2e
