#include "core/Launcher.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace vornish {
namespace {

using namespace vornish::testing;

class LauncherTest : public ::testing::Test {
 protected:
  Cp932Codec codec;
  FakeFileSystem fs;
  FakeSettingsStore store;
  FakeSystemInfo system;
  LauncherServices services{store, fs, codec, system};
  LauncherModel model;
  const std::wstring path = L"C:\\L\\VRN.dat";

  void SetUp() override { model.DataFilePath = path; }
};

TEST_F(LauncherTest, FirstRunWritesTheHeaderAndOneEmptyButton) {
  const DataFileLoad load = LoadLauncher(model, services);
  EXPECT_EQ(load.status, DataFileLoad::Status::Missing);
  ASSERT_EQ(model.ButtonLast(), 0);
  const UnloadReport report = SaveLauncher(model, services, WindowPosition{0, 0});
  EXPECT_TRUE(report.dataFileWritten);
  EXPECT_EQ(fs.files[path], "[Vornish Ver.1.0]\r\n\x1B\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B-2147483633\x1B" "0\x1B" "0\x1B\r\n");
  EXPECT_EQ(store.values.size(), 14u);
}

TEST_F(LauncherTest, TheEmptyButtonTakesTheStoredDefaultColour) {
  store.values[{L"Set", L"DefColor"}] = L"255";
  LoadLauncher(model, services);
  EXPECT_EQ(model.Buttons[0].Color, 255u);
}

TEST_F(LauncherTest, UnreadableFileIsNeverOverwrittenButSettingsAreSaved) {
  fs.unreadable.insert(path);
  const DataFileLoad load = LoadLauncher(model, services);
  EXPECT_EQ(load.status, DataFileLoad::Status::Unreadable);
  EXPECT_FALSE(model.writeDataFile);
  model.Buttons[0].Title = L"changed";
  const UnloadReport report = SaveLauncher(model, services, WindowPosition{15, 30});
  EXPECT_TRUE(report.dataFileSkipped);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_TRUE(report.positionSaved);
  EXPECT_TRUE(report.settingsSaved);
}

TEST_F(LauncherTest, FailedWriteStillSavesPositionAndSettings) {
  fs.files[path] = "[Vornish Ver.1.0]\r\nold\x1B\r\n";
  LoadLauncher(model, services);
  fs.unwritable.insert(path);
  const UnloadReport report = SaveLauncher(model, services, WindowPosition{300, 450});
  EXPECT_FALSE(report.dataFileWritten);
  EXPECT_EQ(report.dataFileError.error, 5u);
  EXPECT_EQ(fs.files[path], "[Vornish Ver.1.0]\r\nold\x1B\r\n");
  EXPECT_EQ(store.Get(L"Window", L"MainLeft"), L"300");
  EXPECT_TRUE(report.settingsSaved);
}

TEST_F(LauncherTest, MinimisedWindowKeepsTheStoredPosition) {
  store.values[{L"Window", L"MainLeft"}] = L"1200";
  LoadLauncher(model, services);
  const UnloadReport report = SaveLauncher(model, services, std::nullopt);
  EXPECT_FALSE(report.positionSaved);
  EXPECT_EQ(store.Get(L"Window", L"MainLeft"), L"1200");
  EXPECT_EQ(store.Get(L"Set", L"Size"), L"32");
}

TEST(VisibleWindowPosition, PullsTheWindowBackOntoTheScreen) {
  EXPECT_EQ(VisibleWindowPosition({300, 450}, 735, 630, 15360, 11520), (WindowPosition{300, 450}));
  EXPECT_EQ(VisibleWindowPosition({-90, -1}, 735, 630, 15360, 11520), (WindowPosition{0, 0}));
  EXPECT_EQ(VisibleWindowPosition({20000, 11000}, 735, 630, 15360, 11520), (WindowPosition{14625, 10890}));
  EXPECT_EQ(VisibleWindowPosition({14625, 10890}, 735, 630, 15360, 11520), (WindowPosition{14625, 10890}))
      << "exactly at the edge stays";
  EXPECT_EQ(VisibleWindowPosition({2147483000, 0}, 735, 630, 15360, 11520).left, 14625) << "no overflow";
}

}  // namespace
}  // namespace vornish
