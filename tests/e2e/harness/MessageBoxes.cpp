#include "harness/MessageBoxes.h"

#include "harness/WindowQuery.h"

namespace vornish::e2e {

std::optional<MessageBoxInfo> FindMessageBox(DWORD processId) {
  for (HWND dialog : FindWindowsOfClass(processId, L"#32770")) {
    // Found before WM_INITDIALOG filled it in: not ready to be read yet.
    HWND text = GetDlgItem(dialog, kMessageBoxTextId);
    if (text == nullptr) continue;
    return MessageBoxInfo{dialog, TextOf(dialog), TextOf(text)};
  }
  return std::nullopt;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
  return WaitFor([&] { return FindMessageBox(processId); }, timeout);
}

bool PressButton(HWND dialog, int buttonId, std::chrono::milliseconds timeout) {
  HWND button = GetDlgItem(dialog, buttonId);
  // Posted, not sent: the dialog's answer may open the next modal window,
  // and the test must not wait inside that.
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

}  // namespace vornish::e2e
