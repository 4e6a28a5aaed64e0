// The launcher's three pop-up menus: the button menu with its help submenu,
// the control bar's menu and the task-tray menu. Each opens at the mouse
// position (the button menu asked for from the keyboard beside the focused
// button), accepts a choice with either mouse button and reports it after it
// has closed. No command runs inside a menu's loop, where it would change the
// buttons the menu was opened on: the command timer is held meanwhile.
#pragma once

#include <windows.h>

#include <optional>

#include "core/win32/Handles.h"
#include "window/Commands.h"
#include "window/ControlBar.h"
#include "window/Placement.h"

namespace vornish::win32 {

class frmPopMenu {
 public:
  explicit frmPopMenu(CommandTimer& timer);

  // The button menu opened on button `button` (-1: the window's background or
  // the tray) with the given items enabled, at the pointer or, when the
  // keyboard asked for it, beside the window `beside` (a button of a strip
  // that is a column when `column`). The command chosen goes to the timer for
  // its next tick with that button; true when one was chosen ("ｷｬﾝｾﾙ"
  // chooses Nothing).
  bool ShowButtonMenu(HWND owner, const ButtonMenuState& state, int button, HWND beside = nullptr,
                      bool column = false);
  // The control menu: what its chosen item asks for.
  BarAction ShowControlMenu(HWND owner);
  // The tray menu: the chosen item's index, -1 for none.
  int ShowTrayMenu(HWND owner);

 private:
  // The button menu with the given items enabled, as it opens.
  HMENU ButtonMenu(const ButtonMenuState& state);
  // Opens `menu` at the pointer, or at `anchor`, and waits for it to close;
  // the chosen item's identifier, 0 for none.
  UINT Track(HMENU menu, HWND owner, const std::optional<MenuAnchor>& anchor = std::nullopt);

  CommandTimer& timer_;
  UniqueMenu mnuPop_;
  UniqueMenu mnuControl_;
  UniqueMenu mnuSysTray_;
};

// Item indexes of the tray menu that act.
inline constexpr int kTrayShow = 0;
inline constexpr int kTrayExit = 2;

}  // namespace vornish::win32
