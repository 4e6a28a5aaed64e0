// The launcher's three pop-up menus: the button menu with its help submenu,
// the control bar's menu and the task-tray menu. Each opens at the mouse
// position, accepts a choice with either mouse button and reports it after it
// has closed.
#pragma once

#include <windows.h>

#include <optional>

#include "core/win32/Handles.h"
#include "window/Commands.h"
#include "window/ControlBar.h"

namespace vornish::win32 {

class frmPopMenu {
 public:
  frmPopMenu();

  // The button menu with the given items enabled; the chosen item's command
  // (Nothing for "ｷｬﾝｾﾙ"), nothing when the menu closed without a choice.
  std::optional<Command> ShowButtonMenu(HWND owner, const ButtonMenuState& state);
  // The control menu: what its chosen item asks for.
  BarAction ShowControlMenu(HWND owner);
  // The tray menu: the chosen item's index, -1 for none.
  int ShowTrayMenu(HWND owner);

 private:
  // The button menu with the given items enabled, as it opens.
  HMENU ButtonMenu(const ButtonMenuState& state);

  UniqueMenu mnuPop_;
  UniqueMenu mnuControl_;
  UniqueMenu mnuSysTray_;
};

// Item indexes of the tray menu that act.
inline constexpr int kTrayShow = 0;
inline constexpr int kTrayExit = 2;

}  // namespace vornish::win32
