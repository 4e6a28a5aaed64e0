// The main window's behaviour that needs no window: commands and the timer's
// tick, the menus' enabled items, the control bar, the tray, docking beside
// the task bar, and the system objects.
#include <gtest/gtest.h>

#include <utility>

#include "Fakes.h"
#include "core/Mouse.h"
#include "window/Commands.h"
#include "window/ControlBar.h"
#include "window/Dispatcher.h"
#include "window/Placement.h"
#include "core/SystemObjects.h"
#include "window/TrayIcon.h"

namespace vornish {
namespace {

// Which menu item is which command the end-to-end tests show, choosing each
// by its access key.
TEST(Commands, KeysAndWhatWritesButtonRecords) {
  using enum Command;
  // Only Ctrl+Z, with no other shift key, undoes.
  EXPECT_EQ(KeyCommand('Z', kCtrlMask), Undo);
  EXPECT_EQ(KeyCommand('Z', 0), Nothing);
  EXPECT_EQ(KeyCommand('Z', kCtrlMask | kShiftMask), Nothing);
  EXPECT_EQ(KeyCommand('Y', kCtrlMask), Nothing);
  for (Command c : {ButtonSettings, LauncherSettings, Ranking}) EXPECT_TRUE(WritesButtonRecords(c));
  for (Command c : {Nothing, AddButton, Tips, About}) EXPECT_FALSE(WritesButtonRecords(c));
}

// Records what the tick asked of the window.
class FakeHost : public TickHost {
 public:
  bool active = true;
  std::string log;
  CommandTimer* timer = nullptr;
  std::optional<ChosenCommand> postWhileRunning;
  void PlaceWindow() override { log += "place "; }
  bool MainWindowActive() override { return active; }
  void ShowBarInactive() override { log += "inactive "; }
  void ShowBarActive() override { log += "active "; }
  void Run(const ChosenCommand& chosen) override {
    log += "run" + std::to_string(static_cast<int>(chosen.command)) + "@" + std::to_string(chosen.button) +
           (timer->CommandRunning() ? "(running) " : " ");
    EXPECT_EQ(timer->Running(), chosen.command);
    // A modal window's loop: a command chosen there, and its ticks.
    if (auto nested = std::exchange(postWhileRunning, std::nullopt)) {
      timer->Post(*nested);
      active = false;  // the modal window has the activation
      timer->Tick(*this, 0);
      active = true;
      log += timer->CommandRunning() ? "still running " : "";
    }
  }
};

TEST(CommandTimer, TicksPlaceRepaintOnChangesAndRunCommandsOneAtATime) {
  CommandTimer timer;
  FakeHost host;
  host.timer = &timer;
  struct Tick {
    bool active;
    std::int32_t position;
    ChosenCommand chosen;
    const char* log;
    bool due;  // whether the timer must run for this tick
  };
  const Tick ticks[] = {
      {true, 0, {}, "active ", true},
      {true, 0, {}, "", false},  // already painted
      {false, 0, {}, "inactive ", true},
      {false, 0, {}, "inactive ", false},  // nothing left to do
      {true, 4, {}, "place active ", true},
      {true, 4, {Command::DeleteButton, 3}, "place run3@3(running) ", true},  // on the button it was chosen for
      {true, 0, {}, "active ", true},  // a command leaves the bar to be repainted
      {true, 0, {Command::Exit}, "run9@-1(running) ", true},
  };
  for (const Tick& t : ticks) {
    host.active = t.active;
    host.log.clear();
    if (t.chosen.command != Command::Nothing) timer.Post(t.chosen);
    EXPECT_EQ(timer.Pending(), t.chosen.command != Command::Nothing);
    EXPECT_EQ(timer.Due(t.active), t.due) << t.log;
    timer.Tick(host, t.position);
    EXPECT_EQ(host.log, t.log);
  }
  EXPECT_TRUE(timer.CommandRunning()) << "after an exit nothing follows";
  EXPECT_FALSE(timer.Due(true));

  // A command chosen while another runs, or while a launch holds the timer,
  // waits until that is over.
  CommandTimer nested;
  host.timer = &nested;
  host.postWhileRunning = ChosenCommand{Command::InitButton, 0};
  host.log.clear();
  nested.Post({Command::DeleteButton, 3});
  nested.Tick(host, 0);
  EXPECT_EQ(host.log, "active run3@3(running) inactive still running ");
  {
    const CommandTimer::Hold launching(nested);
    host.log.clear();
    nested.Tick(host, 0);
    EXPECT_EQ(host.log, "active ") << "still pending";
  }
  host.log.clear();
  nested.Tick(host, 0);
  EXPECT_EQ(host.log, "run4@0(running) ");
  EXPECT_EQ(nested.Running(), Command::Nothing);

  // Started at once: the command still waiting for its tick goes first, and
  // nothing runs after an exit.
  CommandTimer started;
  host.timer = &started;
  host.log.clear();
  started.Post({Command::DeleteButton, 3});
  started.Start(host, {Command::Exit}, 0);
  started.Start(host, {Command::AddButton}, 0);
  EXPECT_EQ(host.log, "active run3@3(running) active run9@-1(running) ");

  // A close asked for during a launch waits for it, then runs as the exit.
  CommandTimer launching;
  host.timer = &launching;
  host.log.clear();
  {
    const CommandTimer::Launch launch(launching);
    EXPECT_FALSE(launching.MayClose());
    launching.Tick(host, 0);
  }
  launching.Tick(host, 0);
  EXPECT_EQ(host.log, "active run9@-1(running) ");
  EXPECT_TRUE(CommandTimer().MayClose());
}

// Records what the commands ask of the windows.
class FakeCommandHost : public CommandHost {
 public:
  std::string log;
  void ApplyEdit(const EditResult& edit) override {
    log += "edit" + std::to_string(edit.refreshFrom) + "-" + std::to_string(edit.refreshTo) + " ";
  }
  void RefreshButton(int index) override { log += "refresh" + std::to_string(index) + " "; }
  void ShowBarInactive() override {}
  void ShowMessage(const Message&) override { log += "message "; }
  void OpenButtonSettings(int index) override { log += "settings" + std::to_string(index) + " "; }
  void OpenRanking() override {}
  void OpenSettings() override {}
  void OpenTips() override {}
  void OpenAbout() override {}
  void ApplySettings(const SettingsChange&) override {}
  void OpenHelp(HelpRequest) override {}
  void Exit() override {}
};

TEST(Commands, EachActsOnTheButtonItWasChosenFor) {
  // Whatever menu opens after the choice, the command carries its button.
  LauncherModel model;
  for (const wchar_t* title : {L"A", L"B", L"C", L"D"}) {
    model.Buttons.push_back(EmptyButton(0));
    model.Buttons.back().Title = title;
  }
  struct Row {
    ChosenCommand chosen;
    const wchar_t* titles;  // afterwards, "_" for an empty button
    std::string log;
  };
  const Row rows[] = {
      {{Command::DeleteButton, 3}, L"ABC", "edit3-2 "},
      {{Command::InitButton, 0}, L"_BC", "edit0-0 "},
      {{Command::InsertButton, 2}, L"_B_C", "edit2-3 "},
      {{Command::ButtonSettings, 1}, L"_B_C", "settings1 refresh1 "},
      {{Command::ButtonSettings, 3}, L"_B_C", "settings3 refresh3 "},  // the last one
      {{Command::ButtonSettings, 4}, L"_B_C", ""},  // gone meanwhile
      {{Command::DeleteButton, -1}, L"_B_C", "edit0--1 "},  // from the background: nothing
      {{Command::AddButton, 1}, L"_B_C_", "edit4-4 "},  // at the end, wherever chosen
  };
  for (const Row& r : rows) {
    FakeCommandHost host;
    RunCommand(r.chosen, model, host);
    std::wstring titles;
    for (const ButtonRecord& b : model.Buttons) titles += b.Title.empty() ? L"_" : b.Title;
    EXPECT_EQ(titles, r.titles) << static_cast<int>(r.chosen.command) << "@" << r.chosen.button;
    EXPECT_EQ(host.log, r.log) << static_cast<int>(r.chosen.command) << "@" << r.chosen.button;
  }
}

TEST(ButtonMenu, EnabledItemsByWhereItOpened) {
  const ButtonRecord ordinary{L"a", L"C:\\a.exe", L"", L"", 1, L"", 0, false, 0, 0, 0};
  ButtonRecord system = ordinary;
  system.Sys = 2;
  ButtonRecord emptySystem = EmptyButton(0);
  emptySystem.Sys = 3;
  const ButtonList buttons = {ordinary, EmptyButton(0), system, emptySystem};
  const std::pair<int, ButtonMenuState> cases[] = {
      {-1, {false, false, false, false}}, {0, {true, true, true, true}},    {1, {true, true, false, false}},
      {2, {true, false, false, true}},    {3, {true, true, false, false}}, {4, {false, false, false, false}},
  };
  for (const auto& [current, state] : cases) {
    EXPECT_EQ(MenuStateFor(buttons, current, false), state) << current;
    ButtonMenuState undoable = state;
    undoable.undo = true;
    EXPECT_EQ(MenuStateFor(buttons, current, true), undoable) << current;
  }
}

TEST(ControlBar, EveryRowOfTheGradientAtAnUnevenHeight) {
  // A 24-pixel row: the bar is 390 twips (26 pixels) high, 15.6 bands a row.
  const std::vector<std::uint32_t> levels = {255, 245, 235, 224, 214, 204, 194, 184, 173, 163, 153, 143, 133,
                                             122, 112, 102, 92,  82,  71,  61,  51,  41,  31,  20,  10,  0};
  std::vector<std::uint32_t> blue, yellow;
  for (std::uint32_t l : levels) {
    blue.push_back(l << 16);
    yellow.push_back(l | l << 8);
  }
  EXPECT_EQ(GradientRows(kGradientBlue, 390, 26), blue);
  EXPECT_EQ(GradientRows(kGradientYellow, 390, 26), yellow);
  // One row per band: 510 twips in steps of -0.5, ties rounding to even.
  const std::vector<std::uint32_t> rows = GradientRows(kGradientRed, 510, 511);
  EXPECT_EQ((std::vector<std::uint32_t>{rows[1], rows[2], rows[3], rows[4], rows[255], rows[257], rows[510]}),
            (std::vector<std::uint32_t>{254, 254, 254, 253, 128, 126, 0}));
  const std::pair<OleColor, std::uint32_t> tops[] = {{kGradientGreen, 0x00FF00}, {kGradientCyan, 0xFFFF00},
                                                     {kGradientPurple, 0xFF00FF}};
  for (const auto& [colour, top] : tops) EXPECT_EQ(GradientRows(colour, 90, 6).front(), top);
  for (OleColor none : {0x000000u, 0x123456u, 0xFFFFFFu}) EXPECT_TRUE(GradientRows(none, 510, 34).empty());
}

TEST(ControlBar, TipAndDoubleClickByTheSetting) {
  const std::tuple<int, std::optional<std::wstring_view>, BarAction> cases[] = {
      {0, L"ﾗﾝﾁｬｰ非表示", BarAction::Hide},
      {1, L"ﾗﾝﾁｬｰ設定", BarAction::Settings},
      {2, L"終了", BarAction::Exit},
      {3, std::nullopt, BarAction::Nothing},
  };
  for (const auto& [setting, tip, action] : cases) {
    EXPECT_EQ(ControlBarTip(setting), tip);
    EXPECT_EQ(BarDoubleClickAction(setting), action);
  }
}

TEST(TrayIcon, TipAndMouseMessages) {
  EXPECT_EQ(TrayTip(L"C:\\Apps\\V\\VRN.dat", L"C:\\Apps\\V"), L"Vornish");
  EXPECT_EQ(TrayTip(L"E:\\VRN.dat", L"E:\\"), L"Vornish");
  EXPECT_EQ(TrayTip(L"D:\\LAUNCH\\TOOLS.DAT", L"C:\\Apps\\V"), L"Vornish [TOOLS.DAT]");
  EXPECT_EQ(TrayTip(L"C:\\APPS\\V\\VRN.DAT", L"C:\\Apps\\V"), L"Vornish [VRN.DAT]") << "letter case counts";
  const std::pair<std::uint32_t, TrayAction> messages[] = {
      {0x201, TrayAction::ButtonMenu}, {0x203, TrayAction::Show}, {0x204, TrayAction::TrayMenu},
      {0x200, TrayAction::Nothing},    {0x202, TrayAction::Nothing}, {0x205, TrayAction::Nothing}};
  for (const auto& [message, action] : messages) EXPECT_EQ(TrayActionFor(message), action);
}

// 1024 x 768 pixels at 96 DPI: 15360 x 11520 twips.
constexpr std::int32_t SW = 15360;
constexpr std::int32_t SH = 11520;

TEST(Placement, TaskBarMeasuredOnEachEdgeAndTheSettingCorrected) {
  const std::tuple<int, int, int, int, std::int32_t, TaskBarSize, std::int32_t> cases[] = {
      {0, 0, 1024, 740, 4, {420, 0, 1}, 4},   // bottom, 28 px
      {0, 28, 1024, 768, 2, {420, 0, 1}, 2},  // top
      {0, 0, 964, 768, 3, {0, 900, 2}, 3},    // right, 60 px
      {60, 0, 1024, 768, 1, {0, 900, 2}, 1},  // left
      {0, 0, 964, 768, 4, {0, 900, 2}, 3},    // vertical bar, bottom set: right
      {0, 0, 1024, 740, 1, {420, 0, 1}, 4},   // horizontal bar, left set: bottom
      {0, 0, 1024, 740, 0, {420, 0, 1}, 4},
      {0, 0, 1024, 768, 7, {30, 30, 0}, 7},   // hidden: 30 twips, the setting kept
  };
  for (const auto& [left, top, right, bottom, setting, size, corrected] : cases) {
    std::int32_t taskBar = setting;
    EXPECT_EQ(GetTaskBar({1024, 768, left, top, right, bottom, 96}, taskBar), size) << left << top << right << bottom;
    EXPECT_EQ(taskBar, corrected);
  }
  std::int32_t taskBar = 4;
  EXPECT_EQ(GetTaskBar({1536, 1152, 0, 0, 1536, 1110, 144}, taskBar).TaskH, 420) << "at the screen's DPI";
}

TEST(Placement, EveryRowOfThePlacementTable) {
  // TaskH 200 and TaskW 300 both set, so that every term shows; B 390.
  const TaskBarSize t{200, 300, 1};
  const std::tuple<std::int32_t, std::int32_t, TwipsRect> rows[] = {
      {1, 1, {300, 0, 510, SH - 200}},         {1, 2, {0, 200, 510, SH - 200}},       {1, 3, {0, 0, 510, SH - 200}},
      {1, 9, {0, 0, 510, SH - 200}},           {2, 1, {300, 0, SW - 300, 510}},       {2, 2, {0, 200, SW - 300, 510}},
      {2, 4, {0, 0, SW - 300, 510}},           {3, 2, {SW - 510, 200, 510, SH - 200}}, {3, 3, {SW - 810, 0, 510, SH - 200}},
      {3, 1, {SW - 510, 0, 510, SH - 200}},    {3, 0, {SW - 510, 0, 510, SH - 200}},  {4, 1, {300, SH - 510, SW - 300, 510}},
      {4, 4, {0, SH - 710, SW, 510}},          {4, 2, {0, SH - 510, SW - 300, 510}},  {4, 5, {0, SH - 510, SW - 300, 510}},
  };
  for (const auto& [position, taskBar, rect] : rows) {
    EXPECT_EQ(PlaceWindow(position, taskBar, t, SW, SH, 390), rect) << position << "/" << taskBar;
  }
  // The worked screens: bottom bar 28 px docked at the bottom; right bar 60 px
  // docked at the right; hidden bar: a 30-twip gap.
  EXPECT_EQ(PlaceWindow(4, 4, {420, 0, 1}, SW, SH, 510), (TwipsRect{0, 10470, 15360, 630}));
  EXPECT_EQ(PlaceWindow(3, 3, {0, 900, 2}, SW, SH, 510), (TwipsRect{13830, 0, 630, 11520}));
  EXPECT_EQ(PlaceWindow(4, 4, {30, 30, 0}, SW, SH, 510), (TwipsRect{0, 10860, 15360, 630}));
  for (std::int32_t floating : {0, 5, -1}) EXPECT_FALSE(PlaceWindow(floating, 4, t, SW, SH, 510));
}

TEST(Placement, TheMonitorAWindowIsOnAndItsOwnTaskBar) {
  const Monitor left{{-1280, 0, 0, 1024}, {-1220, 0, 0, 1024}};            // task bar on its left, 60 px
  const Monitor primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};           // at the bottom, 40 px
  const Monitor right{{1920, -200, 4800, 1420}, {1920, -200, 4710, 1420}};  // 150 %, on its right, 90 px
  const Monitor below{{0, 1080, 1024, 1848}, {0, 1108, 1024, 1848}};       // at the top, 28 px
  const std::vector<Monitor> desk = {primary, left, right, below};
  const std::pair<PixelRect, std::size_t> windows[] = {
      {{100, 100, 200, 200}, 0},      {{1800, 100, 2100, 200}, 2},     // more of it on the right one
      {{-500, 100, -400, 200}, 1},    {{-2000, -50, -1900, 0}, 1},    // off every monitor: the nearest
      {{5000, 1300, 5100, 1400}, 2},  {{10, 1000, 110, 1200}, 3},     // stacked: more below
      {{1870, -300, 1970, -250}, 2},  {{0, 0, 0, 0}, 0},              // touching none: the first of equals
  };
  for (const auto& [window, monitor] : windows) EXPECT_EQ(MonitorOf(desk, window), monitor) << window.left;

