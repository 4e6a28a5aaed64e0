#include "core/win32/Dialog.h"

#include "core/win32/Trace.h"

namespace vornish::win32 {

namespace {

// Messages whose result the dialog procedure returns itself; the others
// return theirs through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

// A key for a control of the dialog that is hidden (on a page not shown;
// another program may post one there). The dialog manager's search for the
// control a key means starts at the control and walks the visible ones only:
// from a hidden one it would never come back, and the loop would spin.
bool IsKeyForHiddenControl(HWND dialog, const MSG& msg) {
  return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd != dialog &&
         ::IsChild(dialog, msg.hwnd) && !::IsWindowVisible(msg.hwnd);
}

}  // namespace

INT_PTR Dialog::ShowModal(HINSTANCE instance, HWND owner, int id) {
  modal_ = true;
  ended_ = false;
  result_ = IDCANCEL;
  const HWND dialog =
      ::CreateDialogParamW(instance, MAKEINTRESOURCEW(id), owner, &Dialog::Proc, reinterpret_cast<LPARAM>(this));
  if (!dialog) return IDCANCEL;
  // The owner takes no input while the dialog is up, as with DialogBox.
  const bool ownerEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerEnabled) ::EnableWindow(owner, FALSE);
  if (!ended_) ::ShowWindow(dialog, SW_SHOW);
  MSG msg{};
  while (!ended_ && ::IsWindow(dialog)) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for its own loop.
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsKeyForHiddenControl(dialog, msg)) continue;
    bool handled = false;
    if (msg.hwnd == dialog || ::IsChild(dialog, msg.hwnd)) {
      try {
        handled = PreviewMessage(msg);
      } catch (...) {
        TraceException(L"a dialog's key");
        End(IDCANCEL);
        handled = true;
      }
    }
    if (!handled && !::IsDialogMessageW(dialog, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  // Enabled again before the dialog goes, so that the owner is activated and
  // has the focus back.
  if (ownerEnabled) ::EnableWindow(owner, TRUE);
  if (ownerEnabled && ::GetActiveWindow() == dialog) ::SetActiveWindow(owner);
  if (::IsWindow(dialog)) ::DestroyWindow(dialog);
  hwnd_ = nullptr;
  return result_;
}

bool Dialog::CreatePage(HINSTANCE instance, HWND parent, int id) {
  return ::CreateDialogParamW(instance, MAKEINTRESOURCEW(id), parent, &Dialog::Proc, reinterpret_cast<LPARAM>(this)) !=
         nullptr;
}

void Dialog::End(int result) {
  if (!modal_ || ended_) return;
  ended_ = true;
  result_ = result;
  // A message sent from another thread is handled inside GetMessageW, which
  // returns only for a posted one: this one lets the loop see the end.
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

std::wstring Dialog::Text(int id) const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(Item(id))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetDlgItemTextW(hwnd_, id, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Dialog::SetText(int id, std::wstring_view text) { ::SetDlgItemTextW(hwnd_, id, std::wstring(text).c_str()); }

void Dialog::FillList(int id, std::initializer_list<std::wstring_view> items) {
  ::SendDlgItemMessageW(hwnd_, id, CB_RESETCONTENT, 0, 0);
  for (std::wstring_view item : items) {
    ::SendDlgItemMessageW(hwnd_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
  }
}

int Dialog::Selected(int id) const { return static_cast<int>(::SendDlgItemMessageW(hwnd_, id, CB_GETCURSEL, 0, 0)); }

void Dialog::Select(int id, int item) { ::SendDlgItemMessageW(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(item), 0); }

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    switch (message) {
      case WM_INITDIALOG:
        return self->OnInit() ? TRUE : FALSE;
      case WM_COMMAND:
        if (self->OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
        if (LOWORD(wParam) == IDCANCEL) {
          self->End(IDCANCEL);
          return TRUE;
        }
        return FALSE;
      case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        return FALSE;
      default:
        if (const auto result = self->OnMessage(message, wParam, lParam)) {
          if (ReturnsDirectly(message)) return *result;
          ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
          return TRUE;
        }
        return FALSE;
    }
  } catch (...) {
    TraceException(L"a dialog's message");
    self->End(IDCANCEL);
    return TRUE;
  }
}

HWND WindowUp(HWND owner) {
  // A dialog is its owner's last active pop-up, and a box it shows is its own.
  HWND up = owner;
  for (int depth = 0; depth < 8; ++depth) {
    const HWND next = ::GetLastActivePopup(up);
    if (!next || next == up || !::IsWindowVisible(next)) break;
    up = next;
  }
  return up;
}

void ActivateOwner(HWND owner) { ::SetActiveWindow(::IsWindowEnabled(owner) ? owner : WindowUp(owner)); }

bool MayStart(HWND owner, bool busy) {
  if (!busy) return true;
  ::MessageBeep(MB_OK);
  if (!::IsWindowEnabled(owner)) ::SetForegroundWindow(WindowUp(owner));
  return false;
}

}  // namespace vornish::win32
