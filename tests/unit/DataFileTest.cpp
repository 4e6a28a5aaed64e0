// The data file: its exact bytes, every field round-tripped, the lines a hand
// or another program may have damaged, and the files that must be protected.
#include "core/DataFile.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/Utf8.h"

namespace vornish {
namespace {

using namespace testing;

const std::string kHeader = "[Vornish Ver.1.0]\r\n";
constexpr OleColor kDef = kColourButtonFace;

ButtonRecord Notepad() {
  ButtonRecord b = EmptyButton(kDef);
  b.Title = L"メモ帳";
  b.File = L"C:\\WINDOWS\\NOTEPAD.EXE";
  b.Path = L"C:\\WINDOWS";
  b.Count = 12;
  return b;
}

class DataFileTest : public ::testing::Test {
 protected:
  ButtonList Read(const std::string& bytes, DataFileLoad* load = nullptr) {
    fs.files[L"C:\\L\\VRN.dat"] = bytes;
    ButtonList buttons;
    const DataFileLoad result = ReadDataFile(L"C:\\L\\VRN.dat", buttons, fs, codec, system, kDef);
    if (load) *load = result;
    return buttons;
  }
  Cp932Codec codec;
  FakeFileSystem fs;
  FakeSystemInfo system = FakeSystemInfo::WindowsNT();
};

TEST_F(DataFileTest, WritesTheDocumentedLineAndReadsEveryFieldBack) {
  EXPECT_EQ(FormatDataFile({Notepad()}, codec),
            kHeader + Cp932("メモ帳") +
                "\x1B" "C:\\WINDOWS\\NOTEPAD.EXE\x1B" "C:\\WINDOWS\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B"
                "-2147483633\x1B" "12\x1B" "0\x1B\r\n");
  ButtonRecord odd{L"a, \"quoted\"  title", L"D:\\Some Folder\\doc.txt", L"D:\\Some Folder\\", L"/x \"y z\"", 3,
                   L"C:\\icons\\set.dll", 17, true, kColourButtonShadow, 0, 0};
  ButtonRecord extremes{std::wstring(3000, L'名'), L"C:\\" + std::wstring(400, L'x') + L"\\a.exe", L"", L"", 2, L"",
                        -4, false, 0x00FF8040, 2147483647, 0};
  const ButtonList buttons = {Notepad(), odd, extremes, EmptyButton(kDef)};
  EXPECT_EQ(Read(FormatDataFile(buttons, codec)), buttons);
}

TEST_F(DataFileTest, SystemObjectsCarryNoPathsAndAreRecomputedOnReading) {
  // The lowest number (the desktop) and an applet, written on another machine.
  std::string bytes = kHeader;
  for (const char* sys : {"1", "3"}) {
    bytes += "t\x1B" "C:\\OLD\\X.EXE\x1B" "C:\\OLD\\\x1B" "C:\\OLD\\P\x1B" "1\x1B" "C:\\OLD\\I\x1B" "3\x1B" "1\x1B"
             "-2147483647\x1B" "5\x1B" + std::string(sys) + "\x1B\r\n";
  }
  const ButtonList read = Read(bytes);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].File, L"C:\\WINNT\\EXPLORER.EXE");
  EXPECT_EQ(read[0].Param, L",/root,");
  EXPECT_EQ(read[1].File, L"C:\\WINNT\\system32\\CONTROL.EXE");
  EXPECT_EQ(read[1].Param, L"C:\\WINNT\\system32\\SYSDM.CPL");
  ButtonRecord rest = read[1];
  rest.File = L"C:\\OLD\\X.EXE";
  rest.Param = L"C:\\OLD\\P";
  EXPECT_EQ(rest, (ButtonRecord{L"t", L"C:\\OLD\\X.EXE", L"C:\\OLD\\", L"C:\\OLD\\P", 1, L"C:\\OLD\\I", 3, true,
                                kColourDesktop, 5, 3}))
      << "all other fields come from the file";
  const std::string written = FormatDataFile(read, codec);
  EXPECT_NE(written.find("t\x1BSysObj\x1B" "C:\\OLD\\\x1B\x1B" "1\x1B"), std::string::npos) << written;
  EXPECT_EQ(written.find("CONTROL"), std::string::npos);
}

