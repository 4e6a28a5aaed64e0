// Starting and ending: the command line, which launcher may run, the settings
// store's keys and text forms, and what the unload step saves.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>

#include "Fakes.h"
#include "core/IniStore.h"
#include "core/Launcher.h"
#include "core/Reports.h"
#include "core/SaveScheduler.h"
#include "core/StartUp.h"

namespace vornish {
namespace {

using namespace testing;
using namespace std::string_literals;
using Action = StartDecision::Action;

TEST(CommandLine, ArgumentsAndTheDataFilePathInThem) {
  const std::pair<const wchar_t*, const wchar_t*> arguments[] = {
      {L"vornish.exe", L""},
      {L"vornish.exe   D:\\a.dat ", L"D:\\a.dat "},
      {L"\"C:\\Program Files\\V\\vornish.exe\" \"D:\\my data\\a.dat\"", L"\"D:\\my data\\a.dat\""},
      {L"\"C:\\Program Files\\V\\vornish.exe\"D:\\a.dat", L"D:\\a.dat"},
      {L"vornish.exe\tx", L"x"},
  };
  for (const auto& [line, args] : arguments) EXPECT_EQ(CommandLineArguments(line), args);
  const std::pair<const wchar_t*, const wchar_t*> paths[] = {
      {L"  D:\\a.dat  ", L"D:\\a.dat"},     {L"  \"D:\\my data\\a.dat\" ", L"D:\\my data\\a.dat"},
      {L"\"\"D:\\a.dat\"\"", L"\"D:\\a.dat\""}, {L"\"D:\\a.dat", L"\"D:\\a.dat"},
      {L"D:\\a \"b\".dat", L"D:\\a \"b\".dat"}, {L"\"", L"\""},
  };
  for (const auto& [args, path] : paths) EXPECT_EQ(DataFileArgument(args), path);
}

TEST(StartDecision, OneLauncherWithoutAFileAndOnlyDataFilesWithOne) {
  FakeFileSystem fs;
  fs.files[L"D:\\good.dat"] = "[Vornish Ver.1.0]\r\nA\x1B\r\n";
  fs.files[L"D:\\bom.dat"] = "\xEF\xBB\xBF  [Vornish Ver.1.0] \r\n";
  fs.files[L"D:\\case.dat"] = "[VORNISH VER.1.0]\r\n";
  fs.files[L"D:\\empty.dat"] = "";
  fs.files[L"D:\\my data\\a.dat"] = "[Vornish Ver.1.0]\r\n";
  fs.unreadable.insert(L"D:\\locked.dat");
  struct Case {
    const wchar_t* arguments;
    bool another;
    Action action;
    const wchar_t* path;
  };
  const Case cases[] = {
      {L"", false, Action::Run, L"C:\\Apps\\V\\VRN.dat"},
      {L"   ", true, Action::EndSilently, L""},
      {L" D:\\good.dat ", true, Action::Run, L"D:\\good.dat"},  // no single-instance rule with a file
      {L"D:\\bom.dat", false, Action::Run, L"D:\\bom.dat"},
      {L"\"D:\\my data\\a.dat\"", false, Action::Run, L"D:\\my data\\a.dat"},
      {L"D:\\case.dat", false, Action::RefuseNotDataFile, L"D:\\case.dat"},
      {L"D:\\empty.dat", false, Action::RefuseNotDataFile, L"D:\\empty.dat"},
      {L"D:\\missing.dat", false, Action::RefuseNotFound, L"D:\\missing.dat"},
      {L"D:\\locked.dat", false, Action::RefuseNotFound, L"D:\\locked.dat"},
      {L"\"\"", false, Action::RefuseNotFound, L""},
  };
  for (const Case& c : cases) {
    const StartDecision d = DecideStart(c.arguments, c.another, L"C:\\Apps\\V", fs);
    EXPECT_EQ(d.action, c.action) << std::wstring(c.arguments).size();
    EXPECT_EQ(d.dataFilePath, c.path);
  }
  EXPECT_EQ(DecideStart(L"D:\\locked.dat", false, L"C:\\", fs).reason, L"sharing violation") << "there: why not read";
  EXPECT_EQ(DecideStart(L"D:\\missing.dat", false, L"C:\\", fs).reason, L"");
}

// Every setting of the table, changed from its default.
Settings EveryOneChanged() {
  Settings s;
  for (const SettingKey& key : kSettingKeys) {
    std::visit([&](const auto& value) { s.*value.member = static_cast<decltype(value.byDefault)>(value.byDefault ^ 1); },
               key.value);
  }
  return s;
}

// The defaults are the shipped settings file's (below); here, the text forms
// older versions wrote and read, and that what is written reads back.
TEST(Settings, TextFormsAsOlderVersionsWroteThem) {
  FakeSettingsStore first;
  ASSERT_TRUE(SaveSettings(first, Settings()));
  EXPECT_EQ(first.values.size(), 12u) << "StartTips is the tips window's to write";
  const std::pair<const wchar_t*, const wchar_t*> forms[] = {
      {L"ColorChange", L"True"}, {L"WindowTop", L"False"}, {L"DefColor", L"-2147483633"}, {L"ControlColor", L"16711680"}};
  for (const auto& [key, text] : forms) EXPECT_EQ(first.Get(kSectionSet, key), text) << std::wstring(key).size();
  FakeSettingsStore changed;
  SaveSettings(changed, EveryOneChanged());
  Settings expected = EveryOneChanged();
  expected.StartTips = true;  // not written here: its default
  EXPECT_EQ(LoadSettings(changed), expected);
}

TEST(Settings, AnyOneWriteRefusedFailsTheSaveAndTheOthersAreStillWritten) {
  for (const SettingKey& key : kSettingKeys) {
    if (key.savedBy != SavedBy::Unload) continue;
    FakeSettingsStore store;
    store.refused = key.name;
    EXPECT_FALSE(SaveSettings(store, Settings())) << key.name.size();
    EXPECT_EQ(store.values.size(), 11u);
  }
  for (const wchar_t* refused : {L"MainLeft", L"MainTop"}) {
    FakeSettingsStore store;
    store.refused = refused;
    EXPECT_FALSE(SaveWindowPosition(store, {15, 30}));
    EXPECT_EQ(store.values.size(), 1u);
  }
}

TEST(Settings, UnusableTextFallsBackAndBothBooleanFormsRead) {
  FakeSettingsStore store;
  store.values = {{{L"Set", L"Size"}, L"abc"},        {{L"Set", L"DefColor"}, L"99999999999"},
                  {{L"Set", L"WindowTop"}, L"maybe"}, {{L"Set", L"TaskBar"}, L"9"},
                  {{L"Set", L"CountEnable"}, L"0"},   {{L"Set", L"StartTips"}, L"0"},
                  {{L"Window", L"MainLeft"}, L"1502.5"}, {{L"Window", L"MainTop"}, L"garbage"}};
  const Settings s = LoadSettings(store);
  EXPECT_EQ(s.Size, 32);
  EXPECT_EQ(s.DefColor, kColourButtonFace);
  EXPECT_FALSE(s.WindowTop);
  EXPECT_EQ(s.TaskBar, 9) << "a number out of range is kept";
  EXPECT_FALSE(s.CountEnable);
  EXPECT_FALSE(s.StartTips);
  EXPECT_FALSE(ReadStartTips(store));
  EXPECT_TRUE(ReadStartTips(FakeSettingsStore{}));
  EXPECT_EQ(LoadWindowPosition(store), (WindowPosition{1502, 0}));
  SaveStartTips(store, true);
  EXPECT_EQ(store.Get(kSectionSet, L"StartTips"), L"1");
  SaveStartTips(store, false);
  EXPECT_EQ(store.Get(kSectionSet, L"StartTips"), L"0");
}

TEST(SettingsFile, HoldsEverySettingOfTheTableAsTheRegistryDoesAndAnyText) {
  const std::wstring path = SettingsFilePath(L"E:\\");
  EXPECT_EQ(path, L"E:\\Vornish.ini");
  FakeFileSystem fs;
  FakeSettingsStore registry;
  const std::wstring report = L"保存できません\r\n\r\nC:\\n\\r\\x 🍣 ;=[x]";
  IniSettingsStore written(fs, path);
  for (SettingsStore* store : std::initializer_list<SettingsStore*>{&registry, &written}) {
    ASSERT_TRUE(SaveSettings(*store, EveryOneChanged()));
    ASSERT_TRUE(SaveStartTips(*store, false));
    ASSERT_TRUE(SaveWindowPosition(*store, {-300, 4500}));
    ASSERT_TRUE(SaveDeferredReport(*store, report));
  }
  EXPECT_EQ(fs.writes, 16) << "one atomic replacement a value";
  EXPECT_TRUE(fs.files[path].starts_with("\xFF\xFE[\0S\0e\0t\0]\0\r\0\n\0S\0i\0z\0e\0=\0"s));
  IniSettingsStore file(fs, path);  // as the next start reads it
  for (const auto& [key, text] : registry.values) EXPECT_EQ(file.Read(key.first, key.second), text) << key.second.size();
  Settings expected = EveryOneChanged();
  expected.StartTips = false;
  EXPECT_EQ(LoadSettings(file), expected);
  EXPECT_EQ(LoadWindowPosition(file), (WindowPosition{-300, 4500}));
  EXPECT_EQ(TakeDeferredReport(file), report);
  EXPECT_TRUE(SaveSettings(file, expected));
  EXPECT_EQ(fs.writes, 17) << "only the report taken changed the file";
}

TEST(SettingsFile, HandWrittenLinesReadAndStayAndAFileNotReadIsNeverWritten) {
  FakeFileSystem fs;
  const std::wstring path = L"E:\\Vornish.ini";
  fs.files[path] = "\xEF\xBB\xBF; mine\n[set]\n  size = 16 \n\n[Other]\nSize=24\r[Set]\nOrient=1";
  IniSettingsStore store(fs, path);
  EXPECT_EQ(LoadSettings(store).Size, 16) << "names of either case, spaces around";
  EXPECT_EQ(LoadSettings(store).Orient, 0) << "only the first section of a name counts";
  ASSERT_TRUE(store.Write(L"Set", L"WindowTop", L"True"));
  ASSERT_TRUE(store.Write(L"Set", L"Size", L"32"));
  EXPECT_EQ(IniFileLines(fs.files[path]), (std::vector<std::wstring>{L"; mine", L"[set]", L"Size=32", L"WindowTop=True",
                                                                      L"", L"[Other]", L"Size=24", L"[Set]", L"Orient=1"}));
  fs.unwritable.insert(path);
  EXPECT_FALSE(store.Write(L"Set", L"Size", L"24"));
  EXPECT_EQ(store.WriteFailure(), L"access denied");
  fs.unwritable.clear();
  EXPECT_TRUE(store.Write(L"Set", L"Size", L"24"));
  EXPECT_TRUE(store.Write(L"Set", L"Size", L"24")) << "stored";
  EXPECT_EQ(fs.writes, 3);

  fs.unreadable.insert(L"F:\\Vornish.ini");
  IniSettingsStore locked(fs, L"F:\\Vornish.ini");
  EXPECT_FALSE(locked.Write(L"Set", L"Size", L"24"));
  EXPECT_EQ(locked.WriteFailure(), L"sharing violation");
  EXPECT_EQ(fs.writes, 3);
}

TEST(SettingsFile, TheOneShippedHoldsTheDefaults) {
  std::ifstream in(VORNISH_SOURCE_DIR "/packaging/Vornish.ini", std::ios::binary);
  FakeFileSystem fs;
  fs.files[L"Vornish.ini"] = std::string(std::istreambuf_iterator<char>(in), {});
  IniSettingsStore shipped(fs, L"Vornish.ini");
  FakeSettingsStore defaults;
  SaveSettings(defaults, Settings());
  SaveStartTips(defaults, true);
  SaveWindowPosition(defaults, {});
  for (const auto& [key, text] : defaults.values) EXPECT_EQ(shipped.Read(key.first, key.second), text) << key.second.size();
  EXPECT_EQ(defaults.values.size(), 15u);
}

TEST(SettingsFile, AFailedWriteIsToldWithTheFileAndTheRegistrysAreNot) {
  FakeFileSystem fs;
  Cp932Codec codec;
  FakeSystemInfo system;
  IniSettingsStore file(fs, L"E:\\Vornish.ini");
  FakeSettingsStore registry;
  registry.refused = L"*";
  fs.unwritable.insert(L"E:\\Vornish.ini");
  LauncherModel model;
  model.DataFilePath = L"E:\\VRN.dat";
  model.writeDataFile = false;
  for (SettingsStore* store : std::initializer_list<SettingsStore*>{&file, &registry}) {
    const UnloadReport report = SaveLauncher(model, {*store, fs, codec, system}, WindowPosition{});
    const std::vector<Message> told = UnloadMessages(report, model.DataFilePath, false);
    if (store == &file) {
      EXPECT_EQ(told, std::vector{SettingsFileWriteFailedMessage(L"E:\\Vornish.ini", L"access denied")});
    } else {
      EXPECT_EQ(told, std::vector<Message>{});
    }
  }
}

class UnloadTest : public ::testing::Test {
 protected:
  void SetUp() override { model.DataFilePath = path; }
  Cp932Codec codec;
  FakeFileSystem fs;
  FakeSettingsStore store;
  FakeSystemInfo system;
  LauncherServices services{store, fs, codec, system};
  LauncherModel model;
  const std::wstring path = L"C:\\L\\VRN.dat";
};

TEST_F(UnloadTest, EveryStepRunsWhateverHappenedToTheOthers) {
  store.values[{L"Set", L"DefColor"}] = L"255";
  EXPECT_EQ(LoadLauncher(model, services).status, DataFileLoad::Status::Missing);
  EXPECT_EQ(model.Buttons, ButtonList{EmptyButton(255)}) << "the empty button takes the stored colour";
  fs.unwritable.insert(path);
  const UnloadReport failed = SaveLauncher(model, services, WindowPosition{300, 450});
  EXPECT_EQ(failed.dataFile.error.error, 5u);
  EXPECT_EQ(store.Get(L"Window", L"MainLeft"), L"300");
  EXPECT_TRUE(failed.settingsSaved);

  fs.unwritable.clear();
  const UnloadReport minimised = SaveLauncher(model, services, std::nullopt);
  EXPECT_TRUE(minimised.dataFile.written);
  EXPECT_FALSE(minimised.positionSaved);
  EXPECT_EQ(store.Get(L"Window", L"MainLeft"), L"300");
}

TEST_F(UnloadTest, AStepThatFailsOutrightLeavesTheOthers) {
  struct ThrowingStore : FakeSettingsStore {
    bool Write(std::wstring_view, std::wstring_view, std::wstring_view) override { throw std::bad_alloc(); }
  } throwing;
  LoadLauncher(model, services);
  const UnloadReport report = SaveLauncher(model, LauncherServices{throwing, fs, codec, system}, WindowPosition{});
  EXPECT_TRUE(report.dataFile.written);
  EXPECT_FALSE(report.settingsSaved);
  EXPECT_TRUE(report.settingsThrew) << "reported for a trace";
  EXPECT_EQ(fs.writes, 1);

  EXPECT_FALSE(TakeDeferredReport(store));
  SaveDeferredReport(store, L"told later");
  EXPECT_EQ(TakeDeferredReport(store), L"told later");
  EXPECT_FALSE(TakeDeferredReport(store)) << "told once";
}

TEST_F(UnloadTest, AnUnreadableFileIsNeverOverwritten) {
  fs.unreadable.insert(path);
  LoadLauncher(model, services);
  EXPECT_FALSE(model.writeDataFile);
  model.Buttons[0].Title = L"changed";
  const UnloadReport report = SaveLauncher(model, services, WindowPosition{15, 30});
  EXPECT_TRUE(report.dataFile.skipped);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_TRUE(report.settingsSaved);
}

TEST_F(UnloadTest, AFileAnotherProgramChangedIsKeptBesideAndLeftoversOfDeadSavesGo) {
  fs.files[L"C:\\L\\VRN.dat.~7.tmp"] = "ours, saving now";
  fs.files[L"C:\\L\\VRN.dat.~99.tmp"] = "cut short";
  fs.files[L"C:\\L\\VRN.dat.~12.tmp"] = "another launcher, saving now";
  fs.files[L"C:\\L\\other.~99.tmp"] = "not ours";
  system.running.insert(12);
  LoadLauncher(model, services);
  EXPECT_EQ(fs.files.size(), 3u);
  EXPECT_FALSE(fs.files.contains(L"C:\\L\\VRN.dat.~99.tmp"));

  // No file at start, one copied in meanwhile: kept before ours replaces it.
  fs.files[path] = "[Vornish Ver.1.0]\r\nrestored\x1B\r\n";
  fs.files[L"C:\\L\\VRN-20261207-103015.dat"] = "an earlier one";
  const UnloadReport report = SaveLauncher(model, services, std::nullopt);
  EXPECT_EQ(report.dataFile.keptCopy, L"C:\\L\\VRN-20261207-103015-2.dat");
  EXPECT_EQ(fs.files[report.dataFile.keptCopy], "[Vornish Ver.1.0]\r\nrestored\x1B\r\n");
  EXPECT_TRUE(report.dataFile.written);

  // Read at start and unchanged since: replaced without a copy.
  LoadLauncher(model, services);
  EXPECT_EQ(SaveLauncher(model, services, std::nullopt).dataFile.keptCopy, L"");
  // A copy that cannot be made stops the save.
  fs.files[path] = "changed";
  fs.files[L"C:\\L\\VRN-20261207-103015-3.dat"] = "";
  fs.files[L"C:\\L\\VRN-20261207-103015-4.dat"] = "";
  struct NoCopies : FakeFileSystem {
    FileResult CopyNew(std::wstring_view, std::wstring_view) override { return {FileResult::Status::Failed, 112, L"full"}; }
  } full;
  full.files = fs.files;
  const UnloadReport refused = SaveLauncher(model, LauncherServices{store, full, codec, system}, std::nullopt);
  EXPECT_FALSE(refused.dataFile.written);
  EXPECT_EQ(full.files[path], "changed");
}

TEST_F(UnloadTest, AnotherProgramsVersionIsToldByItsContentAndKeptOnce) {
  fs.files[path] = "[Vornish Ver.1.0]\r\nA\x1B\r\n";
  LoadLauncher(model, services);
  // Saved after every change: the launcher's own versions are its own.
  for (const wchar_t* title : {L"AB", L"ABC"}) {
    model.Buttons[0].Title = title;
    EXPECT_EQ(SaveDataFile(model, services).keptCopy, L"");
  }
  // Rewritten with the same size (its time put back, the size alike: only
  // the content tells), it is kept once and then replaced.
  std::string theirs = fs.files[path];
  theirs.replace(theirs.find("ABC"), 3, "XYZ");
  fs.files[path] = theirs;
  const DataFileSave first = SaveDataFile(model, services);
  EXPECT_TRUE(first.written);
  EXPECT_EQ(fs.files[first.keptCopy], theirs);
  EXPECT_EQ(SaveDataFile(model, services).keptCopy, L"");
  // Kept but not replaced: kept once all the same.
  fs.files[path] = theirs;
  fs.unwritable.insert(path);
  EXPECT_NE(SaveDataFile(model, services).keptCopy, L"");
  const DataFileSave again = SaveDataFile(model, services);
  EXPECT_TRUE(again.failed());
  EXPECT_EQ(again.keptCopy, L"");
}

TEST(SaveScheduler, SavesWithinASecondAtMostOnceASecondAndTellsAFailureOnce) {
  enum Event { Change, Fire, SavedOk, SavedFailed };
  // At a time (ms), an event, and what it answers: the timer to set (-1: none),
  // whether to save, whether to tell the failure.
  const std::tuple<std::uint64_t, Event, long long> steps[] = {
      {0, Change, 750},      {100, Change, -1},  {990, Change, -1},   // a burst: one timer
      {750, Fire, true},     {750, SavedOk, false}, {760, Fire, false},
      {800, Change, 950},    // no sooner than a second after the last save
      {1750, Fire, true},    {1750, SavedFailed, true},
      {5000, Change, 750},   {5750, Fire, true}, {5750, SavedFailed, false},  // told once
      {9000, Change, 750},   {9750, Fire, true}, {9750, SavedOk, false},
      {20000, Change, 750},  {20750, Fire, true}, {20750, SavedFailed, true},  // failing anew
  };
  SaveScheduler scheduler;
  for (const auto& [now, event, answer] : steps) {
    long long got = 0;
    switch (event) {
      case Change: {
        const auto wait = scheduler.Changed(now);
        got = wait ? static_cast<long long>(*wait) : -1;
        break;
      }
      case Fire: got = scheduler.TakeDue(); break;
      case SavedOk: got = scheduler.Saved(now, true); break;
      case SavedFailed: got = scheduler.Saved(now, false); break;
    }
    EXPECT_EQ(got, answer) << now << " " << event;
  }  // What such a save tells: a copy kept of another program's version, and a
  // failure when the scheduler says so.
  DataFileSave failed;
  failed.error = {FileResult::Status::Failed, 5, L"r"};
  EXPECT_EQ(RunSaveMessages(failed, L"V", true), std::vector{DataFileRunSaveFailedMessage(L"V", L"r")});
  EXPECT_EQ(RunSaveMessages(failed, L"V", false), std::vector<Message>{});
  DataFileSave kept;
  kept.written = true;
  kept.keptCopy = L"K";
  EXPECT_EQ(RunSaveMessages(kept, L"V", false), std::vector{DataFileChangedMessage(L"V", L"K")});
}

TEST(VisibleWindowPosition, PullsTheWindowBackOntoItsMonitorControlBarFirst) {
  const TwipsRect primary{0, 0, 15360, 11520};
  const TwipsRect leftOfIt{-19200, -1500, 19200, 15360};  // 1280 x 1024 pixels, higher up
  const std::tuple<WindowPosition, std::int32_t, TwipsRect, WindowPosition> cases[] = {
      {{300, 450}, 735, primary, {300, 450}},          {{-90, -1}, 735, primary, {0, 0}},
      {{20000, 11000}, 735, primary, {14625, 10890}}, {{14625, 10890}, 735, primary, {14625, 10890}},
      {{2147483000, 0}, 735, primary, {14625, 0}},    {{4000, 0}, 15900, primary, {0, 0}},  // wider than it
      {{-5000, -1400}, 735, leftOfIt, {-5000, -1400}}, {{-30000, -3000}, 735, leftOfIt, {-19200, -1500}},
      {{-300, 13500}, 735, leftOfIt, {-735, 13230}},
  };
  for (const auto& [saved, width, screen, shown] : cases) {
    EXPECT_EQ(VisibleWindowPosition(saved, width, 630, screen), shown);
  }
}

}  // namespace
}  // namespace vornish
