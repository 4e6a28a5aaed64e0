#include "core/win32/Window.h"

#include "core/win32/Trace.h"

namespace vornish::win32 {

Window::~Window() {
  if (hwnd_) {
    // The derived object is gone already (and has let go of what it
    // registered for its window): unbind, then let the window go.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

bool Window::RegisterClass(HINSTANCE instance, const wchar_t* className, UINT style, HCURSOR cursor,
                           HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                                int y, int width, int height, HWND parent, HMENU id, HINSTANCE instance) {
  return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, id, instance, this) !=
         nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::HandleException(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // A failure inside one handler must not take the launcher, and the
    // user's buttons, down with it; nor may an exception cross into the
    // system.
    TraceException(L"a window's message");
    try {
      result = self->HandleException(message, wParam, lParam);
    } catch (...) {
      TraceException(L"a window's failed message");
      result = ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    Guarded(L"a window's end", [&] { self->OnDestroyed(); });
  }
  return result;
}

}  // namespace vornish::win32