TEST_F(DataFileTest, DamagedLinesLoadAsFarAsTheyGo) {
  const ButtonList read = Read(kHeader +
                               "T\x1B" "F\x1B\r\n"                           // two fields
                               "\r\n"                                        // blank
                               "no field at all\r\n"                         // no ESC
                               "a\x1B" "b\x1B" "c\x1B" "d\x1B" "2\x1B" "e\x1B" "3\x1B" "1\x1B" "255\x1B" "9\x1B" "0\x1B"
                               "extra\x1B" "more\x1B\r\n"                    // thirteen
                               "t\x1B" "f\x1B\x1B\x1B" "\x1B\x1B" "x\x1B" "yes\x1B" "blue\x1B" "99999999999\x1B"
                               "-3\x1B\r\n"                                  // words for numbers
                               "t\x1B" "f\x1B\x1B\x1B" " 2 \x1B\x1B" "+4\x1B" "-1\x1B" "4294967295\x1B" "7.5\x1B"
                               "abc\x1B");                                   // odd numbers, no line end
  const ButtonList expected = {
      {L"T", L"F", L"", L"", 0, L"", 0, false, 0, 0, 0},  // a fresh record: State 0, Color 0
      {},
      {},
      {L"a", L"b", L"c", L"d", 2, L"e", 3, true, 255, 9, 0},
      {L"t", L"f", L"", L"", 1, L"", 0, false, kDef, 0, 0},  // a negative Sys is an ordinary button
      {L"t", L"f", L"", L"", 2, L"", 4, true, 0xFFFFFFFF, 8, 0},
  };
  EXPECT_EQ(read, expected);
}

TEST_F(DataFileTest, NothingToReadGivesOneEmptyButton) {
  for (const std::string& bytes : {std::string(), kHeader, std::string("[Vornish Ver.1.0]")}) {
    EXPECT_EQ(Read(bytes), ButtonList{EmptyButton(kDef)});
  }
  ButtonList buttons;
  EXPECT_EQ(ReadDataFile(L"C:\\none\\VRN.dat", buttons, fs, codec, system, 0x123).status,
            DataFileLoad::Status::Missing);
  EXPECT_EQ(buttons, ButtonList{EmptyButton(0x123)});
}

TEST_F(DataFileTest, TextBeyondTheCodePageMakesTheWholeFileUtf8) {
  ButtonRecord korean = EmptyButton(kDef);
  korean.Title = L"한국어 메모";
  korean.File = L"C:\\Users\\민수\\memo.exe";
  const ButtonList buttons = {Notepad(), korean};
  const std::string bytes = FormatDataFile(buttons, codec);
  EXPECT_EQ(bytes.substr(0, 3 + kHeader.size()), std::string(kUtf8Bom) + kHeader);
  EXPECT_NE(bytes.find(ToUtf8(L"メモ帳")), std::string::npos) << "every line, not only the odd one";
  EXPECT_EQ(Read(bytes), buttons);
}

TEST_F(DataFileTest, CarriageReturnsAndNulsAreTextAndEveryLineIsOneButton) {
  using namespace std::string_literals;
  // Lines end at CR LF or LF only, so each line here is one button.
  const std::pair<std::string, std::vector<std::wstring>> files[] = {
      {"Ti\rtle\x1B" "f\x1B\r\n" "B\x1B\r\n", {L"Ti\rtle", L"B"}},
      {"\rA\x1B\n" "\r\x1B\n" "C\r\x1B", {L"\rA", L"\r", L"C\r"}},
      {"N\0UL\x1B\r\n" "\0\x1B\r\n"s, {L"N\0UL"s, L"\0"s}},
      {"A\x1B\r\r\n" "\r\r\n" "B\x1B\r", {L"A", L"", L"B"}},  // a CR ending the file ends its line
  };
  for (const auto& [lines, titles] : files) {
    const ButtonList read = Read(kHeader + lines);
    ASSERT_EQ(read.size(), titles.size()) << lines;
    for (std::size_t i = 0; i < titles.size(); ++i) EXPECT_EQ(read[i].Title, titles[i]) << lines;
  }
  // Written as they are, in the code page and in UTF-8; only ESC and LF, which
  // would end the field or the line, become spaces.
  for (const std::wstring beyond : {L"", L"한"}) {
    ButtonRecord kept = EmptyButton(kDef);
    kept.Title = L"ﾀ\rｲ\0トル"s + beyond;
    kept.File = L"C:\\a\0b\r"s;
    kept.Path = L"\r";
    kept.Param = L"\0"s;
    kept.Icon = L"\r\r\0"s;
    ButtonRecord spaced = EmptyButton(kDef);
    spaced.Title = L"a\x1B" L"b\r\nc";
    const ButtonList read = Read(FormatDataFile({kept, spaced, Notepad()}, codec));
    spaced.Title = L"a b\r c";
    EXPECT_EQ(read, (ButtonList{kept, spaced, Notepad()}));
  }
}

