#include "window/Commands.h"

#include "core/Text.h"

namespace vornish {

Command CommandFromText(std::wstring_view text) {
  struct Entry {
    std::wstring_view text;
    Command command;
  };
  static constexpr Entry kTable[] = {
      {L"0", Command::AddButton},      {L"1", Command::InsertButton},     {L"2", Command::DeleteButton},
      {L"3", Command::InitButton},     {L"5", Command::ButtonSettings},   {L"7", Command::Ranking},
      {L"8", Command::LauncherSettings}, {L"10", Command::HelpContents},  {L"12", Command::Exit},
      {L"100", Command::HelpContents}, {L"101", Command::HelpSearch},     {L"103", Command::Tips},
      {L"105", Command::About},
  };
  for (const Entry& e : kTable) {
    if (e.text == text) return e.command;
  }
  return Command::Nothing;
}

std::wstring PopMenuCommand(int index) { return ToDecimal(index); }
std::wstring HelpMenuCommand(int index) { return ToDecimal(index + 100); }

void CommandTimer::Tick(TickHost& host, std::int32_t Position) {
  const std::wstring taken = std::move(tag_);
  tag_.clear();
  if (Position != 0) host.PlaceWindow();
  if (!host.MainWindowActive()) {
    host.ShowBarInactive();
    marker_ = kRepaintWhenActive;
  } else if (marker_ == kRepaintWhenActive) {
    host.ShowBarActive();
    marker_ = window_;
  }
  if (taken.empty()) return;
  marker_ = kCommandRunning;
  const Command command = CommandFromText(taken);
  host.Run(command);
  // The launcher is gone after an exit; otherwise the bar is repainted on the
  // next tick that finds the window active.
  if (command != Command::Exit) marker_ = kRepaintWhenActive;
}

ButtonMenuState MenuStateFor(const ButtonList& buttons, int currentButton) {
  if (currentButton < 0 || currentButton >= static_cast<int>(buttons.size())) return {false, false, false, false};
  const ButtonRecord& b = buttons[static_cast<std::size_t>(currentButton)];
  if (b.File.empty()) return {true, true, false, false};
  if (b.Sys != 0) return {true, false, false, true};
  return {};
}

}  // namespace vornish
