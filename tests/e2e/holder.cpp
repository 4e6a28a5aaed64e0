// Keeps a Wine session's desktop process company for a whole test run.
//
// The first GUI program of a session makes Wine start `explorer.exe
// /desktop`, which inherits that program's stdout and keeps it open. If a
// test were that first program, ctest would wait on the pipe after every test.
// The session scripts start this program first, with its output going
// nowhere. It ends on WM_CLOSE or, should the scripts die without stopping
// it, after a time limit.
//
//   holder.exe [SECONDS [READY-FILE]]
//
// SECONDS defaults to one hour. READY-FILE is created once the window (and
// with it Wine's desktop process) exists, so the scripts know that no later
// program will be the one to start the desktop.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kLifetimeTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

struct LocalFreeDeleter {
  void operator()(void* memory) const noexcept { LocalFree(memory); }
};

void CreateReadyFile(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreeDeleter> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  const unsigned long seconds = count > 1 ? std::wcstoul(arguments.get()[1], nullptr, 10) : 3600;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HolderProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"Vornish.E2EHolder";
  if (!RegisterClassW(&windowClass)) return 1;
  // Never shown: it must not cover what the tests look at.
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Vornish e2e holder", WS_OVERLAPPED, 0, 0, 10,
                                10, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  SetTimer(window, kLifetimeTimer, static_cast<UINT>(seconds * 1000), nullptr);
  if (count > 2) CreateReadyFile(arguments.get()[2]);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
