#include "dialogs/win32/DialogParts.h"

#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SystemLibraries.h"

namespace vornish::win32 {

void TakeOwnerIcons(HWND dialog) {
  const HWND owner = ::GetWindow(dialog, GW_OWNER);
  for (const WPARAM which : {ICON_SMALL, ICON_BIG}) {
    ::SendMessageW(dialog, WM_SETICON, which, ::SendMessageW(owner, WM_GETICON, which, 0));
  }
}

UniqueIcon ShowIcon(HINSTANCE instance, HWND control, int id) {
  constexpr int kLargeIconPixels = 32;  // at 96 DPI
  const int pixels = ScaleFromDefaultDpi(kLargeIconPixels, static_cast<int>(WindowDpi(control)));
  UniqueIcon icon = LoadIconResource(instance, id, pixels);
  ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  ::SetWindowPos(control, nullptr, 0, 0, pixels, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return icon;
}

void DrawSwatch(const DRAWITEMSTRUCT& item, OleColor colour) {
  RECT inner = item.rcItem;
  FillSolid(item.hDC, inner, ::GetSysColor(COLOR_WINDOWFRAME));
  ::InflateRect(&inner, -1, -1);
  FillSolid(item.hDC, inner, ToColorRef(colour));
}

std::optional<OleColor> PickColour(HWND owner, OleColor initial, std::array<COLORREF, 16>& custom) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = ToColorRef(initial);
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT;
  if (!ShowColourDialog(choose)) return std::nullopt;
  return static_cast<OleColor>(choose.rgbResult);
}

}  // namespace vornish::win32
