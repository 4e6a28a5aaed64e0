#include "window/win32/Docking.h"

#include "core/Launcher.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/Trace.h"
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

PixelRect FromRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

// The system's own choice of the monitor a window is on (the one it overlaps
// most, else the nearest), without listing them all.
Monitor MonitorOfWindow(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  return ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)
             ? Monitor{FromRect(info.rcMonitor), FromRect(info.rcWork)}
             : Monitors().front();
}
}  // namespace

std::vector<Monitor> Monitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR handle, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!::GetMonitorInfoW(handle, &info)) return TRUE;
        auto& list = *reinterpret_cast<std::vector<Monitor>*>(data);
        const Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork)};
        // The system calls this: out of memory, the list ends here instead.
        try {
          list.insert((info.dwFlags & MONITORINFOF_PRIMARY) ? list.begin() : list.end(), m);
          return TRUE;
        } catch (...) {
          TraceException(L"listing the monitors");
          return FALSE;
        }
      },
      reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    // No answer: the primary screen as the metrics give it.
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const PixelRect area = FromRect(work);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    monitors.push_back(Monitor{area, FromRect(work)});
  }
  return monitors;
}

void DockWindow(HWND window, Settings& settings, std::int32_t buttonSide, int dpi) {
  const RECT before = WindowRect(window);
  const Monitor monitor = MonitorOfWindow(window);  // every tick: cheap
  const auto placed = DockedRect(monitor, dpi, settings.Position, settings.TaskBar, buttonSide);
  if (placed) {
    const RECT r = ToRect(*placed);
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

bool MovedOrResized(LPARAM windowPos) {
  const UINT unchanged = SWP_NOMOVE | SWP_NOSIZE;
  return (reinterpret_cast<const WINDOWPOS*>(windowPos)->flags & unchanged) != unchanged;
}

void RestoreWindowPosition(HWND window, WindowPosition saved, int dpi) {
  const int positionDpi = static_cast<int>(SystemDpi());
  const RECT r = WindowRect(window);
  const int left = TwipsToPixels(saved.left, positionDpi);
  const int top = TwipsToPixels(saved.top, positionDpi);
  const std::vector<Monitor> monitors = Monitors();
  const Monitor& monitor =
      monitors[MonitorOf(monitors, PixelRect{left, top, left + r.right - r.left, top + r.bottom - r.top})];
  const WindowPosition p =
      VisibleWindowPosition(saved, PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi),
                            AreaInTwips(monitor, positionDpi));
  ::SetWindowPos(window, nullptr, TwipsToPixels(p.left, positionDpi), TwipsToPixels(p.top, positionDpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowPosition CurrentWindowPosition(HWND window) {
  const RECT r = WindowRect(window);
  const int dpi = static_cast<int>(SystemDpi());
  return WindowPosition{PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi)};
}

void KeepOnAMonitor(HWND window, int dpi) {
  const RECT r = WindowRect(window);
  if (!::MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) RestoreWindowPosition(window, CurrentWindowPosition(window), dpi);
}

MenuAnchor MenuAnchorBeside(HWND item, bool column) {
  return MenuAnchorFor(FromRect(WindowRect(item)), MonitorOfWindow(item).work, column);
}

void MoveWithPointer(HWND window) {
  ::ReleaseCapture();
  ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
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
