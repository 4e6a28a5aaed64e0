// Text, numbers and paths as the launcher stores and shows them, and how its
// messages are put together.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/CrashReport.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/Utf8.h"

namespace vornish {
namespace {

TEST(Utf8, EveryLengthAtItsBoundaries) {
  struct Case {
    char32_t codePoint;
    std::u16string utf16;
    std::string utf8;
  };
  const Case cases[] = {
      {0x7F, u"\x7F", "\x7F"},
      {0x80, u"\x80", "\xC2\x80"},
      {0x7FF, u"\x7FF", "\xDF\xBF"},
      {0x800, u"\x800", "\xE0\xA0\x80"},
      {0xFFFF, u"\xFFFF", "\xEF\xBF\xBF"},
      {0x10000, u"\xD800\xDC00", "\xF0\x90\x80\x80"},  // the first beyond the Basic Multilingual Plane
      {0x10FFFF, u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const Case& c : cases) {
    // wchar_t holds UTF-16 on Windows and whole code points elsewhere.
    const std::wstring wide = sizeof(wchar_t) == 2 ? std::wstring(c.utf16.begin(), c.utf16.end())
                                                   : std::wstring(1, static_cast<wchar_t>(c.codePoint));
    EXPECT_EQ(ToUtf8(c.utf16), c.utf8) << std::hex << static_cast<std::uint32_t>(c.codePoint);
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << std::hex << static_cast<std::uint32_t>(c.codePoint);
    EXPECT_EQ(FromUtf8(c.utf8), wide) << std::hex << static_cast<std::uint32_t>(c.codePoint);
    EXPECT_EQ(ToUtf8(wide), c.utf8) << std::hex << static_cast<std::uint32_t>(c.codePoint);
  }
}

TEST(Utf8, MalformedInputBecomesOneReplacementPerByte) {
  const std::pair<std::string, std::size_t> rejected[] = {
      {"\xC0\x80", 2},          // overlong 2-byte form
      {"\xE0\x9F\xBF", 3},      // overlong 3-byte form
      {"\xF0\x8F\xBF\xBF", 4},  // overlong 4-byte form
      {"\xF4\x90\x80\x80", 4},  // beyond U+10FFFF
      {"\xED\xA0\x80", 3},      // an encoded surrogate
      {"\xE3\x83", 2},          // cut short
      {"\xFF", 1},
  };
  for (const auto& [bytes, count] : rejected) EXPECT_EQ(FromUtf8(bytes), std::wstring(count, L'\xFFFD'));
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD") << "a lone surrogate";
  EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBFx"));
  EXPECT_FALSE(StartsWithUtf8Bom("\xEF\xBB"));
}

TEST(Numbers, StoredTextToNumbers) {
  const std::pair<const wchar_t*, std::optional<std::int64_t>> decimals[] = {
      {L"0", 0},   {L"-2147483633", -2147483633LL}, {L"  +42 ", 42}, {L"\t7\t", 7}, {L"007", 7},
      {L".5", 0},  {L"5.", 5},   {L"1.5", 2},   {L"2.5", 2},      {L"2.50001", 3},  {L"-3.5", -4},
      {L"", {}},   {L"-", {}},   {L"12a", {}},  {L"1 2", {}},     {L"1.2.3", {}},   {L"0x10", {}},
      {L"１２", {}}, {L"1e3", {}}, {L"99999999999999999999", {}},
  };
  for (const auto& [text, value] : decimals) EXPECT_EQ(ParseDecimal(text), value) << std::wstring(text).size();
  EXPECT_EQ(ParseInt32(L"-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_FALSE(ParseInt32(L"2147483648"));
  EXPECT_EQ(ParseColour(L"-2147483633"), 0x8000000Fu);
  EXPECT_EQ(ParseColour(L"2147483663"), 0x8000000Fu);
  EXPECT_FALSE(ParseColour(L"4294967296"));
  const std::pair<const wchar_t*, std::optional<bool>> booleans[] = {
      {L"True", true}, {L"FALSE", false}, {L" true ", true}, {L"0", false}, {L"-1", true}, {L"yes", {}}, {L"", {}}};
  for (const auto& [text, value] : booleans) EXPECT_EQ(ParseBool(text), value) << std::wstring(text).size();
  EXPECT_EQ(ToDecimal(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
}

TEST(Paths, FileNamesFoldersAndTheProgramsFolder) {
  const std::pair<const wchar_t*, const wchar_t*> names[] = {
      {L"C:\\WINDOWS\\NOTEPAD.EXE", L"NOTEPAD.EXE"}, {L"A:README.TXT", L"README.TXT"}, {L"NOTEPAD.EXE", L"NOTEPAD.EXE"},
      {L"C:\\TOOLS\\", L""}, {L"C:\\dir\\a:b", L"a:b"}, {L"", L""}};
  for (const auto& [path, name] : names) EXPECT_EQ(GetFileName(path), name);
  const std::pair<const wchar_t*, const wchar_t*> folders[] = {
      {L"C:\\WINDOWS\\NOTEPAD.EXE", L"C:\\WINDOWS\\"}, {L"C:\\", L"C:\\"},       {L"NOTEPAD.EXE", L"D:\\cwd\\"},
      {L"", L"D:\\cwd\\"}, {L"\\\\server\\share\\x.txt", L"\\\\server\\share\\"}};
  for (const auto& [path, folder] : folders) EXPECT_EQ(GetFolder(path, L"D:\\cwd"), folder);
  EXPECT_EQ(ProgramFolderOf(L"C:\\Tools\\vornish.exe"), L"C:\\Tools");
  EXPECT_EQ(ProgramFolderOf(L"E:\\vornish.exe"), L"E:\\");
  EXPECT_EQ(DefaultDataFilePath(L"E:\\"), L"E:\\VRN.dat");
  EXPECT_EQ(DefaultDataFilePath(L"C:\\Tools"), L"C:\\Tools\\VRN.dat");
  const testing::FakeSystemInfo info(L"C:\\WINDOWS", L"");
  EXPECT_EQ(GetWindowsDir(info), L"C:\\WINDOWS\\");
  EXPECT_EQ(GetSystemDir(info), L"") << "a failed call gives empty text";
  const std::pair<const wchar_t*, const wchar_t*> volumes[] = {
      {L"c:\\x\\a.exe", L"C:"},          {L"\\\\?\\d:\\x", L"D:"},  {L"\\\\srv\\Share\\a.ico", L"\\\\SRV\\SHARE"},
      {L"\\\\?\\UNC\\srv\\s\\a", L"\\\\SRV\\S"}, {L"\\\\srv", L"\\\\SRV"},   {L"a.exe", L""},
      {L"1:\\x", L""}};
  for (const auto& [path, volume] : volumes) EXPECT_EQ(VolumeOf(path), volume) << path;
}

TEST(Twips, FollowTheDpiAndRoundToTheNearest) {
  EXPECT_EQ(TwipsToPixels(510, 96), 34);
  EXPECT_EQ(TwipsToPixels(510, 144), 51);
  EXPECT_EQ(TwipsToPixels(510, 120), 43) << "42.5 rounds up";
  EXPECT_EQ(TwipsToPixels(-30, 96), -2);
  EXPECT_EQ(PixelsToTwips(34, 120), 408);
  for (int px = -50; px < 3000; px += 7) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, 144), 144), px);
}

// The texts are the launcher's own table; what is tested is how a message is
// put together: the headline, the path, the reason and the footer, each
// only when there is one, the numbers in it, and its kind of box.
TEST(Messages, PartsInTheirPlacesAndTheirKindOfBox) {
  const std::pair<Message, Message> cases[] = {
      {FileNotFoundMessage(L"D:\\a.dat", L""), {L"ﾌｧｲﾙが見つかりません。\r\n\r\nD:\\a.dat"}},
      {FileNotFoundMessage(L"D:\\a.dat", L"r"), {L"ﾌｧｲﾙが見つかりません。\r\n\r\nD:\\a.dat\r\nr"}},
      {DataFileReadFailedMessage(L"C:\\V.dat", L"r"),
       {L"ﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。\r\n\r\nC:\\V.dat\r\nr\r\n\r\n"
        L"ﾃﾞｰﾀﾌｧｲﾙを守るため、今回の起動中のﾎﾞﾀﾝの変更は保存されません。"}},
      {{FileProblemText(FileProblem::Other, 1117)}, {L"予期しないｴﾗｰが起きました。(ｴﾗｰ番号 1117)"}},
      {{FileProblemText(FileProblem::Other)}, {L"予期しないｴﾗｰが起きました。"}},
      {ButtonsBeyondLongestWindowMessage(963, 10000),
       {L"ﾎﾞﾀﾝの列がｳｲﾝﾄﾞｳの長さの上限を超えるため、10000個のﾎﾞﾀﾝのうち最初の963個だけを表示します。"
        L"表示されないﾎﾞﾀﾝもﾃﾞｰﾀﾌｧｲﾙにそのまま残ります。"}},
      {ClearCountsQuestion(), {L"いままでの起動回数をクリアますか？", MessageStyle::Question}},
      {StartupLinkHowToMessage(),
       {L"VB5STKIT.DLLが見つかりません。\r\nVB5STKIT.DLLを入手し、Windowsｼｽﾃﾑﾃﾞｨﾚｸﾄﾘにｺﾋﾟｰして下さい。",
        MessageStyle::Hint}},
  };
  for (const auto& [shown, expected] : cases) EXPECT_EQ(shown, expected) << shown.text.size();
  // Each message about a file names it after its headline, the reason below it.
  for (const Message& m : {DataFileWriteFailedMessage(L"P", L"R"), DataFileRunSaveFailedMessage(L"P", L"R"),
                           EndOfSessionSaveFailedMessage(L"P", L"R"), SettingsFileWriteFailedMessage(L"P", L"R")}) {
    EXPECT_NE(m.text.find(L"。\r\n\r\nP\r\nR"), std::wstring::npos) << m.text.size();
  }
  for (const Message& m : {NotDataFileMessage(L"P"), DataFileTooLargeMessage(L"P"), DataFileNotRecognisedMessage(L"P"),
                           DataFileDamagedMessage(L"P"), TargetMissingMessage(L"P"), HelpFileMissingMessage(L"P"),
                           HelpFileNotOpenedMessage(L"P"), CrashMessage(L"P"), SkippedFileMessage(L"P", L"R")}) {
    EXPECT_NE(m.text.find(L"\nP"), std::wstring::npos) << m.text.size();
  }
  EXPECT_EQ(CrashMessage(L"").text.find(L"\r\n"), std::wstring::npos) << "no report: the headline alone";
}

TEST(CrashReport, EveryAddressAsModuleAndOffsetForAddr2lineInAFixedBuffer) {
  const CrashFrame stack[] = {
      {0x7FF6A1B25678, L"vornish.exe", 0x7FF6A1B20000}, {0x12345, L"", 0}, {0x7FFB00001000, L"ntdll.dll", 0x7FFB00000000}};
  CrashInfo info;
  info.code = 0xC00000FD;
  info.where = {0x7FF6A1B21234, L"vornish.exe", 0x7FF6A1B20000};
  info.stack = stack;
  info.version = "1.2.3";
  info.commit = "abc1234";
  info.time = "2026-12-07 03:15:00";
  info.processId = 4321;
  info.reading = L"D:\\アイコン\\\U0001F600.ico";
  const std::string report =
      "Vornish 1.2.3 (commit abc1234) stopped on an unhandled exception.\r\n"
      "Time: 2026-12-07 03:15:00  Process: 4321\r\n"
      "Exception: 0xC00000FD at 0x00007FF6A1B21234  vornish.exe+0x1234\r\n"
      "Module base: 0x00007FF6A1B20000\r\n"
      "Reading: D:\\" + ToUtf8(L"アイコン") + "\\\xF0\x9F\x98\x80.ico\r\n"
      "Return addresses:\r\n"
      "  0x00007FF6A1B25678  vornish.exe+0x5678\r\n"
      "  0x0000000000012345  (no module)\r\n"
      "  0x00007FFB00001000  ntdll.dll+0x1000\r\n";
  char buffer[512];
  EXPECT_EQ(FormatCrashReport(info, buffer), report);
  char small[40];
  EXPECT_EQ(FormatCrashReport(info, small), report.substr(0, sizeof small)) << "cut short, never beyond";
  EXPECT_EQ(CrashReportFileName(L"20261207-031500", 4321), L"crash-20261207-031500-4321.txt");
}

TEST(CrashReport, ACrashIsToldOnceAndTheFileItWasReadingStaysSkippedUntilChosenAgain) {
  testing::FakeFileSystem fs;
  const std::wstring notes = L"C:\\L\\Vornish\\notes.txt";
  char buffer[256];
  std::string written(FormatCrashNote(L"C:\\L\\r1.txt", L"E:\\bad.ico", buffer));
  written += FormatCrashNote(L"", L"", buffer);                    // no report, nothing being read
  written += FormatCrashNote(L"C:\\L\\r2.txt", L"E:\\bad.ico", buffer);  // the same file again
  EXPECT_EQ(FormatCrashNote(L"C:\\L\\r.txt", L"E:\\long.ico", std::span(buffer, 20)), "") << "no half a name";
  fs.files[notes] = written;

  SkippedFiles skipped{notes, {}};
  EXPECT_EQ(TakeCrashNotes(skipped, fs), (std::vector<Message>{SkippedFileMessage(L"E:\\bad.ico", L"C:\\L\\r1.txt"),
                                                                CrashMessage(L""),
                                                                SkippedFileMessage(L"E:\\bad.ico", L"C:\\L\\r2.txt")}));
  EXPECT_EQ(skipped.files, std::vector<std::wstring>{L"E:\\bad.ico"});
  EXPECT_TRUE(skipped.Skips(L"E:\\bad.ico") && !skipped.Skips(L"E:\\good.ico") && !skipped.Skips(L""));

  SkippedFiles next{notes, {}};
  EXPECT_TRUE(TakeCrashNotes(next, fs).empty()) << "told once";
  EXPECT_EQ(next.files, skipped.files) << "and still skipped";
  ReadAgain(next, fs, L"E:\\good.ico");
  EXPECT_TRUE(fs.files.contains(notes));
  ReadAgain(next, fs, L"E:\\bad.ico");
  EXPECT_TRUE(next.files.empty());
  EXPECT_FALSE(fs.files.contains(notes)) << "nothing left to keep";
}

}  // namespace
}  // namespace vornish
