#include "window/win32/TickTimer.h"

namespace vornish::win32 {

void TickTimer::Enable(HWND window, bool enabled) {
  enabled_ = enabled;
  if (enabled) return Soon(window);
  if (window) ::KillTimer(window, id_);
  running_ = false;
}

void TickTimer::Soon(HWND window) {
  if (!enabled_ || running_ || !window) return;
  running_ = ::SetTimer(window, id_, milliseconds_, nullptr) != 0;
}

void TickTimer::StopUnlessDue(HWND window, bool due) {
  if (!running_ || !window || due) return;
  ::KillTimer(window, id_);
  running_ = false;
}

}  // namespace vornish::win32
