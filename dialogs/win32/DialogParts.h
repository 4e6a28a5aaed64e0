// Pieces both settings dialogs use: colour swatches, the colour dialog, the
// hourglass while OK works.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "core/Colour.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

// The dialog shows its owner's icons.
void TakeOwnerIcons(HWND dialog);

// Loads icon `id` of `instance` in the size of a large icon at the control's
// DPI and shows it in the icon control, which takes that size; the caller
// keeps the icon.
UniqueIcon ShowIcon(HINSTANCE instance, HWND control, int id);

// Paints an owner-drawn swatch of `colour` inside a thin frame.
void DrawSwatch(const DRAWITEMSTRUCT& item, OleColor colour);

// The colour dialog, starting from `initial`; nothing when the user cancels
// or the dialog fails. `custom` keeps the user's custom colours.
std::optional<OleColor> PickColour(HWND owner, OleColor initial, std::array<COLORREF, 16>& custom);

// The hourglass for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { ::SetCursor(previous_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace vornish::win32
