// The dots per inch a window is shown at, for converting twips to pixels.
#pragma once

#include <windows.h>

namespace vornish::win32 {

// The window's DPI where the system tells it per window (Windows 10 and
// later), else the screen's.
UINT WindowDpi(HWND hwnd);

// A system metric (SM_CXSMICON, say) as it is at `dpi`.
int MetricForDpi(int index, UINT dpi);

}  // namespace vornish::win32
