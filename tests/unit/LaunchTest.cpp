#include "buttons/Launch.h"

#include <gtest/gtest.h>

#include <limits>

#include "Fakes.h"

namespace vornish {
namespace {

using Kind = LaunchPlan::Kind;

class LaunchTest : public ::testing::Test {
 protected:
  testing::FakeFileSystem fs;
  void SetUp() override {
    fs.currentDirectory = L"C:\\Launcher";
    fs.folders.insert(L"D:\\Docs");
  }
};

TEST_F(LaunchTest, EmptyButtonStartsNothing) {
  EXPECT_EQ(PlanLaunch(L"", L"D:\\Docs", L"x", 1, fs).kind, Kind::None);
}

TEST_F(LaunchTest, ProgramsStartDirectlyWithOneSpaceBeforeTheParameters) {
  const LaunchPlan plan = PlanLaunch(L"C:\\WINDOWS\\NOTEPAD.EXE", L"D:\\Docs", L"", 1, fs);
  EXPECT_EQ(plan.kind, Kind::Process);
  EXPECT_EQ(plan.program, L"C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(plan.commandLine, L"C:\\WINDOWS\\NOTEPAD.EXE ") << "one space even without parameters";
  EXPECT_EQ(PlanLaunch(L"C:\\tools\\a.exe", L"", L"/x \"y z\"", 3, fs).commandLine, L"C:\\tools\\a.exe /x \"y z\"");
  EXPECT_EQ(PlanLaunch(L"C:\\tools\\a.Exe", L"", L"", 1, fs).kind, Kind::Process);
  EXPECT_EQ(PlanLaunch(L"C:\\tools\\a.exe", L"", L"", 1, fs).folder, L"") << "programs get no working folder";
}

TEST_F(LaunchTest, ProgramPathWithSpacesIsQuotedAndNamed) {
  const LaunchPlan plan = PlanLaunch(L"C:\\Program Files\\App\\app.exe", L"", L"-a b", 1, fs);
  EXPECT_EQ(plan.program, L"C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(plan.commandLine, L"\"C:\\Program Files\\App\\app.exe\" -a b");
}

TEST_F(LaunchTest, DocumentsOpenThroughTheShellInTheirWorkingFolder) {
  const LaunchPlan plan = PlanLaunch(L"D:\\Docs\\memo.txt", L"D:\\Docs", L"", 2, fs);
  EXPECT_EQ(plan.kind, Kind::Shell);
  EXPECT_EQ(plan.file, L"D:\\Docs\\memo.txt");
  EXPECT_EQ(plan.folder, L"D:\\Docs");
  EXPECT_EQ(plan.show, 2) << "the show command is the window state";
  EXPECT_EQ(PlanLaunch(L"D:\\Docs", L"", L"", 1, fs).kind, Kind::Shell) << "folders too";
  EXPECT_EQ(PlanLaunch(L"C:\\x.exe.lnk", L"", L"", 1, fs).kind, Kind::Shell);
}

TEST_F(LaunchTest, MissingWorkingFolderFallsBackToTheCurrentFolder) {
  EXPECT_EQ(PlanLaunch(L"D:\\Docs\\memo.txt", L"D:\\Deleted", L"", 1, fs).folder, L"C:\\Launcher");
  EXPECT_EQ(PlanLaunch(L"D:\\Docs\\memo.txt", L"", L"", 1, fs).folder, L"C:\\Launcher");
}

TEST_F(LaunchTest, WindowStatesOutsideTheThreeStartNormal) {
  EXPECT_EQ(PlanLaunch(L"a.exe", L"", L"", 3, fs).show, 3);
  EXPECT_EQ(PlanLaunch(L"a.exe", L"", L"", 0, fs).show, 1) << "never a hidden window";
  EXPECT_EQ(PlanLaunch(L"a.txt", L"", L"", 7, fs).show, 1);
}

TEST(LaunchCount, StopsAtTheLargestCount) {
  EXPECT_EQ(CountAfterLaunch(41), 42);
  EXPECT_EQ(CountAfterLaunch(0), 1);
  EXPECT_EQ(CountAfterLaunch(std::numeric_limits<std::int32_t>::max() - 1), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CountAfterLaunch(std::numeric_limits<std::int32_t>::max()), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace vornish
