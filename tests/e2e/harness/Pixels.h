// What is on the screen. Reads go through the screen DC, which under Wine and
// Xvfb gives the exact colours the launcher painted (PrintWindow on another
// process's window gives black, so it is not used).
#pragma once

#include <filesystem>

#include "harness/Win32.h"

namespace vornish::e2e {

COLORREF ScreenPixel(int x, int y);
// A pixel at client coordinates of `window`.
COLORREF WindowPixel(HWND window, int x, int y);

// The whole screen as a 24-bit BMP file.
void SaveScreenshot(const std::filesystem::path& bmpFile);

}  // namespace vornish::e2e
