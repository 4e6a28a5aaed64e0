#include "window/Commands.h"

#include <utility>

#include "core/Text.h"

namespace vornish {

namespace {

struct Entry {
  std::wstring_view text;
  Command command;
};

// The command table; the first row of a command gives its text.
constexpr Entry kTable[] = {
    {L"0", Command::AddButton},        {L"1", Command::InsertButton},  {L"2", Command::DeleteButton},
    {L"3", Command::InitButton},       {L"5", Command::ButtonSettings}, {L"7", Command::Ranking},
    {L"8", Command::LauncherSettings}, {L"100", Command::HelpContents}, {L"10", Command::HelpContents},
    {L"12", Command::Exit},            {L"101", Command::HelpSearch},   {L"103", Command::Tips},
    {L"105", Command::About},
};

}  // namespace

Command CommandFromText(std::wstring_view text) {
  for (const Entry& e : kTable) {
    if (e.text == text) return e.command;
  }
  return Command::Nothing;
}

std::wstring CommandText(Command command) {
  for (const Entry& e : kTable) {
    if (e.command == command) return std::wstring(e.text);
  }
  return {};
}

Command PopMenuCommand(int index) { return CommandFromText(ToDecimal(index)); }
Command HelpMenuCommand(int index) { return CommandFromText(ToDecimal(index + 100)); }

void CommandTimer::Tick(TickHost& host, std::int32_t Position) {
  const std::wstring taken = held_ == 0 ? std::exchange(tag_, std::wstring()) : std::wstring();
  if (Position != 0) host.PlaceWindow();
  if (!host.MainWindowActive()) {
    host.ShowBarInactive();
    marker_ = kRepaintWhenActive;
  } else if (marker_ == kRepaintWhenActive) {
    host.ShowBarActive();
    marker_ = window_;
  }
  if (taken.empty()) return;
  const Command command = CommandFromText(taken);
  marker_ = kCommandRunning;
  // The launcher is gone after an exit; otherwise the bar is repainted on the
  // next tick that finds the window active, also when the command failed.
  struct Finish {
    CommandTimer& timer;
    Command command;
    ~Finish() {
      if (command != Command::Exit) timer.marker_ = kRepaintWhenActive;
    }
  } finish{*this, command};
  const Hold hold(*this);
  host.Run(command);
}

ButtonMenuState MenuStateFor(const ButtonList& buttons, int currentButton) {
  if (currentButton < 0 || currentButton >= static_cast<int>(buttons.size())) return {false, false, false, false};
  const ButtonRecord& b = buttons[static_cast<std::size_t>(currentButton)];
  if (b.File.empty()) return {true, true, false, false};
  if (b.Sys != 0) return {true, false, false, true};
  return {};
}

}  // namespace vornish
