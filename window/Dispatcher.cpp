#include "window/Dispatcher.h"

#include "core/Settings.h"

namespace vornish {

namespace {
// Only these positions are kept at an edge; any other value floats.
bool Docked(std::int32_t position) { return position >= kPositionLeft && position <= kPositionBottom; }
}  // namespace

SettingsChange ApplySettingsChange(LauncherModel& model, std::int32_t oldSize, std::int32_t oldOrient,
                                   std::int32_t oldPosition) {
  const Settings& s = model.settings;
  SettingsChange change;
  change.refreshAll = s.Size != oldSize;
  change.arrange = change.refreshAll || s.Orient != oldOrient || (Docked(oldPosition) && !Docked(s.Position));
  if (s.ColorChange) return change;
  for (int i = 0; i <= model.ButtonLast(); ++i) {
    ButtonRecord& b = model.Buttons[static_cast<std::size_t>(i)];
    const OleColor kind = KindColour(s, b);
    if (b.Color != kind) {
      b.Color = kind;
      change.recoloured.push_back(i);
    }
  }
  return change;
}

void RunCommand(const ChosenCommand& chosen, LauncherModel& model, CommandHost& host) {
  const int button = chosen.button;
  switch (chosen.command) {
    case Command::AddButton:
      host.ApplyEdit(AddButton(model));
      break;
    case Command::InsertButton:
      host.ApplyEdit(InsertButton(model, button));
      break;
    case Command::DeleteButton:
      host.ApplyEdit(ButtonDel(model, button));
      break;
    case Command::InitButton:
      host.ApplyEdit(InitButton(model, button));
      break;
    case Command::Undo:
      host.ApplyEdit(UndoLastChange(model));
      break;
    case Command::ButtonSettings:
      if (button < 0 || button > model.ButtonLast()) break;
      host.ShowBarInactive();
      host.OpenButtonSettings(button);
      // Confirmed or not, the button shows its record again.
      host.RefreshButton(button);
      break;
    case Command::Ranking:
      if (model.settings.CountEnable) {
        host.ShowBarInactive();
        host.OpenRanking();
      } else {
        host.ShowMessage(CountingOffMessage());
      }
      break;
    case Command::LauncherSettings: {
      const std::int32_t oldSize = model.settings.Size;
      const std::int32_t oldOrient = model.settings.Orient;
      const std::int32_t oldPosition = model.settings.Position;
      host.ShowBarInactive();
      host.OpenSettings();
      host.ApplySettings(ApplySettingsChange(model, oldSize, oldOrient, oldPosition));
      break;
    }
    case Command::HelpContents:
      host.OpenHelp(HelpRequest::Contents);
      break;
    case Command::HelpSearch:
      host.OpenHelp(HelpRequest::Search);
      break;
    case Command::Tips:
      host.ShowBarInactive();
      host.OpenTips();
      break;
    case Command::About:
      host.ShowBarInactive();
      host.OpenAbout();
      break;
    case Command::Exit:
      host.Exit();
      break;
    case Command::Nothing:
      break;
  }
}

}  // namespace vornish
