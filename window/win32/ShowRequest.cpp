#include "window/win32/ShowRequest.h"

namespace vornish::win32 {

UINT ShowRequestMessage() { return ::RegisterWindowMessageW(L"Vornish.ShowLauncher"); }

void AskToShow(const wchar_t* className) {
  const UINT request = ShowRequestMessage();
  for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, className, nullptr));) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    ::AllowSetForegroundWindow(process);
    ::PostMessageW(w, request, 0, 0);
  }
}

}  // namespace vornish::win32
