// The command timer: menu choices become command numbers (decimal text) that
// the timer's tick carries out after the menu has closed. The same tick keeps
// a docked window in place and repaints the control bar when the window
// gains or loses activation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ButtonRecord.h"

namespace vornish {

enum class Command {
  Nothing,           // separators, "ｷｬﾝｾﾙ", unknown text
  AddButton,         // "0"
  InsertButton,      // "1"
  DeleteButton,      // "2"
  InitButton,        // "3"
  ButtonSettings,    // "5"
  Ranking,           // "7"
  LauncherSettings,  // "8"
  HelpContents,      // "10", "100"
  Exit,              // "12"
  HelpSearch,        // "101"
  Tips,              // "103"
  About,             // "105"
};

Command CommandFromText(std::wstring_view text);

// The command text of item `index` of the button pop-up menu, and of item
// `index` of its help submenu (index + 100).
std::wstring PopMenuCommand(int index);
std::wstring HelpMenuCommand(int index);

// The bar paint marker: repaint when next found active, a command is
// running, or the window handle (the bar shows its active colours).
inline constexpr std::intptr_t kRepaintWhenActive = -1;
inline constexpr std::intptr_t kCommandRunning = 0;

// What a tick does to the window.
class TickHost {
 public:
  virtual ~TickHost() = default;
  virtual void PlaceWindow() = 0;
  // The active window of the launcher's thread is the main window.
  virtual bool MainWindowActive() = 0;
  virtual void ShowBarInactive() = 0;
  virtual void ShowBarActive() = 0;
  virtual void Run(Command command) = 0;
};

class CommandTimer {
 public:
  explicit CommandTimer(std::intptr_t windowHandle) : window_(windowHandle) {}

  // The tag: the pending command's text, empty for none.
  void SetTag(std::wstring_view text) { tag_.assign(text); }
  const std::wstring& Tag() const { return tag_; }

  std::intptr_t Marker() const { return marker_; }
  void SetMarker(std::intptr_t marker) { marker_ = marker; }
  bool CommandRunning() const { return marker_ == kCommandRunning; }

  // One tick (also run directly after a caller has set the tag).
  void Tick(TickHost& host, std::int32_t Position);

 private:
  std::intptr_t window_;
  std::intptr_t marker_ = kRepaintWhenActive;
  std::wstring tag_;
};

// Which items of the button pop-up menu are enabled.
struct ButtonMenuState {
  bool insert = true;    // "ﾎﾞﾀﾝ挿入(&I)"
  bool remove = true;    // "ﾎﾞﾀﾝ削除(&D)"
  bool init = true;      // "ﾎﾞﾀﾝ初期化(&C)"
  bool settings = true;  // "ﾎﾞﾀﾝ設定(&B)..."
  bool operator==(const ButtonMenuState&) const = default;
};

// For the menu opened on `currentButton` (-1: the background or the tray).
// An entry without a file counts as empty whatever its system-object number.
ButtonMenuState MenuStateFor(const ButtonList& buttons, int currentButton);

}  // namespace vornish
