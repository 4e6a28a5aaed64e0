#include "core/DataFile.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/Utf8.h"

namespace vornish {
namespace {

using testing::Cp932;
using testing::Cp932Codec;
using testing::FakeFileSystem;
using testing::FakeSystemInfo;

constexpr OleColor kDef = kColourButtonFace;
const std::string kHeaderLine = "[Vornish Ver.1.0]\r\n";

ButtonRecord Notepad() {
  ButtonRecord b;
  b.Title = L"メモ帳";
  b.File = L"C:\\WINDOWS\\NOTEPAD.EXE";
  b.Path = L"C:\\WINDOWS";
  b.State = 1;
  b.Color = 0x8000000F;
  b.Count = 12;
  return b;
}

class DataFileTest : public ::testing::Test {
 protected:
  Cp932Codec codec;
  FakeFileSystem fs;
  FakeSystemInfo nt = FakeSystemInfo::WindowsNT();

  ButtonList Read(const std::string& bytes, DataFileLoad* load = nullptr) {
    fs.files[L"C:\\L\\VRN.dat"] = bytes;
    ButtonList buttons;
    DataFileLoad result = ReadDataFile(L"C:\\L\\VRN.dat", buttons, fs, codec, nt, kDef);
    if (load) *load = result;
    return buttons;
  }
};

TEST_F(DataFileTest, WritesTheDocumentedLineByteForByteInCodePage932) {
  const std::string expected = kHeaderLine + Cp932("メモ帳") +
                               "\x1B" "C:\\WINDOWS\\NOTEPAD.EXE\x1B" "C:\\WINDOWS\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B"
                               "-2147483633\x1B" "12\x1B" "0\x1B\r\n";
  EXPECT_EQ(FormatDataFile({Notepad()}, codec), expected);
}

TEST_F(DataFileTest, RoundTripKeepsEveryFieldOfOrdinaryButtons) {
  ButtonRecord odd;
  odd.Title = L"a, \"quoted\" title with  spaces";
  odd.File = L"D:\\Some Folder\\doc.txt";
  odd.Path = L"D:\\Some Folder\\";
  odd.Param = L"/x \"y z\"";
  odd.State = 3;
  odd.Icon = L"C:\\icons\\set.dll";
  odd.IconNo = 17;
  odd.Lock = true;
  odd.Color = 0x80000010;  // written negative
  odd.Count = 0;
  ButtonRecord rgb = EmptyButton(0x00FF8040);
  rgb.Count = 2147483647;
  rgb.State = 2;
  rgb.IconNo = -4;
  const ButtonList buttons = {Notepad(), odd, rgb, EmptyButton(kDef)};

  const std::string bytes = FormatDataFile(buttons, codec);
  EXPECT_EQ(bytes.find("\xEF\xBB\xBF"), std::string::npos) << "plain ANSI file expected";
  EXPECT_NE(bytes.find("\x1B-2147483632\x1B"), std::string::npos);
  EXPECT_EQ(Read(bytes), buttons);
}

TEST_F(DataFileTest, LongFieldsSurviveARoundTrip) {
  ButtonRecord b = EmptyButton(kDef);
  b.File = L"C:\\" + std::wstring(400, L'x') + L"\\app.exe";
  b.Path = L"C:\\" + std::wstring(400, L'x') + L"\\";
  b.Title = std::wstring(3000, L'名');
  EXPECT_EQ(Read(FormatDataFile({b}, codec)), ButtonList{b});
}

TEST_F(DataFileTest, SystemObjectIsStoredWithoutMachinePathsAndRecomputedOnReading) {
  ButtonRecord sys = EmptyButton(kColourDesktop);
  sys.Title = L"ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ";
  sys.File = L"C:\\OLD\\CONTROL.EXE";
  sys.Param = L"C:\\OLD\\SYSDM.CPL";
  sys.Path = L"C:\\OLD\\";
  sys.Icon = L"C:\\OLD\\SYSDM.CPL";
  sys.Lock = true;
  sys.Count = 5;
  sys.Sys = 3;
  const std::string bytes = FormatDataFile({sys}, codec);
  EXPECT_NE(bytes.find("\x1BSysObj\x1B" "C:\\OLD\\\x1B\x1B" "1\x1B"), std::string::npos) << bytes;

  const ButtonList read = Read(bytes);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].File, L"C:\\WINNT\\system32\\CONTROL.EXE");
  EXPECT_EQ(read[0].Param, L"C:\\WINNT\\system32\\SYSDM.CPL");
  // Everything else comes from the file unchanged.
  EXPECT_EQ(read[0].Title, sys.Title);
  EXPECT_EQ(read[0].Path, sys.Path);
  EXPECT_EQ(read[0].Icon, sys.Icon);
  EXPECT_EQ(read[0].Count, 5);
  EXPECT_EQ(read[0].Color, kColourDesktop);
  EXPECT_TRUE(read[0].Lock);

