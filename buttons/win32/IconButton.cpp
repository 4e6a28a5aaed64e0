#include "buttons/win32/IconButton.h"

#include "core/win32/Controls.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

bool IconButton::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, nullptr);
}

IconButton::IconButton(int index, IconButtonEvents& events) : index_(index), events_(events) {}

bool IconButton::Create(HINSTANCE instance, HWND parent, HWND tooltip) {
  tooltip_ = tooltip;
  if (!CreateWindowObject(0, kClassName, L"", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                          nullptr, instance)) {
    return false;
  }
  AddTool(tooltip_, hwnd());
  return true;
}

void IconButton::UpdateTooltip() {
  // The window text carries the title too, for screen readers.
  ::SetWindowTextW(hwnd(), props_.ExeTitle().c_str());
  SetToolText(tooltip_, hwnd(), props_.ExeTitle().c_str());
}

void IconButton::SetExeTitle(std::wstring_view value) {
  props_.SetExeTitle(value);
  UpdateTooltip();
}

void IconButton::SetExeColor(OleColor value) {
  if (props_.SetExeColor(value)) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void IconButton::Assign(const ButtonRecord& r) {
  SetExeTitle(r.Title);
  props_.SetExeFile(r.File);
  props_.SetExePath(r.Path);
  props_.SetExeParam(r.Param);
  props_.SetExeState(r.State);
  props_.SetExeIcon(r.Icon);
  props_.SetExeIconNo(r.IconNo);
  props_.SetExeLock(r.Lock);
  SetExeColor(r.Color);
  props_.SetExeCount(r.Count);
  props_.SetExeSys(r.Sys);
}

void IconButton::IconRefresh() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

void IconButton::Show() { ::ShowWindow(hwnd(), SW_SHOWNA); }

void IconButton::MoveTo(const RECT& bounds) {
  ::SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void IconButton::Paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;

  // One pixel of edge on every side; the face fills the rest.
  const RECT face{1, 1, w - 1, h - 1};
  FillSolid(dc, face, ToColorRef(props_.ExeColor()));

  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = pressed_ ? shadow : light;
  const COLORREF bottomRight = pressed_ ? light : shadow;
  FillSolid(dc, RECT{0, 0, w, 1}, topLeft);
  FillSolid(dc, RECT{0, 0, 1, h}, topLeft);
  FillSolid(dc, RECT{w - 1, 0, w, h}, bottomRight);
  FillSolid(dc, RECT{0, h - 1, w, h}, bottomRight);
}

LRESULT IconButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT: {
      const PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vornish::win32
