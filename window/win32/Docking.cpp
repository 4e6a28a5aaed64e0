#include "window/win32/Docking.h"

#include "core/Launcher.h"
#include "core/win32/Controls.h"
#include "window/win32/ButtonStrip.h"

namespace vornish::win32 {

namespace {
constexpr std::int32_t kFrameInset = 30;
constexpr std::int32_t kFrameFarInset = 15;
constexpr int kFrameThickness = 2;

RECT WindowRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}
}  // namespace

ScreenMetrics ScreenOf(int dpi) {
  ScreenMetrics screen;
  screen.width = ::GetSystemMetrics(SM_CXSCREEN);
  screen.height = ::GetSystemMetrics(SM_CYSCREEN);
  RECT work{0, 0, screen.width, screen.height};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  screen.workLeft = work.left;
  screen.workTop = work.top;
  screen.workRight = work.right;
  screen.workBottom = work.bottom;
  screen.dpi = dpi;
  return screen;
}

void DockWindow(HWND window, Settings& settings, std::int32_t buttonSide, int dpi) {
  const ScreenMetrics screen = ScreenOf(dpi);
  const TaskBarSize task = GetTaskBar(screen, settings.TaskBar);
  const RECT before = WindowRect(window);
  const auto placed = PlaceWindow(settings.Position, settings.TaskBar, task, PixelsToTwips(screen.width, dpi),
                                  PixelsToTwips(screen.height, dpi), buttonSide);
  if (placed) {
    const RECT r = ToPixels(*placed, dpi);
    // Moving a window to where it already is would only cost time each tick.
    if (!::EqualRect(&r, &before)) {
      ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  const RECT after = WindowRect(window);
  if (!placed || after.right - after.left != before.right - before.left ||
      after.bottom - after.top != before.bottom - before.top) {
    ::InvalidateRect(window, nullptr, TRUE);
  }
}

void RestoreWindowPosition(HWND window, WindowPosition saved, int dpi) {
  const RECT r = WindowRect(window);
  const WindowPosition p = VisibleWindowPosition(
      saved, PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi),
      PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(::GetSystemMetrics(SM_CYSCREEN), dpi));
  ::SetWindowPos(window, nullptr, TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowPosition CurrentWindowPosition(HWND window, int dpi) {
  const RECT r = WindowRect(window);
  return WindowPosition{PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi)};
}

void PaintFrame(HWND window, HDC dc, int dpi) {
  RECT client{};
  ::GetClientRect(window, &client);
  const int nearEdge = TwipsToPixels(kFrameInset, dpi);
  const int farRight = client.right - TwipsToPixels(kFrameFarInset, dpi);
  const int farBottom = client.bottom - TwipsToPixels(kFrameFarInset, dpi);
  const int t = kFrameThickness;
  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  // Each line is centred on its position, as a two-pixel pen draws it.
  FillSolid(dc, RECT{nearEdge - t / 2, nearEdge - t / 2, farRight, nearEdge + t / 2}, light);
  FillSolid(dc, RECT{nearEdge - t / 2, nearEdge - t / 2, nearEdge + t / 2, farBottom}, light);
  FillSolid(dc, RECT{nearEdge - t / 2, farBottom - t / 2, farRight + t / 2, farBottom + t / 2}, shadow);
  FillSolid(dc, RECT{farRight - t / 2, nearEdge - t / 2, farRight + t / 2, farBottom + t / 2}, shadow);
}

}  // namespace vornish::win32
