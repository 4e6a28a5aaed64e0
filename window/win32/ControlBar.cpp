#include "window/win32/ControlBar.h"

#include "core/win32/Controls.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

bool ControlBar::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, nullptr);
}

bool ControlBar::Create(HINSTANCE instance, HWND parent, HWND tooltip) {
  tooltip_ = tooltip;
  if (!CreateWindowObject(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                          instance)) {
    return false;
  }
  AddTool(tooltip_, hwnd());
  return true;
}

void ControlBar::SetBackColor(OleColor colour) {
  backColor_ = colour;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ControlBar::SetToolTipText(std::wstring_view text) {
  tip_.assign(text);
  SetToolText(tooltip_, hwnd(), tip_.c_str());
}

void ControlBar::MoveTo(const RECT& bounds) {
  ::SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ControlBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(hwnd());
      RECT client{};
      ::GetClientRect(hwnd(), &client);
      FillSolid(paint.dc(), client, ToColorRef(backColor_));
      return 0;
    }
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vornish::win32
