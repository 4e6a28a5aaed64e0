// Base of the launcher's window classes: one C++ object per window, bound to
// its HWND when the window is created, with messages dispatched to a virtual
// handler. Exceptions never cross back into the system.
#pragma once

#include <windows.h>

namespace vornish::win32 {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Registers a window class whose windows dispatch to Window objects.
  static bool RegisterClass(HINSTANCE instance, const wchar_t* className, UINT style, HCURSOR cursor,
                            HBRUSH background = nullptr);

 protected:
  // Creates the window and binds it to this object; false on failure.
  bool CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU id, HINSTANCE instance);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A handler failed (out of memory, say): the message is dropped to the
  // default handling unless the window knows better.
  virtual LRESULT HandleException(UINT message, WPARAM wParam, LPARAM lParam);

  // Called when the system has destroyed the window; the object may outlive it.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace vornish::win32
