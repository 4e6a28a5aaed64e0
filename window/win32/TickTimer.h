// The system timer behind the command timer's ticks. It is enabled while the
// launcher is shown (and for a command chosen while it is hidden), and even
// then runs only while a tick is due: Soon starts it for an event a tick
// answers, and it stops once a tick has left nothing to do. A launcher at rest
// so wakes for nothing at all.
#pragma once

#include <windows.h>

namespace vornish::win32 {

class TickTimer {
 public:
  TickTimer(UINT_PTR id, UINT milliseconds) : id_(id), milliseconds_(milliseconds) {}

  UINT_PTR Id() const { return id_; }
  // Enabling brings a tick; disabling stops the timer.
  void Enable(HWND window, bool enabled);
  // Something a tick answers happened: a tick follows, when enabled.
  void Soon(HWND window);
  // After a tick: the timer stops unless another tick is `due`.
  void StopUnlessDue(HWND window, bool due);

 private:
  UINT_PTR id_;
  UINT milliseconds_;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace vornish::win32
