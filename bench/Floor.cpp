// The feature floor: what any launcher with this one's features pays before
// it does anything of its own, and the reference the start-up, memory and
// idle benchmarks give the launcher's figures against. A plain window in a
// program with the launcher's manifest (common controls 6, per-monitor DPI
// awareness), the common controls initialised and the shell used before the
// window shows (a launcher paints icons the shell gives it), and OLE
// initialised once the window has been painted (drops can wait that long,
// as they do in the launcher).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

namespace {

constexpr const wchar_t* kClassName = L"Vornish.BenchFloor";
constexpr UINT_PTR kTimerAfterShow = 1;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  PWSTR folder = nullptr;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) ::CoTaskMemFree(folder);

  WNDCLASSW windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassW(&windowClass)) return 1;
  // About the size of the launcher's strip of ten buttons.
  const HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Floor", WS_POPUP, 300, 200, 355, 42, nullptr,
                                        nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::SetTimer(window, kTimerAfterShow, USER_TIMER_MINIMUM, nullptr);

  bool ole = false;
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.wParam == kTimerAfterShow) {
      ::KillTimer(window, kTimerAfterShow);
      ole = SUCCEEDED(::OleInitialize(nullptr));
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (ole) ::OleUninitialize();
  return 0;
}