TEST_F(DataFileTest, ADamagedCharacterDamagesOnlyItsOwnField) {
  // A lead byte of code page 932 right before ESC; in UTF-8, text that is
  // not UTF-8 at all.
  DataFileLoad load;
  const ButtonList read = Read(kHeader + "A\x82\x1B" "C:\\n.exe\x1B" "C:\\\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B"
                                         "255\x1B" "3\x1B" "0\x1B\r\n", &load);
  EXPECT_EQ(read, (ButtonList{{L"A\xFFFD", L"C:\\n.exe", L"C:\\", L"", 1, L"", 0, false, 255, 3, 0}}));
  EXPECT_EQ(load.status, DataFileLoad::Status::Damaged);
  EXPECT_TRUE(load.protectsFile());
  Read(std::string(kUtf8Bom) + kHeader + Cp932("メモ") + "\x1B\r\n", &load);
  EXPECT_EQ(load.status, DataFileLoad::Status::Damaged);
  Read(std::string(kUtf8Bom) + kHeader + ToUtf8(L"\xFFFD written") + "\x1B\r\n", &load);
  EXPECT_EQ(load.status, DataFileLoad::Status::Loaded) << "a replacement character in the text is text";
}

TEST_F(DataFileTest, FilesThatCannotBeReadWholeAreProtected) {
  DataFileLoad headerless;
  EXPECT_EQ(Read("A\x1B" "a.exe\x1B\r\nB\x1B\r\n", &headerless), ButtonList{EmptyButton(kDef)});
  EXPECT_EQ(headerless.status, DataFileLoad::Status::NotDataFile) << "no header: no buttons of this program";
  EXPECT_TRUE(headerless.protectsFile());

  std::string many = kHeader;
  for (std::size_t i = 0; i < kMaxButtons + 2; ++i) many += "b\x1B\r\n";
  DataFileLoad load;
  EXPECT_EQ(Read(many, &load).size(), kMaxButtons);
  EXPECT_EQ(load.status, DataFileLoad::Status::Overflow);
  EXPECT_TRUE(load.protectsFile());

  fs.unreadable.insert(L"C:\\L\\VRN.dat");
  ButtonList buttons;
  load = ReadDataFile(L"C:\\L\\VRN.dat", buttons, fs, codec, system, kDef);
  EXPECT_EQ(load.status, DataFileLoad::Status::Unreadable);
  EXPECT_TRUE(load.protectsFile());
  EXPECT_EQ(load.error.error, 32u);
  EXPECT_EQ(buttons, ButtonList{EmptyButton(kDef)});
}

TEST(ContentHash, EveryByteAndTheLengthCount) {
  const std::string text = "[Vornish Ver.1.0]\r\nA\x1B\r\n";  // not a whole number of words
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string changed = text;
    changed[i] = static_cast<char>(changed[i] ^ 0x80);
    EXPECT_NE(ContentHash(changed), ContentHash(text)) << i;
  }
  EXPECT_NE(ContentHash(std::string("A\0", 2)), ContentHash("A"));
}

TEST(DataFileHeader, SpacesAndAByteOrderMarkButNotLetterCase) {
  const std::pair<std::string_view, bool> cases[] = {
      {"[Vornish Ver.1.0]", true},  {"   [Vornish Ver.1.0]  \r\nA", true}, {"\xEF\xBB\xBF[Vornish Ver.1.0]\n", true},
      {"[vornish ver.1.0]", false}, {"[Vornish Ver.1.0]x", false},         {"\t[Vornish Ver.1.0]", false},
      {"", false},                  {"[Vornish Ver.1.0]\r", true},        {"[Vornish Ver.1.0]\rA\x1B\r\n", false},
  };
  for (const auto& [bytes, header] : cases) EXPECT_EQ(IsDataFileHeader(FirstLine(bytes)), header) << bytes;
}

}  // namespace
}  // namespace vornish
