// Where the main window sits: fixed to a screen edge beside the task bar, or
// floating where it was left; and the raised frame drawn around it.
#pragma once

#include <windows.h>

#include <vector>

#include "core/Settings.h"
#include "window/Placement.h"

namespace vornish::win32 {

// The monitors of the desktop, the primary one first (never none).
std::vector<Monitor> Monitors();

// `PlaceWindow`: a window fixed to an edge (Position 1 to 4) is moved there
// and sized to the monitor it is on, beside that monitor's task bar;
// `buttonSide` is a button's side in twips. Measuring the task bar may correct
// `settings.TaskBar`. The frame is repainted when the size changed.
void DockWindow(HWND window, Settings& settings, std::int32_t buttonSide, int dpi);
// Whether the WM_WINDOWPOSCHANGED with this `windowPos` moved or resized the window.
bool MovedOrResized(LPARAM windowPos);
// Raises `placing` for its lifetime: the placement's own move, which the
// window hears of (WM_WINDOWPOSCHANGED), does not place it again.
class PlacingScope {
 public:
  explicit PlacingScope(bool& placing) : placing_(placing) { placing_ = true; }
  ~PlacingScope() { placing_ = false; }
  PlacingScope(const PlacingScope&) = delete;
  PlacingScope& operator=(const PlacingScope&) = delete;

 private:
  bool& placing_;
};

// The saved left and top edges (twips), pulled back onto the monitor nearest
// to them. Positions are twips at the system's DPI, whatever monitor the
// window is on; `dpi` is the window's, for its size.
void RestoreWindowPosition(HWND window, WindowPosition saved, int dpi);
// The window's left and top edges in twips at the system's DPI.
WindowPosition CurrentWindowPosition(HWND window);
// A floating window whose monitor has gone comes back onto the nearest one.
void KeepOnAMonitor(HWND window, int dpi);

// Where a menu asked for from the keyboard opens beside `item` (a button of
// a strip that is a column when `column`), inside its monitor's work area.
MenuAnchor MenuAnchorBeside(HWND item, bool column);

// The system moves `window` with the pointer until the left button goes up,
// as if its caption had been pressed.
void MoveWithPointer(HWND window);

// Two pixels of raised border, 30 twips in from the left and top edges and 15
// in from the right and bottom ones.
void PaintFrame(HWND window, HDC dc, int dpi);

}  // namespace vornish::win32
