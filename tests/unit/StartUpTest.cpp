#include "core/StartUp.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace vornish {
namespace {

using Action = StartDecision::Action;
using testing::FakeFileSystem;

TEST(CommandLine, ArgumentsFollowTheProgramName) {
  EXPECT_EQ(CommandLineArguments(L"vornish.exe"), L"");
  EXPECT_EQ(CommandLineArguments(L"vornish.exe   D:\\a.dat "), L"D:\\a.dat ");
  EXPECT_EQ(CommandLineArguments(L"\"C:\\Program Files\\V\\vornish.exe\" \"D:\\my data\\a.dat\""),
            L"\"D:\\my data\\a.dat\"");
  EXPECT_EQ(CommandLineArguments(L"\"C:\\Program Files\\V\\vornish.exe\"D:\\a.dat"), L"D:\\a.dat")
      << "the closing quote ends the name";
  EXPECT_EQ(CommandLineArguments(L"vornish.exe\tx"), L"x");
  EXPECT_EQ(CommandLineArguments(L""), L"");
}

TEST(CommandLine, DataFileArgumentIsTrimmedAndUnquotedOnce) {
  EXPECT_EQ(DataFileArgument(L"  D:\\a.dat  "), L"D:\\a.dat");
  EXPECT_EQ(DataFileArgument(L"\"D:\\my data\\a.dat\""), L"D:\\my data\\a.dat");
  EXPECT_EQ(DataFileArgument(L"  \"D:\\my data\\a.dat\" "), L"D:\\my data\\a.dat");
  EXPECT_EQ(DataFileArgument(L"\"\"D:\\a.dat\"\""), L"\"D:\\a.dat\"") << "only one pair";
  EXPECT_EQ(DataFileArgument(L"\"D:\\a.dat"), L"\"D:\\a.dat") << "an unpaired quote stays";
  EXPECT_EQ(DataFileArgument(L"D:\\a \"b\".dat"), L"D:\\a \"b\".dat");
  EXPECT_EQ(DataFileArgument(L"\""), L"\"");
}

class DecideStartTest : public ::testing::Test {
 protected:
  FakeFileSystem fs;
  StartDecision Decide(std::wstring_view args, bool another = false) {
    return DecideStart(args, another, L"C:\\Apps\\Vornish", fs);
  }
};

TEST_F(DecideStartTest, WithoutArgumentOnlyOneLauncherRuns) {
  EXPECT_EQ(Decide(L"", true).action, Action::EndSilently);
  EXPECT_EQ(Decide(L"   ", true).action, Action::EndSilently);
  const StartDecision first = Decide(L"");
  EXPECT_EQ(first.action, Action::Run);
  EXPECT_EQ(first.dataFilePath, L"C:\\Apps\\Vornish\\VRN.dat");
}

TEST_F(DecideStartTest, WithArgumentTheFileMustOpenAndCarryTheHeader) {
  fs.files[L"D:\\good.dat"] = "[Vornish Ver.1.0]\r\nA\x1B\r\n";
  fs.files[L"D:\\spaced.dat"] = "  [Vornish Ver.1.0] \r\n";
  fs.files[L"D:\\bom.dat"] = "\xEF\xBB\xBF[Vornish Ver.1.0]\r\n";
  fs.files[L"D:\\case.dat"] = "[VORNISH VER.1.0]\r\n";
  fs.files[L"D:\\empty.dat"] = "";
  fs.files[L"D:\\my data\\a.dat"] = "[Vornish Ver.1.0]\r\n";
  fs.unreadable.insert(L"D:\\locked.dat");

  const StartDecision good = Decide(L" D:\\good.dat ", true);
  EXPECT_EQ(good.action, Action::Run) << "no single-instance test with an argument";
  EXPECT_EQ(good.dataFilePath, L"D:\\good.dat");
  EXPECT_EQ(Decide(L"D:\\spaced.dat").action, Action::Run);
  EXPECT_EQ(Decide(L"D:\\bom.dat").action, Action::Run);
  EXPECT_EQ(Decide(L"D:\\case.dat").action, Action::RefuseNotDataFile);
  EXPECT_EQ(Decide(L"D:\\empty.dat").action, Action::RefuseNotDataFile);
  EXPECT_EQ(Decide(L"D:\\missing.dat").action, Action::RefuseNotFound);
  EXPECT_EQ(Decide(L"D:\\locked.dat").action, Action::RefuseNotFound);
  EXPECT_EQ(Decide(L"\"\"").action, Action::RefuseNotFound);

  const StartDecision quoted = Decide(L"\"D:\\my data\\a.dat\"");
  EXPECT_EQ(quoted.action, Action::Run);
  EXPECT_EQ(quoted.dataFilePath, L"D:\\my data\\a.dat");
}

TEST_F(DecideStartTest, HelpFileIsTakenFromBesideTheProgramWhenPresent) {
  EXPECT_EQ(HelpFilePath(L"C:\\Apps\\Vornish", fs), L"VRN.hlp");
  fs.files[L"C:\\Apps\\Vornish\\VRN.hlp"] = "x";
  EXPECT_EQ(HelpFilePath(L"C:\\Apps\\Vornish", fs), L"C:\\Apps\\Vornish\\VRN.hlp");
}

}  // namespace
}  // namespace vornish
