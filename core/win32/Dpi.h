// The dots per inch a window is shown at, for converting twips to pixels, and
// the one place that loads an icon resource at a size for a DPI.
#pragma once

#include <windows.h>

#include "core/win32/Handles.h"

namespace vornish::win32 {

// The window's DPI where the system tells it per window (Windows 10 and
// later), else the screen's.
UINT WindowDpi(HWND hwnd);

// The DPI of the primary monitor when the user logged on: the scale of
// positions on the virtual screen, whatever monitor a window is on.
UINT SystemDpi();

// A system metric (SM_CXSMICON, say) as it is at `dpi`.
int MetricForDpi(int index, UINT dpi);

// Icon resource `id` of `instance` at `size` x `size` pixels: a size made for
// the DPI it is shown at (MetricForDpi, ScaleFromDefaultDpi), so that the
// system picks the image drawn for it rather than stretching another.
UniqueIcon LoadIconResource(HINSTANCE instance, int id, int size);

// A window's own two icons (its caption's and the task switcher's) from icon
// resource `id` at `dpi`; SetWindowIcons shows them, the caller keeps them.
struct WindowIcons {
  UniqueIcon smallIcon;
  UniqueIcon bigIcon;
};
WindowIcons LoadWindowIcons(HINSTANCE instance, int id, UINT dpi);
void SetWindowIcons(HWND window, const WindowIcons& icons);

}  // namespace vornish::win32
