// Keeps a Wine session's desktop process company for a whole test run.
//
// The first GUI program of a session makes Wine start `explorer.exe
// /desktop`, which inherits that program's stdout and keeps it open: were a
// test that first program, ctest would wait on the pipe after every test. The
// session scripts start this one first, with its output going nowhere.
//
//   holder.exe SECONDS READY-FILE   ends after SECONDS (or on WM_CLOSE);
//                                   creates READY-FILE once its window exists
//   holder.exe                      shows a plain window until it is closed
//                                   (another program to activate)
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_TIMER) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"Vornish.E2EHolder";
  if (!RegisterClassW(&windowClass)) return 1;
  // The session's holder is never shown: it must not cover what tests look at.
  const bool holder = count > 2;
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"holder", holder ? WS_OVERLAPPED : WS_POPUP | WS_BORDER,
                                100, 100, 200, 100, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  if (holder) {
    SetTimer(window, 1, static_cast<UINT>(std::wcstoul(arguments[1], nullptr, 10) * 1000), nullptr);
    CloseHandle(CreateFileW(arguments[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  } else {
    ShowWindow(window, SW_SHOW);
  }
  LocalFree(arguments);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
