#include "window/Commands.h"

#include <utility>

#include "core/Mouse.h"

namespace vornish {

namespace {

struct Entry {
  int number;
  Command command;
};

// The command table: the menus' command numbers.
constexpr Entry kTable[] = {
    {0, Command::AddButton},        {1, Command::InsertButton},   {2, Command::DeleteButton},
    {3, Command::InitButton},       {5, Command::ButtonSettings}, {7, Command::Ranking},
    {8, Command::LauncherSettings}, {10, Command::HelpContents},  {12, Command::Exit},
    {15, Command::Undo},
    {100, Command::HelpContents},   {101, Command::HelpSearch},   {103, Command::Tips},
    {105, Command::About},
};

Command CommandOfNumber(int number) {
  for (const Entry& e : kTable) {
    if (e.number == number) return e.command;
  }
  return Command::Nothing;
}

}  // namespace

Command PopMenuCommand(int index) { return CommandOfNumber(index); }
Command HelpMenuCommand(int index) { return CommandOfNumber(index + 100); }

Command KeyCommand(int keyCode, int shift) {
  constexpr int kKeyZ = 'Z';
  return keyCode == kKeyZ && shift == kCtrlMask ? Command::Undo : Command::Nothing;
}

bool WritesButtonRecords(Command command) {
  // The ranking's "クリア" clears the counts; the settings add and remove
  // system objects and may clear the counts too.
  return command == Command::ButtonSettings || command == Command::LauncherSettings || command == Command::Ranking;
}

void CommandTimer::Tick(TickHost& host, std::int32_t Position) {
  const ChosenCommand chosen = held_ == 0 && !exited_ ? std::exchange(pending_, ChosenCommand{}) : ChosenCommand{};
  if (Position != 0) host.PlaceWindow();
  if (!host.MainWindowActive()) {
    host.ShowBarInactive();
    marker_ = BarMarker::RepaintWhenActive;
  } else if (marker_ == BarMarker::RepaintWhenActive) {
    host.ShowBarActive();
    marker_ = BarMarker::ShownActive;
  }
  if (chosen.command == Command::Nothing) return;
  marker_ = BarMarker::CommandRunning;
  // The launcher is gone after an exit; otherwise the bar is repainted on the
  // next tick that finds the window active, also when the command failed.
  struct Finish {
    CommandTimer& timer;
    Command command;
    ~Finish() {
      timer.running_ = Command::Nothing;
      timer.exited_ = command == Command::Exit;
      if (!timer.exited_) timer.marker_ = BarMarker::RepaintWhenActive;
    }
  } finish{*this, chosen.command};
  const Hold hold(*this);
  running_ = chosen.command;
  host.Run(chosen);
}

void CommandTimer::Start(TickHost& host, const ChosenCommand& chosen, std::int32_t Position) {
  if (Pending()) Tick(host, Position);
  if (exited_) return;
  Post(chosen);
  Tick(host, Position);
}

bool CommandTimer::MayClose() {
  if (launches_ == 0) return true;
  pending_ = ChosenCommand{Command::Exit};
  return false;
}

ButtonMenuState MenuStateFor(const ButtonList& buttons, int currentButton, bool canUndo) {
  if (currentButton < 0 || currentButton >= static_cast<int>(buttons.size())) {
    return {false, false, false, false, canUndo};
  }
  const ButtonRecord& b = buttons[static_cast<std::size_t>(currentButton)];
  if (b.File.empty()) return {true, true, false, false, canUndo};
  if (b.Sys != 0) return {true, false, false, true, canUndo};
  return {true, true, true, true, canUndo};
}

}  // namespace vornish
