// Base of the launcher's dialogs: one C++ object per dialog, bound to its
// window when the system creates it, messages dispatched to virtual handlers.
// Exceptions never cross back into the system: a failing handler closes a
// modal dialog as cancelled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vornish::win32 {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Shows template `id` modally over `owner`; the id of the button that
  // closed it (IDCANCEL also for the close box, a failure, and the owner
  // going away). The dialog sees each message before its controls do.
  INT_PTR ShowModal(HINSTANCE instance, HWND owner, int id);
  // Creates template `id` as a child page of `parent`.
  bool CreatePage(HINSTANCE instance, HWND parent, int id);

  HWND hwnd() const { return hwnd_; }

 protected:
  // Sets the controls up; true lets the system focus the first one.
  virtual bool OnInit() { return true; }
  // A control's notification; true when handled.
  virtual bool OnCommand(int id, int code) { (void)id, (void)code; return false; }
  // Any other message; nothing when not handled. The result is what the
  // message asks for (a brush for WM_CTLCOLOR*, say).
  virtual std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    (void)message, (void)wParam, (void)lParam;
    return std::nullopt;
  }

  // A message about to go to the dialog or one of its controls; true when
  // the dialog has dealt with it.
  virtual bool PreviewMessage(const MSG& message) { (void)message; return false; }

  // Closes a modal dialog with `result` as soon as the handler returns, also
  // when a message another program sent asked for it.
  void End(int result);
  // The dialog is closing: ended (by CANCEL, say, while one of its questions
  // was up) or its window gone with its owner.
  bool Ended() const { return ended_ || !::IsWindow(hwnd_); }
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  std::wstring Text(int id) const;
  void SetText(int id, std::wstring_view text);
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void Check(int id, bool checked) { ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  void Enable(int id, bool enabled) { ::EnableWindow(Item(id), enabled); }
  // A drop-down list: its items, and the selected one (-1 for none).
  void FillList(int id, std::initializer_list<std::wstring_view> items);
  int Selected(int id) const;
  void Select(int id, int item);

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = IDCANCEL;
};

// The window of `owner`'s the user deals with first: the dialog that is up
// over it (or the box that dialog shows), else `owner` itself.
HWND WindowUp(HWND owner);
// Activates `owner`, or while a dialog disables it the dialog: a disabled
// window is never made active.
void ActivateOwner(HWND owner);
// Whether input to `owner` that starts something may go on: not while `busy`
// (a dialog or other work of its is under way). It is then refused as the
// system refuses a click on a window a dialog has disabled: a beep, and the
// dialog that is up comes to the front.
bool MayStart(HWND owner, bool busy);

}  // namespace vornish::win32