  nt = FakeSystemInfo::Windows98();
  EXPECT_EQ(Read(bytes)[0].File, L"C:\\WINDOWS\\CONTROL.EXE");
}

TEST_F(DataFileTest, AbsentEmptyAndHeaderOnlyFilesGiveOneEmptyButton) {
  ButtonList buttons;
  const DataFileLoad missing = ReadDataFile(L"C:\\nowhere\\VRN.dat", buttons, fs, codec, nt, 0x123456);
  EXPECT_EQ(missing.status, DataFileLoad::Status::Missing);
  EXPECT_FALSE(missing.protectsFile());
  EXPECT_EQ(buttons, ButtonList{EmptyButton(0x123456)});

  EXPECT_EQ(Read(""), ButtonList{EmptyButton(kDef)});
  EXPECT_EQ(Read(kHeaderLine), ButtonList{EmptyButton(kDef)});
  EXPECT_EQ(Read("[Vornish Ver.1.0]"), ButtonList{EmptyButton(kDef)});
  EXPECT_EQ(Read(kHeaderLine)[0].State, 1);
}

TEST_F(DataFileTest, FirstLineIsSkippedWhateverItHolds) {
  const ButtonList read = Read("A\x1B" "a.exe\x1B\r\nB\x1B" "b.exe\x1B\r\n");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Title, L"B");
}

TEST_F(DataFileTest, ShortBlankAndOverlongLines) {
  const ButtonList read = Read(kHeaderLine +
                               "T\x1B" "F\x1B\r\n"                                      // two fields
                               "\r\n"                                                   // blank line
                               "no escape at all\r\n"                                   // no field
                               "a\x1B" "b\x1B" "c\x1B" "d\x1B" "2\x1B" "e\x1B" "3\x1B" "1\x1B" "255\x1B" "9\x1B"
                               "0\x1B" "extra\x1B" "more\x1B\r\n");                     // 13 fields
  ASSERT_EQ(read.size(), 4u);
  ButtonRecord shortLine;
  shortLine.Title = L"T";
  shortLine.File = L"F";
  EXPECT_EQ(read[0], shortLine);  // State 0 and Color 0: a fresh record, not an empty button
  EXPECT_EQ(read[1], ButtonRecord{});
  EXPECT_EQ(read[2], ButtonRecord{});
  EXPECT_EQ(read[3].Title, L"a");
  EXPECT_EQ(read[3].Icon, L"e");
  EXPECT_EQ(read[3].Color, 255u);
  EXPECT_EQ(read[3].Count, 9);
  EXPECT_EQ(read[3].Sys, 0);
}

TEST_F(DataFileTest, NumbersThatAreNotNumbersTakeEmptyButtonValues) {
  const ButtonList read = Read(kHeaderLine +
                               "t\x1B" "f\x1B" "p\x1B\x1B" "\x1B\x1B" "x\x1B" "yes\x1B" "blue\x1B" "99999999999\x1B"
                               "-3\x1B\r\n"
                               "t\x1B" "f\x1B" "p\x1B\x1B" " 2 \x1B\x1B" "+4\x1B" "-1\x1B" "4294967295\x1B" "7.5\x1B"
                               "abc\x1B\r\n");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].State, 1);
  EXPECT_EQ(read[0].IconNo, 0);
  EXPECT_FALSE(read[0].Lock);
  EXPECT_EQ(read[0].Color, kDef);
  EXPECT_EQ(read[0].Count, 0);
  EXPECT_EQ(read[0].Sys, 0) << "a negative system-object number is an ordinary button";
  EXPECT_EQ(read[0].File, L"f") << "and keeps its file";

  EXPECT_EQ(read[1].State, 2);
  EXPECT_EQ(read[1].IconNo, 4);
  EXPECT_TRUE(read[1].Lock);
  EXPECT_EQ(read[1].Color, 0xFFFFFFFFu);
  EXPECT_EQ(read[1].Count, 8);
  EXPECT_EQ(read[1].Sys, 0);
}

TEST_F(DataFileTest, AcceptsLfAndCrLineEnds) {
  const ButtonList read = Read("[Vornish Ver.1.0]\nA\x1B\rB\x1B\r\nC\x1B");
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].Title, L"A");
  EXPECT_EQ(read[1].Title, L"B");
  EXPECT_EQ(read[2].Title, L"C");
}

