// The two settings dialogs without their windows: what they show, how their
// controls hang together, and what OK and the applying steps do.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/SystemObjects.h"
#include "dialogs/ButtonForm.h"
#include "dialogs/SettingsForm.h"
#include "window/Dispatcher.h"

namespace vornish {
namespace {

ButtonRecord Program(std::wstring title, std::int32_t count) {
  return {std::move(title), L"C:\\a.exe", L"C:\\", L"-x", 3, L"", 2, false, 0x123, count, 0};
}

TEST(ButtonForm, ShowsTheRecordCountAndRank) {
  LauncherModel model;
  ButtonRecord system = NewSystemObjectButton(2, testing::FakeSystemInfo(), kColourDesktop);
  system.Count = 1234;
  model.Buttons = {Program(L"a", 10), Program(L"b", 10), Program(L"c", 3), EmptyButton(0), system};
  model.Buttons[3].Count = 99;  // an empty button never counts
  model.settings.ColorChange = false;
  const ButtonForm ordinary = LoadButtonForm(model, 2);
  EXPECT_EQ(std::tie(ordinary.title, ordinary.target, ordinary.path, ordinary.param, ordinary.iconSource),
            std::tie(L"c", L"C:\\a.exe", L"C:\\", L"-x", L"C:\\a.exe"));
  EXPECT_EQ(std::tuple(ordinary.targetEnabled, ordinary.paramEnabled, ordinary.lockEnabled, ordinary.stateItem,
                       ordinary.iconNumber, ordinary.coloursEnabled),
            std::tuple(true, true, true, 2, 3, false));
  EXPECT_EQ(std::tuple(ordinary.count, ordinary.rank), std::tuple(L"3 回", L"4 位"));
  EXPECT_EQ(LoadButtonForm(model, 0).rank, L"2 位") << "equal counts share a rank";
  const ButtonForm shown = LoadButtonForm(model, 4);
  EXPECT_EQ(std::tie(shown.target, shown.param, shown.count, shown.rank),
            std::tie(L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", L"(変更できません)", L"1,234 回", L"1 位"));
  EXPECT_FALSE(shown.targetEnabled || shown.paramEnabled || shown.lockEnabled);
  EXPECT_TRUE(shown.lock);
  const std::pair<std::int32_t, const wchar_t*> counts[] = {
      {0, L"0 回"}, {999, L"999 回"}, {1000, L"1,000 回"}, {2147483647, L"2,147,483,647 回"}};
  for (const auto& [count, text] : counts) EXPECT_EQ(CountText(count), text);
}

TEST(ButtonForm, ControlsFollowTheirRules) {
  Settings s;
  s.DefColor = 1;
  s.LockColor = 2;
  s.SystemColor = 3;
  EXPECT_EQ(std::tuple(StandardColour(s, 0, false), StandardColour(s, 0, true), StandardColour(s, 5, false)),
            std::tuple(1u, 2u, 3u));
  ButtonForm form;
  form.colour = 9;
  TickLock(form, true, s);
  EXPECT_EQ(std::tuple(form.lock, form.colour, LockCaption(true)), std::tuple(true, 9u, L"有効"))
      << "individual colours on: the colour stays";
  s.ColorChange = false;
  TickLock(form, true, s);
  EXPECT_EQ(form.colour, 2u);
  TickLock(form, false, s);
  EXPECT_EQ(std::tuple(form.colour, LockCaption(false)), std::tuple(1u, L"無効"));
  form.iconCount = 3;
  const std::tuple<int, int, int> paging[] = {{1, 1, 2}, {2, 1, 3}, {3, 2, 3}};
  for (const auto& [shown, previous, next] : paging) {
    form.iconNumber = shown;
    EXPECT_EQ(std::pair(PreviousIcon(form), NextIcon(form)), std::pair(previous, next)) << shown;
  }
}

TEST(ButtonForm, OkWritesTheFieldsItMayChange) {
  ButtonRecord r = Program(L"a", 41);
  r.Icon = L"C:\\icons.dll";
  r.State = 7;  // outside the three
  ButtonForm form;
  form.title = L"new";
  form.path = L"D:\\";
  form.param = L"-y";
  form.stateItem = 0;
  form.iconSource = L"C:\\icons.dll";
  form.iconNumber = 5;
  form.lock = true;
  form.colour = 0x456;
  ButtonRecord saved = r;
  SaveButtonForm(form, saved);
  EXPECT_EQ(saved, (ButtonRecord{L"new", L"C:\\a.exe", L"D:\\", L"-y", 7, L"C:\\icons.dll", 4, true, 0x456, 41, 0}))
      << "an odd window state stays unless another item was picked";
  form.stateChosen = true;
  form.iconSource = L"C:\\a.exe";  // browsed back to the program itself
  SaveButtonForm(form, saved);
  EXPECT_EQ(std::tuple(saved.State, saved.Icon), std::tuple(1, L"")) << "the program's own icon, as previewed";
  saved.Sys = 4;
  form.param = L"ignored";
  SaveButtonForm(form, saved);
  EXPECT_EQ(saved.Param, L"-y") << "a system object's parameters never change";
}

// Records what OK asks of the windows.
class FakeSettingsHost : public SettingsHost {
 public:
  explicit FakeSettingsHost(LauncherModel& model) : model_(model) {}
  std::vector<std::wstring> log;
  void AddSystemObject(std::int32_t number) override {
    log.push_back(L"add " + std::to_wstring(number));
    vornish::AddSystemObject(model_, number, testing::FakeSystemInfo());
  }
  void DeleteButton(int index) override {
    log.push_back(L"delete " + std::to_wstring(index));
    ButtonDel(model_, index);
  }
  void CreateStartupLink(std::wstring_view arguments) override { log.push_back(L"link " + std::wstring(arguments)); }

 private:
  LauncherModel& model_;
};

TEST(SettingsForm, PositionAndOrientationHangTogetherBothWaysAndPagesWrap) {
  EXPECT_EQ(std::tuple(SwitchPage(0, false), SwitchPage(2, false), SwitchPage(0, true), SwitchPage(2, true)),
            std::tuple(1, 0, 2, 1));
  SettingsForm form;
  const std::tuple<bool, int, int, int> steps[] = {
      // press a position / choose an orientation, its number -> position, orient
      {true, 1, 1, 1}, {true, 0, 0, 1}, {true, 2, 2, 0}, {false, 1, 0, 1},
      {true, 3, 3, 1}, {false, 1, 3, 1}, {true, 4, 4, 0}, {false, 0, 4, 0},
  };
  for (const auto& [press, value, position, orient] : steps) {
    press ? PressPosition(form, value) : ChooseOrient(form, value);
    EXPECT_EQ(std::pair(form.position, form.orient), std::pair(position, orient)) << press << value;
  }
}

TEST(SettingsForm, OkCopiesTheSettingsAndChangesTheSystemObjects) {
  LauncherModel model;
  model.DataFilePath = L"C:\\V\\VRN.dat";
  model.settings.ControlColor = 0x123456;  // none of the list
  model.settings.Size = 24;
  model.settings.CountEnable = false;
  ButtonRecord control = NewSystemObjectButton(2, testing::FakeSystemInfo(), 0);
  model.Buttons = {Program(L"a", 5), control, Program(L"b", 7), control};
  SettingsForm form = LoadSettingsForm(model);
  EXPECT_EQ(std::tuple(form.sizeItem, form.colourItem, form.shownAt[1], form.startup), std::tuple(1, 0, 3, false));
  form.sizeItem = -1;
  form.systemObject.fill(true);
  form.systemObject[1] = false;  // the control panel, shown twice
  form.countEnable = true;
  form.startup = true;
  form.position = 3;
  FakeSettingsHost host(model);
  EXPECT_TRUE(AsksToClearCounts(form, model.settings)) << "counting switched on";
  LauncherModel answeredNo = model;
  FakeSettingsHost noHost(answeredNo);
  SaveSettingsForm(form, answeredNo, L"C:\\V", noHost, false);
  EXPECT_EQ(answeredNo.Buttons[0].Count, 5);
  const ButtonList before = model.Buttons;
  SaveSettingsForm(form, model, L"C:\\V", host, true);  // answered Yes
  const ButtonList after = model.Buttons;
  const std::vector<std::wstring> expected = {L"add 1", L"delete 3", L"add 3",
                                              L"add 4", L"add 5", L"add 6", L"add 7", L"add 8", L"add 9", L"add 10",
                                              L"add 11", L"add 12", L"add 13", L"link "};
  EXPECT_EQ(host.log, expected) << "numbers in order, the highest index removed, no argument for VRN.dat";
  EXPECT_EQ(std::tuple(model.settings.Size, model.settings.ControlColor, model.settings.Position, model.Buttons[0].Count),
            std::tuple(24, 0u, 3, 0)) << "no size item: unchanged; an unknown colour: 0";
  UndoLastChange(model);
  EXPECT_EQ(model.Buttons, before) << "one undo takes back what OK did to the buttons and their counts";
  EXPECT_FALSE(model.history.CanUndo());
  model.Buttons = after;

  // Counting left on, or switched off, asks nothing and clears nothing;
  // another data file is the shortcut's argument.
  model.DataFilePath = L"D:\\tools.dat";
  model.Buttons[0].Count = 5;
  host.log.clear();
  form = LoadSettingsForm(model);
  form.startup = true;
  EXPECT_FALSE(AsksToClearCounts(form, model.settings));
  SaveSettingsForm(form, model, L"C:\\V", host, true);
  EXPECT_EQ(host.log, std::vector<std::wstring>{L"link D:\\tools.dat"});
  EXPECT_EQ(model.Buttons[0].Count, 5);
  form.countEnable = false;
  EXPECT_FALSE(AsksToClearCounts(form, model.settings));
}

TEST(SettingsForm, ApplyingRecoloursByKindWhenIndividualColoursAreOff) {
  LauncherModel model;
  model.settings.ColorChange = false;
  model.settings.DefColor = 1;
  model.settings.LockColor = 2;
  model.settings.SystemColor = 3;
  ButtonRecord locked = Program(L"l", 0);
  locked.Lock = true;
  locked.Color = 2;
  ButtonRecord system = NewSystemObjectButton(1, testing::FakeSystemInfo(), 9);
  model.Buttons = {Program(L"a", 0), locked, system};
  EXPECT_EQ(ApplySettingsChange(model, 32, 0, 0), (SettingsChange{false, false, {0, 2}}));
  EXPECT_EQ(std::tuple(model.Buttons[0].Color, model.Buttons[2].Color), std::tuple(1u, 3u));
  model.settings.Orient = 1;
  EXPECT_EQ(ApplySettingsChange(model, 32, 0, 0), (SettingsChange{true, false, {}}));
  model.settings.Size = 16;
  model.settings.ColorChange = true;
  EXPECT_EQ(ApplySettingsChange(model, 32, 1, 0), (SettingsChange{true, true, {}}));
}

TEST(SettingsForm, LeavingAnEdgeToFloatLaysTheWindowOutAgain) {
  // {position before, position after}: only a docked window that floats now
  // needs its length back; the edges keep their own.
  const std::tuple<std::int32_t, std::int32_t, bool> cases[] = {
      {2, 0, true}, {1, 0, true}, {4, 7, true}, {0, 0, false}, {0, 3, false}, {2, 4, false}, {9, 0, false}};
  for (const auto& [before, after, arrange] : cases) {
    LauncherModel model;
    model.settings.Position = after;
    EXPECT_EQ(ApplySettingsChange(model, 32, 0, before).arrange, arrange) << before << " to " << after;
  }
}

}  // namespace
}  // namespace vornish
