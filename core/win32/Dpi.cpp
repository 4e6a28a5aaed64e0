#include "core/win32/Dpi.h"

#include "core/Twips.h"

namespace vornish::win32 {

namespace {

UINT ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : static_cast<UINT>(kDefaultDpi);
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  // Looked up at run time: the launcher also runs on systems without it.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return dpi;
  }
  return ScreenDpi();
}

UINT SystemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto getDpiForSystem = reinterpret_cast<GetDpiForSystemFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")));
  const UINT dpi = getDpiForSystem ? getDpiForSystem() : 0;
  return dpi != 0 ? dpi : ScreenDpi();
}

int MetricForDpi(int index, UINT dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (forDpi) return forDpi(index, dpi);
  return ScaleDpi(::GetSystemMetrics(index), static_cast<int>(WindowDpi(nullptr)), static_cast<int>(dpi));
}

UniqueIcon LoadIconResource(HINSTANCE instance, int id, int size) {
  return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

WindowIcons LoadWindowIcons(HINSTANCE instance, int id, UINT dpi) {
  return WindowIcons{LoadIconResource(instance, id, MetricForDpi(SM_CXSMICON, dpi)),
                     LoadIconResource(instance, id, MetricForDpi(SM_CXICON, dpi))};
}

void SetWindowIcons(HWND window, const WindowIcons& icons) {
  ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.smallIcon.get()));
  ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.bigIcon.get()));
}

}  // namespace vornish::win32
