// The launcher's icon in the task tray: added after the first paint, removed
// at unload, added again when the task bar restarts. It turns the icon's
// mouse messages into what they ask for.
#pragma once

#include <windows.h>

#include <string>

#include "window/TrayIcon.h"

namespace vornish::win32 {

// The message the tray sends to the main window, the icon's mouse message in
// its lParam; and the timer that waits out the double-click time.
inline constexpr UINT kTrayMessage = WM_APP + 1;
inline constexpr UINT_PTR kTrayPressTimer = 2;

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // `SetTrayIcon(true)`: adds the icon with `tip` unless it is there; the
  // icon stays absent (silently) when the tray is not available.
  void Add(HWND owner, HICON icon, std::wstring_view tip);
  // `SetTrayIcon(false)`: removes it when it was added.
  void Remove();
  // The task bar was created anew: an icon that was there is added again.
  void Restore();
  // Shows another picture (made for a new DPI).
  void ChangeIcon(HICON icon);
  bool Shown() const { return shown_; }

  // What a mouse message of the icon asks for. A left press opens the button
  // menu only when no second press (a double-click) follows within the
  // double-click time: it answers Nothing now and ButtonMenu from OnTimer.
  TrayAction OnMouse(UINT mouseMessage);
  TrayAction OnTimer();

 private:
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool wanted_ = false;
  bool shown_ = false;
  bool pressPending_ = false;
};

}  // namespace vornish::win32
