// The launcher's icon in the task tray: added at load, removed at unload, and
// added again when the task bar restarts.
#pragma once

#include <windows.h>

#include <string>

#include "core/win32/Handles.h"

namespace vornish::win32 {

// The message the tray sends to the main window, the icon's mouse message in
// its lParam.
inline constexpr UINT kTrayMessage = WM_APP + 1;

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
  bool Shown() const { return shown_; }

 private:
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool wanted_ = false;
  bool shown_ = false;
};

}  // namespace vornish::win32
