#include "window/win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace vornish::win32 {

namespace {

constexpr UINT kIconId = 1;
// Waits out the double-click time after a left press.
constexpr UINT_PTR kPressTimer = 2;
// Tries again to add an icon the task bar refused.
constexpr UINT_PTR kRetryTimer = 4;
constexpr UINT kRetryMilliseconds = 2000;

NOTIFYICONDATAW IconData(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kIconId;
  return data;
}

}  // namespace

TrayIcon::TrayIcon() : taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Add(HWND owner, HICON icon, std::wstring_view tip) {
  owner_ = owner;
  icon_ = icon;
  tip_.assign(tip);
  wanted_ = true;
  if (shown_) return;
  NOTIFYICONDATAW data = IconData(owner_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = icon_;
  // A tip longer than the field is cut.
  const std::size_t length = std::min(tip_.size(), std::size(data.szTip) - 1);
  std::copy_n(tip_.c_str(), length, data.szTip);
  data.szTip[length] = L'\0';
  shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  if (!shown_) ::SetTimer(owner_, kRetryTimer, kRetryMilliseconds, nullptr);
}

void TrayIcon::Remove() {
  wanted_ = false;
  if (owner_) ::KillTimer(owner_, kRetryTimer);
  if (!shown_) return;
  NOTIFYICONDATAW data = IconData(owner_);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

void TrayIcon::Restore() {
  if (!wanted_) return;
  shown_ = false;
  Add(owner_, icon_, tip_);
}

void TrayIcon::ChangeIcon(HICON icon) {
  icon_ = icon;
  if (!shown_) return;
  NOTIFYICONDATAW data = IconData(owner_);
  data.uFlags = NIF_ICON;
  data.hIcon = icon_;
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

std::optional<TrayAction> TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    Restore();
    return TrayAction::Nothing;
  }
  if (message == WM_TIMER && wParam == kRetryTimer) {
    ::KillTimer(owner_, kRetryTimer);
    if (wanted_) Add(owner_, icon_, tip_);  // which sets the timer again while refused
    return TrayAction::Nothing;
  }
  if (message == WM_TIMER && wParam == kPressTimer) {
    ::KillTimer(owner_, kPressTimer);
    return std::exchange(pressPending_, false) ? TrayAction::ButtonMenu : TrayAction::Nothing;
  }
  if (message != kTrayMessage) return std::nullopt;
  const TrayAction action = TrayActionFor(static_cast<std::uint32_t>(lParam));
  if (action == TrayAction::ButtonMenu) {
    // A menu opened on the first press would swallow the second press of a
    // double-click; it opens once that second press has not come.
    pressPending_ = true;
    ::SetTimer(owner_, kPressTimer, ::GetDoubleClickTime(), nullptr);
    return TrayAction::Nothing;
  }
  if (action == TrayAction::Show) {
    pressPending_ = false;
    ::KillTimer(owner_, kPressTimer);
  }
  return action;
}

}  // namespace vornish::win32
