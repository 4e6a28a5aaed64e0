// What the commands of the button pop-up menu do to the launcher's model, and
// what they ask of the windows.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Editing.h"
#include "core/Launcher.h"
#include "core/Messages.h"
#include "window/Commands.h"

namespace vornish {

// Which buttons the windows show anew after the launcher settings changed.
struct SettingsChange {
  bool arrange = false;     // size or orientation changed, or the window floats again
  bool refreshAll = false;  // the icon size changed: every icon is made again
  std::vector<int> recoloured;
  bool operator==(const SettingsChange&) const = default;
};

// After the launcher settings: with individual colours off, every button
// takes the colour of its kind. `oldSize`, `oldOrient` and `oldPosition` are
// the values from before the settings were opened. A window that leaves a
// screen edge to float is laid out again: it takes the length its buttons
// need instead of keeping the edge's.
SettingsChange ApplySettingsChange(LauncherModel& model, std::int32_t oldSize, std::int32_t oldOrient,
                                   std::int32_t oldPosition);

enum class HelpRequest { Contents, Search };

class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // The button controls follow the edited list.
  virtual void ApplyEdit(const EditResult& edit) = 0;
  virtual void RefreshButton(int index) = 0;
  // Before a window of the launcher opens, the bar shows the inactive colour.
  virtual void ShowBarInactive() = 0;
  virtual void ShowMessage(const Message& message) = 0;
  // The launcher's own windows; each returns when it has closed.
  virtual void OpenButtonSettings(int index) = 0;
  virtual void OpenRanking() = 0;
  virtual void OpenSettings() = 0;
  virtual void OpenTips() = 0;
  virtual void OpenAbout() = 0;
  virtual void ApplySettings(const SettingsChange& change) = 0;
  virtual void OpenHelp(HelpRequest request) = 0;
  virtual void Exit() = 0;
};

// Carries out `chosen` on the button it was chosen for.
void RunCommand(const ChosenCommand& chosen, LauncherModel& model, CommandHost& host);

}  // namespace vornish
