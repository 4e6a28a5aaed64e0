#include "window/Commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace vornish {
namespace {

TEST(Commands, EveryRowOfTheCommandTable) {
  const std::pair<const wchar_t*, Command> rows[] = {
      {L"0", Command::AddButton},        {L"1", Command::InsertButton},  {L"2", Command::DeleteButton},
      {L"3", Command::InitButton},       {L"5", Command::ButtonSettings}, {L"7", Command::Ranking},
      {L"8", Command::LauncherSettings}, {L"10", Command::HelpContents}, {L"12", Command::Exit},
      {L"100", Command::HelpContents},   {L"101", Command::HelpSearch},  {L"103", Command::Tips},
      {L"105", Command::About},
  };
  for (const auto& [text, command] : rows) EXPECT_EQ(CommandFromText(text), command) << std::wstring(text).size();
  for (const wchar_t* other : {L"4", L"6", L"9", L"11", L"13", L"14", L"102", L"104", L"", L"08", L" 8", L"+8", L"x"}) {
    EXPECT_EQ(CommandFromText(other), Command::Nothing);
  }
  EXPECT_EQ(PopMenuCommand(12), L"12");
  EXPECT_EQ(HelpMenuCommand(3), L"103");
}

// Records what the tick asked of the window.
class FakeHost : public TickHost {
 public:
  bool active = true;
  std::vector<std::string> log;
  CommandTimer* timer = nullptr;
  std::intptr_t markerDuringRun = 99;
  void PlaceWindow() override { log.push_back("place"); }
  bool MainWindowActive() override { return active; }
  void ShowBarInactive() override { log.push_back("inactive"); }
  void ShowBarActive() override { log.push_back("active"); }
  void Run(Command command) override {
    log.push_back("run " + std::to_string(static_cast<int>(command)));
    markerDuringRun = timer->Marker();
  }
};

class TickTest : public ::testing::Test {
 protected:
  void SetUp() override { host.timer = &timer; }
  CommandTimer timer{0x1234};
  FakeHost host;
};

TEST_F(TickTest, IdleTicksRepaintOnlyOnActivationChanges) {
  EXPECT_EQ(timer.Marker(), kRepaintWhenActive);
  timer.Tick(host, 0);
  EXPECT_EQ(host.log, (std::vector<std::string>{"active"}));
  EXPECT_EQ(timer.Marker(), 0x1234);
  timer.Tick(host, 0);
  EXPECT_EQ(host.log.size(), 1u) << "already painted: nothing";
  host.active = false;
  timer.Tick(host, 0);
  EXPECT_EQ(timer.Marker(), kRepaintWhenActive);
  host.active = true;
  timer.Tick(host, 0);
  EXPECT_EQ(host.log, (std::vector<std::string>{"active", "inactive", "active"}));
}

TEST_F(TickTest, DockedWindowIsPlacedOnEveryTick) {
  timer.Tick(host, 4);
  timer.Tick(host, 4);
  EXPECT_EQ(host.log, (std::vector<std::string>{"place", "active", "place"}));
}

TEST_F(TickTest, CommandRunsOnceWithTheMarkerAtZeroAndThenRepaints) {
  timer.Tick(host, 0);
  timer.SetTag(L"2");
  timer.Tick(host, 0);
  EXPECT_EQ(host.log.back(), "run " + std::to_string(static_cast<int>(Command::DeleteButton)));
  EXPECT_EQ(host.markerDuringRun, kCommandRunning);
  EXPECT_EQ(timer.Marker(), kRepaintWhenActive);
  EXPECT_TRUE(timer.Tag().empty()) << "taken out of the tag";
  timer.Tick(host, 0);
  EXPECT_EQ(host.log.back(), "active") << "the bar is repainted after a command";
}

TEST_F(TickTest, UnknownTextIsDroppedAndExitLeavesTheMarker) {
  timer.SetTag(L"14");
  timer.Tick(host, 0);
  EXPECT_EQ(host.log.back(), "run " + std::to_string(static_cast<int>(Command::Nothing)));
  EXPECT_TRUE(timer.Tag().empty());
  timer.SetTag(L"12");
  timer.Tick(host, 0);
  EXPECT_EQ(timer.Marker(), kCommandRunning) << "after an exit no further step";
}

TEST(ButtonMenu, EnabledItemsByWhereItOpened) {
  ButtonRecord ordinary = EmptyButton(0);
  ordinary.File = L"C:\\a.exe";
  ButtonRecord system = ordinary;
  system.Sys = 2;
  ButtonRecord emptySystem = EmptyButton(0);
  emptySystem.Sys = 3;
  const ButtonList buttons = {ordinary, EmptyButton(0), system, emptySystem};
  EXPECT_EQ(MenuStateFor(buttons, -1), (ButtonMenuState{false, false, false, false}));
  EXPECT_EQ(MenuStateFor(buttons, 0), (ButtonMenuState{true, true, true, true}));
  EXPECT_EQ(MenuStateFor(buttons, 1), (ButtonMenuState{true, true, false, false}));
  EXPECT_EQ(MenuStateFor(buttons, 2), (ButtonMenuState{true, false, false, true}));
  EXPECT_EQ(MenuStateFor(buttons, 3), (ButtonMenuState{true, true, false, false})) << "the empty test comes first";
  EXPECT_EQ(MenuStateFor(buttons, 4), (ButtonMenuState{false, false, false, false}));
}

}  // namespace
}  // namespace vornish
