#include "window/win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace vornish::win32 {

namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAW IconData(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kIconId;
  return data;
}

}  // namespace

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
}

void TrayIcon::Remove() {
  wanted_ = false;
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

TrayAction TrayIcon::OnMouse(UINT mouseMessage) {
  const TrayAction action = TrayActionFor(mouseMessage);
  if (action == TrayAction::ButtonMenu) {
    // A menu opened on the first press would swallow the second press of a
    // double-click; it opens once that second press has not come.
    pressPending_ = true;
    ::SetTimer(owner_, kTrayPressTimer, ::GetDoubleClickTime(), nullptr);
    return TrayAction::Nothing;
  }
  if (action == TrayAction::Show) {
    pressPending_ = false;
    ::KillTimer(owner_, kTrayPressTimer);
  }
  return action;
}

TrayAction TrayIcon::OnTimer() {
  ::KillTimer(owner_, kTrayPressTimer);
  return std::exchange(pressPending_, false) ? TrayAction::ButtonMenu : TrayAction::Nothing;
}

}  // namespace vornish::win32
