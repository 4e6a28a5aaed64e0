// What a button does: launching, drops, swaps, the choice of its icon, the
// faces kept for the next start and its reaction to the mouse.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>
#include <utility>

#include "Fakes.h"
#include "buttons/ButtonInput.h"
#include "buttons/DragDrop.h"
#include "buttons/FaceCache.h"
#include "buttons/IconChoice.h"
#include "buttons/Launch.h"

namespace vornish {
namespace {

using Kind = LaunchPlan::Kind;

TEST(Launch, ProgramsStartDirectlyAndEverythingElseThroughTheShell) {
  testing::FakeFileSystem fs;
  fs.currentDirectory = L"C:\\Launcher";
  fs.folders.insert(L"D:\\Docs");
  struct Case {
    const wchar_t* file;
    const wchar_t* folder;
    const wchar_t* parameters;
    int state;
    LaunchPlan plan;
  };
  const Case cases[] = {
      {L"", L"D:\\Docs", L"x", 1, {}},
      {L"C:\\WINDOWS\\NOTEPAD.EXE", L"D:\\Docs", L"", 1,
       {Kind::Process, L"C:\\WINDOWS\\NOTEPAD.EXE", L"C:\\WINDOWS\\NOTEPAD.EXE ", L"", L"", L"", 1}},
      {L"C:\\Program Files\\a.Exe", L"", L"-a \"b c\"", 3,
       {Kind::Process, L"C:\\Program Files\\a.Exe", L"\"C:\\Program Files\\a.Exe\" -a \"b c\"", L"", L"", L"", 3}},
      {L".exe", L"", L"", 0, {Kind::Process, L".exe", L".exe ", L"", L"", L"", 1}},  // state 0 starts normal
      {L"D:\\Docs\\memo.txt", L"D:\\Docs", L"p", 2, {Kind::Shell, L"", L"", L"D:\\Docs\\memo.txt", L"p", L"D:\\Docs", 2}},
      {L"D:\\Docs\\memo.txt", L"D:\\Gone", L"", 7, {Kind::Shell, L"", L"", L"D:\\Docs\\memo.txt", L"", L"C:\\Launcher", 1}},
      {L"C:\\x.exe.lnk", L"", L"", 1, {Kind::Shell, L"", L"", L"C:\\x.exe.lnk", L"", L"C:\\Launcher", 1}},
  };
  for (const Case& c : cases) {
    const LaunchPlan p = PlanLaunch(c.file, c.folder, c.parameters, c.state, fs);
    EXPECT_EQ(std::tie(p.kind, p.program, p.commandLine, p.file, p.parameters, p.folder, p.show),
              std::tie(c.plan.kind, c.plan.program, c.plan.commandLine, c.plan.file, c.plan.parameters,
                       c.plan.folder, c.plan.show))
        << std::wstring(c.file).size();
  }
  EXPECT_EQ(CountAfterLaunch(41), 42);
  EXPECT_EQ(CountAfterLaunch(2147483646), 2147483647);
  EXPECT_EQ(CountAfterLaunch(2147483647), 2147483647) << "the count stops at its largest value";
}

// Starts nothing, or as the real one does, pumping messages: a command run
// meanwhile may change the list.
class FakeStarter : public Starter {
 public:
  bool starts = true;
  std::function<void()> meanwhile;
  std::vector<std::wstring> started;
  bool CarryOut(const LaunchPlan& plan) override {
    started.push_back(plan.kind == Kind::Process ? plan.commandLine : plan.file);
    if (meanwhile) meanwhile();
    return starts;
  }
};

TEST(Launch, CountsWhatStartedOnTheButtonThatWasLaunched) {
  testing::FakeFileSystem fs;
  fs.files[L"C:\\a.exe"] = "";
  LauncherModel model;
  model.Buttons = {{L"a", L"C:\\a.exe", L"", L"-x", 1, L"", 0, false, 0, 41, 0}, EmptyButton(0)};
  FakeStarter starter;
  EXPECT_EQ(LaunchButton(model, 0, L"-x", fs, starter), Launched::Started);
  EXPECT_EQ(model.Buttons[0].Count, 42);
  EXPECT_EQ(LaunchButton(model, 1, L"", fs, starter), Launched::Nothing) << "an empty button starts nothing";
  starter.starts = false;
  EXPECT_EQ(LaunchButton(model, 0, L"", fs, starter), Launched::Nothing);
  EXPECT_EQ(model.Buttons[0].Count, 42) << "a failed start is not counted";
  starter.starts = true;
  model.settings.CountEnable = false;
  LaunchButton(model, 0, L"", fs, starter);
  EXPECT_EQ(model.Buttons[0].Count, 42);
  model.settings.CountEnable = true;
  fs.files.clear();
  EXPECT_EQ(LaunchButton(model, 0, L"", fs, starter), Launched::Missing);
  EXPECT_EQ(model.Buttons[0].Count, 42) << "a missing program is neither started nor counted";
  fs.files[L"C:\\a.exe"] = "";
  starter.meanwhile = [&] { model.Buttons.erase(model.Buttons.begin()); };
  EXPECT_EQ(LaunchButton(model, 0, L"", fs, starter), Launched::Started) << "back, it starts again";
  EXPECT_EQ(model.Buttons[0].Count, 0) << "the button that took its place is not counted";
  EXPECT_EQ(starter.started, (std::vector<std::wstring>{L"C:\\a.exe -x", L"C:\\a.exe ", L"C:\\a.exe ", L"C:\\a.exe "}));
}

TEST(Launch, OnlyAFullPathWithNothingThereIsMissing) {
  testing::FakeFileSystem fs;
  fs.files[L"C:\\Tools\\a.exe"] = "";
  fs.folders.insert(L"\\\\server\\share\\docs");
  const std::pair<const wchar_t*, bool> targets[] = {
      {L"C:\\Tools\\a.exe", false},  {L"C:\\Tools\\gone.exe", true},   {L"d:/memo.txt", true},
      {L"\\\\server\\share\\docs", false}, {L"\\\\server\\gone", true}, {L"notepad.exe", false},
      {L"http://example.com/", false}, {L"shell:startup", false},          {L"C:", false},
      {L"Tools\\a.exe", false},        {L"", false},
  };
  for (const auto& [file, missing] : targets) {
    ButtonRecord b = EmptyButton(0);
    b.File = file;
    EXPECT_EQ(TargetMissing(b, fs), missing) << std::wstring(file).size();
  }
}

TEST(Drop, RegistrationAndTheParameterForALockedButton) {
  const std::pair<const wchar_t*, ButtonRecord> registered[] = {
      {L"C:\\WINDOWS\\NOTEPAD.EXE", {L"NOTEPAD.EXE", L"C:\\WINDOWS\\NOTEPAD.EXE", L"C:\\WINDOWS\\", L"", 1, L"", 0,
                                      false, 0xABC, 0, 0}},
      {L"E:\\", {L"", L"E:\\", L"E:\\", L"", 1, L"", 0, false, 0xABC, 0, 0}},
      {L"memo.txt", {L"memo.txt", L"memo.txt", L"D:\\cwd\\", L"", 1, L"", 0, false, 0xABC, 0, 0}},
  };
  for (const auto& [path, record] : registered) EXPECT_EQ(RegisterDroppedFile(path, 0xABC, L"D:\\cwd"), record);
  EXPECT_EQ(DroppedFileParameter(L"C:\\memo.txt"), L"C:\\memo.txt");
  ButtonRecord empty = EmptyButton(0);
  EXPECT_EQ(ButtonTip(empty), L"ﾌｧｲﾙをﾄﾞﾛｯﾌﾟするか、ｺﾋﾟｰしてCtrl+Vで貼り付けると、このﾎﾞﾀﾝに登録できます。");
  empty.Title = L"t";
  EXPECT_EQ(ButtonTip(empty), L"t");
  EXPECT_EQ(ButtonTip(registered[0].second), L"NOTEPAD.EXE");
  EXPECT_EQ(DroppedFileParameter(L"C:\\My Documents\\memo.txt"), L"\"C:\\My Documents\\memo.txt\"");
}

TEST(Drop, SwappingMovesContentsAndCountsAndTwiceRestores) {
  ButtonList buttons;
  for (int i = 0; i < 6; ++i) buttons.push_back({std::wstring(1, L'A' + i), L"", L"", L"", 1, L"", 0, false, 0, i, 0});
  const ButtonList original = buttons;
  SwapButtons(buttons, 2, 5);
  EXPECT_EQ(buttons[2], original[5]);
  EXPECT_EQ(buttons[5], original[2]);
  SwapButtons(buttons, 5, 2);
  SwapButtons(buttons, 3, 3);
  SwapButtons(buttons, 3, 9);
  EXPECT_EQ(buttons, original);
}

TEST(Drop, DragImagesFollowThePointer) {
  DragFeedback f;
  const std::tuple<DragPlace, int, DragImage> moves[] = {
      {DragPlace::SourceButton, -1, DragImage::Drag},   {DragPlace::OtherButton, 4, DragImage::Drop},
      {DragPlace::OtherButton, 5, DragImage::Drop},     {DragPlace::SourceButton, -1, DragImage::Drag},
      {DragPlace::BarOrBackground, -1, DragImage::UnDrop}, {DragPlace::SourceButton, -1, DragImage::UnDrop},
      {DragPlace::OtherButton, 1, DragImage::Drop},     {DragPlace::Outside, -1, DragImage::Drag},
      {DragPlace::BarOrBackground, -1, DragImage::UnDrop}, {DragPlace::Outside, -1, DragImage::UnDrop},
  };
  int step = 0;
  for (const auto& [place, button, image] : moves) EXPECT_EQ(f.MoveTo(place, button), image) << step++;
}

class FakeIcons : public IconSource {
 public:
  std::map<std::wstring, int> programs{{L"C:\\app.exe", 3}, {L"C:\\icons.dll", 40}};
  int counts = 0;
  int Count(std::wstring_view file) override {
    ++counts;
    const auto it = programs.find(std::wstring(file));
    return it == programs.end() ? 0 : it->second;
  }
  Probe ProbeIcon(std::wstring_view file, int index) override {
    if (file == L"C:\\memo.txt") return Probe::NoIcon;
    const auto it = programs.find(std::wstring(file));
    return it == programs.end() ? Probe::Missing : index < it->second ? Probe::Icon : Probe::NoIcon;
  }
};

TEST(IconChoice, SourceIndexAndWhenTheNumberIsReset) {
  using Draw = IconChoice::Draw;
  struct Case {
    const wchar_t *icon, *file;
    std::int32_t number;
    IconChoice choice;
  };
  const Case cases[] = {
      {L"", L"", 0, {}},
      {L"C:\\icons.dll", L"C:\\app.exe", 35, {Draw::FileIcon, L"C:\\icons.dll", 35, false}},
      {L"", L"C:\\app.exe", 2, {Draw::FileIcon, L"C:\\app.exe", 2, false}},
      {L"", L"C:\\app.exe", 3, {Draw::FileIcon, L"C:\\app.exe", 0, true}},
      {L"", L"C:\\app.exe", 2147483647, {Draw::FileIcon, L"C:\\app.exe", 0, true}},
      {L"", L"C:\\memo.txt", 0, {Draw::Associated, L"C:\\memo.txt", 0, true}},
      {L"C:\\gone.ico", L"C:\\app.exe", 0, {Draw::Nothing, L"C:\\gone.ico", 0, true}},  // no fall-back to the file
  };
  for (const Case& c : cases) {
    FakeIcons icons;
    EXPECT_EQ(ChooseIcon(c.icon, c.file, c.number, icons), c.choice) << c.number;
  }
  FakeIcons icons;
  ChooseIcon(L"", L"C:\\app.exe", 2, icons);
  EXPECT_EQ(icons.counts, 0) << "an icon that is there needs no count";
  for (const wchar_t* own : {L"C:\\A.EXE", L"C:\\shell32.dll", L"a.Ico", L"C:\\x.cpl"}) EXPECT_TRUE(IconReadFromFileItself(own));
  for (const wchar_t* shell : {L"C:\\a.lnk", L"C:\\memo.txt", L"C:\\a.exe\\b", L"C:\\exe", L""}) {
    EXPECT_FALSE(IconReadFromFileItself(shell)) << shell;
  }
}

// A cache file holds exactly what was kept; anything else, cut short or
// lengthened by one byte, holds nothing. A face answers only its own icon
// fields, size and file stamp.
TEST(FaceCache, KeepsFacesWholeAndAnswersOnlyTheSameIconAsItWas) {
  const CachedFace a{L"", L"C:\\ﾒﾓ帳.exe", -3, 2, {7, 8}, true, {1, 2, 3, 0xFFFFFFFFu}};
  const CachedFace b{L"D:\\i.ico", L"", 0, 1, {}, false, {0x80402010u}};
  const std::string bytes = FaceCacheBytes({a, b});
  const std::vector<CachedFace> read = FacesFromCache(bytes);
  ASSERT_EQ(read.size(), 2u);
  for (const auto& [was, is] : {std::pair(a, read[0]), std::pair(b, read[1])}) {
    EXPECT_EQ(std::tie(is.icon, is.file, is.iconNo, is.size, is.stamp, is.resetIconNo, is.pixels),
              std::tie(was.icon, was.file, was.iconNo, was.size, was.stamp, was.resetIconNo, was.pixels));
  }
  EXPECT_TRUE(FacesFromCache(FaceCacheBytes({})).empty());
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_TRUE(FacesFromCache(bytes.substr(0, cut)).empty()) << cut;
  EXPECT_TRUE(FacesFromCache(bytes + '\0').empty());
  EXPECT_TRUE(FacesFromCache(FaceCacheBytes({CachedFace{L"", L"x", 0, 257, {}, false, std::vector<std::uint32_t>(257 * 257)}})).empty());

  ButtonRecord record;
  record.File = a.file;
  record.IconNo = -3;
  EXPECT_TRUE(a.Answers(record, 2, {7, 8}));
  EXPECT_FALSE(a.Answers(record, 2, {7, 9})) << "the file's length changed";
  EXPECT_FALSE(a.Answers(record, 2, {6, 8})) << "the file was written since";
  EXPECT_FALSE(a.Answers(record, 3, {7, 8})) << "another size";
  record.Icon = L"C:\\a.ico";
  EXPECT_FALSE(a.Answers(record, 2, {7, 8})) << "another icon file";
  record.Icon.clear();
  record.IconNo = 0;
  EXPECT_FALSE(a.Answers(record, 2, {7, 8})) << "another number";
}

TEST(ButtonInput, PressLookAndTheDragThreshold) {
  ButtonInput input;
  input.ButtonDown(kRightButton, 10, 10);
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised) << "only the left button presses";
  input.ButtonDown(kLeftButton, 200, 200);
  EXPECT_EQ(input.look(), ButtonInput::Look::Pressed);
  EXPECT_FALSE(input.Move(kLeftButton, 250, 150)) << "exactly 50 twips on both axes";
  EXPECT_FALSE(input.Move(kRightButton, 500, 500)) << "no left button held";
  input.ButtonUp(kRightButton);
  EXPECT_EQ(input.look(), ButtonInput::Look::Pressed);
  EXPECT_TRUE(input.Move(kLeftButton | kRightButton, 200, 149));
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised) << "the drag start raises the face";
  EXPECT_TRUE(input.dragged());
  input.ButtonDown(kLeftButton, 0, 0);
  EXPECT_FALSE(input.dragged()) << "a new press starts afresh";
  input.ButtonUp(kLeftButton);
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised);
}

TEST(ButtonInput, KeysForTheMenuAndForPasting) {
  constexpr int kApps = 93, kF10 = 121, kInsert = 45, kV = 'V';
  const std::tuple<int, int, bool, bool> keys[] = {
      {kApps, 0, true, false},           {kApps, kCtrlMask, true, false},  {kF10, kShiftMask, true, false},
      {kF10, kShiftMask | kCtrlMask, true, false}, {kF10, 0, false, false}, {kV, kCtrlMask, false, true},
      {kV, 0, false, false},             {kV, kCtrlMask | kShiftMask, false, false}, {kV, kCtrlMask | kAltMask, false, false},
      {kInsert, kShiftMask, false, true}, {kInsert, kCtrlMask, false, false},      {'C', kCtrlMask, false, false},
  };
  for (const auto& [key, shift, menu, paste] : keys) {
    EXPECT_EQ(IsMenuKey(key, shift), menu) << key << "/" << shift;
    EXPECT_EQ(IsPasteKey(key, shift), paste) << key << "/" << shift;
  }
}

}  // namespace
}  // namespace vornish
