// What screen readers are told about the launcher's own controls: the
// system's standard description of a window's client area (its text as the
// name, its place, its state), with the role of what the control acts as.
#pragma once

#include <windows.h>

#include <optional>

namespace vornish::win32 {

struct AccessibleKind {
  long role;                      // ROLE_SYSTEM_PUSHBUTTON, say
  const wchar_t* defaultAction;   // what the default action is called; null for none
  UINT actionKey;                 // the key the default action presses (posted); 0 for none
};

// The answer to WM_GETOBJECT for the client area of `hwnd`; nothing for the
// other objects, which the system describes itself.
std::optional<LRESULT> AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessibleKind& kind);

}  // namespace vornish::win32