TEST_F(DataFileTest, ReadsCodePage932Titles) {
  const ButtonList read = Read(kHeaderLine + Cp932("表計算ｿﾌﾄ") + "\x1B" + Cp932("C:\\ツール\\calc.exe") + "\x1B\r\n");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Title, L"表計算ｿﾌﾄ");
  EXPECT_EQ(read[0].File, L"C:\\ツール\\calc.exe");
}

TEST_F(DataFileTest, TextOutsideTheCodePageSwitchesTheWholeFileToUtf8WithBom) {
  ButtonRecord korean = EmptyButton(kDef);
  korean.Title = L"한국어 메모";
  korean.File = L"C:\\Users\\민수\\memo.exe";
  const ButtonList buttons = {Notepad(), korean};
  const std::string bytes = FormatDataFile(buttons, codec);
  ASSERT_TRUE(StartsWithUtf8Bom(bytes));
  EXPECT_EQ(bytes.substr(3, kHeaderLine.size()), kHeaderLine);
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  EXPECT_NE(bytes.find(ToUtf8(L"メモ帳")), std::string::npos) << "every line is UTF-8, not only the odd one";

  DataFileLoad load;
  EXPECT_EQ(Read(bytes, &load), buttons);
  EXPECT_EQ(load.status, DataFileLoad::Status::Loaded);
}

TEST_F(DataFileTest, CharactersThatWouldBreakTheLineBecomeSpaces) {
  ButtonRecord b = EmptyButton(kDef);
  b.Title = std::wstring(L"a\x1B" L"b\r\nc") + L'\0' + L"d";
  const ButtonList read = Read(FormatDataFile({b, Notepad()}, codec));
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].Title, L"a b  c d");
  EXPECT_EQ(read[1], Notepad());
}

TEST_F(DataFileTest, MoreButtonsThanTheLimitAreFlaggedAndProtectTheFile) {
  std::string bytes = kHeaderLine;
  for (std::size_t i = 0; i < kMaxButtons + 2; ++i) bytes += "b\x1B\r\n";
  DataFileLoad load;
  const ButtonList read = Read(bytes, &load);
  EXPECT_EQ(read.size(), kMaxButtons);
  EXPECT_EQ(load.status, DataFileLoad::Status::Overflow);
  EXPECT_TRUE(load.protectsFile());
}

TEST_F(DataFileTest, UnreadableFileGivesOneEmptyButtonAndIsProtected) {
  fs.unreadable.insert(L"C:\\L\\VRN.dat");
  ButtonList buttons;
  const DataFileLoad load = ReadDataFile(L"C:\\L\\VRN.dat", buttons, fs, codec, nt, kDef);
  EXPECT_EQ(load.status, DataFileLoad::Status::Unreadable);
  EXPECT_TRUE(load.protectsFile());
  EXPECT_EQ(load.error.error, 32u);
  EXPECT_EQ(buttons, ButtonList{EmptyButton(kDef)});
}

TEST_F(DataFileTest, WriteGoesThroughReplaceContents) {
  EXPECT_TRUE(WriteDataFile(L"C:\\L\\VRN.dat", {Notepad()}, fs, codec).ok());
  EXPECT_EQ(fs.files[L"C:\\L\\VRN.dat"], FormatDataFile({Notepad()}, codec));
  fs.unwritable.insert(L"C:\\L\\VRN.dat");
  const FileResult failed = WriteDataFile(L"C:\\L\\VRN.dat", {EmptyButton(kDef)}, fs, codec);
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(failed.error, 5u);
}

TEST(DataFileHeader, TrimsSpacesButNotLetterCase) {
  EXPECT_TRUE(IsDataFileHeader("[Vornish Ver.1.0]"));
  EXPECT_TRUE(IsDataFileHeader("   [Vornish Ver.1.0]  "));
  EXPECT_TRUE(IsDataFileHeader("\xEF\xBB\xBF[Vornish Ver.1.0]"));
  EXPECT_FALSE(IsDataFileHeader("[vornish ver.1.0]"));
  EXPECT_FALSE(IsDataFileHeader("[Vornish Ver.1.0]x"));
  EXPECT_FALSE(IsDataFileHeader("\t[Vornish Ver.1.0]"));
  EXPECT_FALSE(IsDataFileHeader(""));
  EXPECT_EQ(FirstLine("[Vornish Ver.1.0]\r\nrest"), "[Vornish Ver.1.0]");
  EXPECT_EQ(FirstLine("only"), "only");
}

}  // namespace
}  // namespace vornish
