// Real mouse and keyboard input through SendInput: it moves the X pointer and
// reaches whatever window is under it, as a user's hand would.
#pragma once

#include <optional>

#include "harness/Win32.h"

namespace vornish::e2e {

void MoveMouseTo(POINT screen);
void LeftDown(POINT screen);
void LeftUp(POINT screen);
void ClickAt(POINT screen);
void RightClickAt(POINT screen);
// Press, move in `steps` even steps, release.
void DragAndRelease(POINT from, POINT to, int steps = 8);
void PressKey(WORD virtualKey);

// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);

// Brings a window of another process to the foreground; false if it does not
// become the foreground window.
bool ActivateWindow(HWND window);

// The window with the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// Where the launcher's icon shows in Wine's stand-alone tray window (the
// first icon of a tray that holds only the launcher's), in screen
// coordinates; nothing when there is no tray window.
std::optional<POINT> FindTrayIcon();

// Rests the pointer on the tray icon first, as a user's hand does: Wine's
// tray window takes a press only for the icon it has seen the pointer on.
std::optional<POINT> HoverTrayIcon();

}  // namespace vornish::e2e
