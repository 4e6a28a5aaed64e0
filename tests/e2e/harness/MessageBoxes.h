// Message boxes of another process: #32770 dialogs whose message sits in a
// static control with id 0xFFFF.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "harness/Wait.h"
#include "harness/Win32.h"

namespace vornish::e2e {

inline constexpr int kMessageBoxTextId = 0xFFFF;

struct MessageBoxInfo {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
};

// The first visible message box of the process, if any.
std::optional<MessageBoxInfo> FindMessageBox(DWORD processId);
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout = kDefaultTimeout);

// Presses a button of a dialog (IDOK, IDCANCEL, IDYES...) the way a click
// does, and waits until the dialog is gone. False if it is still there.
bool PressButton(HWND dialog, int buttonId = IDOK, std::chrono::milliseconds timeout = kDefaultTimeout);

}  // namespace vornish::e2e