  // Docked beside each monitor's own task bar, in pixels of the whole desktop.
  const std::tuple<Monitor, int, std::int32_t, std::int32_t, PixelRect, std::int32_t> docked[] = {
      {primary, 96, 4, 4, {0, 998, 1920, 1040}, 4},
      {left, 96, 1, 1, {-1220, 0, -1178, 1024}, 1},
      {below, 96, 2, 2, {0, 1108, 1024, 1150}, 2},
      {right, 144, 3, 4, {4647, -200, 4710, 1420}, 3},  // a vertical bar corrects the setting
      {Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, 96, 4, 4, {0, 698, 1024, 740}, 4},  // one monitor as ever
  };
  for (const auto& [monitor, dpi, position, taskBar, rect, corrected] : docked) {
    std::int32_t setting = taskBar;
    EXPECT_EQ(DockedRect(monitor, dpi, position, setting, 510), rect) << position;
    EXPECT_EQ(setting, corrected);
  }
  std::int32_t setting = 1;
  EXPECT_FALSE(DockedRect(primary, 96, 0, setting, 510));
  EXPECT_EQ(setting, 4) << "measured also for a floating window";
  EXPECT_EQ(AreaInTwips(left, 96), (TwipsRect{-19200, 0, 19200, 15360}));
}

TEST(Placement, AMenuFromTheKeyboardOpensBesideTheButtonOnTheWorkArea) {
  const PixelRect work{0, 0, 1024, 740};
  const std::tuple<PixelRect, bool, MenuAnchor> cases[] = {
      {{300, 200, 334, 234}, false, {300, 234, true, {300, 200, 334, 234}}},  // a row: below
      {{300, 200, 334, 234}, true, {334, 200, false, {300, 200, 334, 234}}},  // a column: to the right
      {{0, 706, 1024, 740}, false, {0, 739, true, {0, 706, 1024, 740}}},      // docked at the bottom
      {{1100, 200, 1134, 234}, false, {1023, 234, true, {1023, 234, 1023, 234}}},  // beyond the screen
      {{1000, 720, 1034, 754}, true, {1023, 720, false, {1000, 720, 1024, 740}}},  // partly beyond it
  };
  for (const auto& [item, column, anchor] : cases) EXPECT_EQ(MenuAnchorFor(item, work, column), anchor) << item.left;
}

// The table's titles and icons are data; these rows show how its paths are
// made on each platform and what lies beyond it.
TEST(SystemObjects, PathsOnBothPlatforms) {
  using testing::FakeSystemInfo;
  const FakeSystemInfo nt = FakeSystemInfo::WindowsNT(), w98 = FakeSystemInfo::Windows98();
  const std::wstring s = L"C:\\WINNT\\system32\\";
  const std::tuple<std::int32_t, const FakeSystemInfo&, std::wstring, std::wstring, std::wstring, std::wstring, int> rows[] = {
      {1, nt, L"C:\\WINNT\\EXPLORER.EXE", L",/root,", L"C:\\WINNT\\", L"", 3},
      {2, nt, s + L"CONTROL.EXE", L"", s, s + L"shell32.dll", 35},
      {3, w98, L"C:\\WINDOWS\\CONTROL.EXE", L"C:\\WINDOWS\\SYSTEM\\SYSDM.CPL", L"C:\\WINDOWS\\SYSTEM\\",
       L"C:\\WINDOWS\\SYSTEM\\SYSDM.CPL", 0},
      {9, w98, L"C:\\WINDOWS\\CONTROL.EXE", L"C:\\WINDOWS\\SYSTEM\\MMSYS.CPL", L"C:\\WINDOWS\\SYSTEM\\",
       L"C:\\WINDOWS\\SYSTEM\\MMSYS.CPL", 1},
      {12, w98, L"C:\\WINDOWS\\CONTROL.EXE", L"C:\\WINDOWS\\SYSTEM\\NETCPL.CPL", L"C:\\WINDOWS\\SYSTEM\\",
       L"C:\\WINDOWS\\SYSTEM\\NETCPL.CPL", 0},
      {12, nt, s + L"CONTROL.EXE", s + L"NCPA.CPL", s, s + L"NCPA.CPL", 3},
      {14, nt, s + L"CONTROL.EXE", s, L"", L"", 0},  // beyond the table: the control panel
  };
  for (const auto& [number, system, file, param, path, icon, iconNo] : rows) {
    const SystemObjectEntry e = DescribeSystemObject(number, system);
    EXPECT_EQ(std::tie(e.File, e.Param, e.Path, e.Icon, e.IconNo), std::tie(file, param, path, icon, iconNo)) << number;
  }
  const ButtonRecord added = NewSystemObjectButton(8, nt, 0x00ABCDEF);
  EXPECT_EQ(added, (ButtonRecord{L"ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ", s + L"CONTROL.EXE", s, s + L"INETCPL.CPL", 1, s + L"INETCPL.CPL",
                                 37, true, 0x00ABCDEF, 0, 8}))
      << "locked, in the system-object colour";
}

}  // namespace
}  // namespace vornish
