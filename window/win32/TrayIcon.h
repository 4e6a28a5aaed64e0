// The launcher's icon in the task tray: added after the first paint, removed
// at unload, added again when the task bar restarts. It turns the icon's
// mouse messages into what they ask for.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "window/TrayIcon.h"

namespace vornish::win32 {

// The message the tray sends to the owner, the icon's mouse message in its
// lParam. The owner's timers 2 and 4 are the icon's too.
inline constexpr UINT kTrayMessage = WM_APP + 1;

class TrayIcon {
 public:
  TrayIcon();
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // `SetTrayIcon(true)`: adds the icon with `tip` unless it is there. While
  // the task bar refuses it (it may not be there yet at log-on) it is tried
  // again every two seconds.
  void Add(HWND owner, HICON icon, std::wstring_view tip);
  // `SetTrayIcon(false)`: removes it when it was added, and tries no more.
  void Remove();
  // Shows another picture (made for a new DPI).
  void ChangeIcon(HICON icon);
  bool Shown() const { return shown_; }

  // A message of the owner's that is the icon's: what the user asked for
  // (Nothing when the message asked for nothing of the launcher), nullopt
  // for the others. A left press opens the button menu only when no second
  // press (a double-click) follows within the double-click time; a task bar
  // created anew gets the icon again.
  std::optional<TrayAction> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Restore();

  UINT taskbarCreated_ = 0;
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool wanted_ = false;
  bool shown_ = false;
  bool pressPending_ = false;
};

}  // namespace vornish::win32
