#include "window/win32/ControlBar.h"

#include <oleacc.h>

#include <windowsx.h>

#include "core/Mouse.h"
#include "core/Settings.h"
#include "core/Twips.h"
#include "core/win32/Accessible.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"
#include "window/ControlBar.h"

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
  if (colour == backColor_ && rows_.empty()) return;
  backColor_ = colour;
  rows_.clear();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ControlBar::PaintRows(std::vector<std::uint32_t> rows) {
  rows_ = std::move(rows);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ControlBar::ShowActive(OleColor controlColor) {
  if (controlColor == kControlColourStandard) return SetBackColor(kColourActiveCaption);
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  std::vector<std::uint32_t> rows =
      GradientRows(controlColor, PixelsToTwips(client.bottom, static_cast<int>(WindowDpi(hwnd()))), client.bottom);
  if (!rows.empty()) PaintRows(std::move(rows));
}

void ControlBar::SetMovePointer(bool move) {
  movePointer_ = move;
  ::SetCursor(::LoadCursorW(nullptr, move ? IDC_SIZEALL : IDC_ARROW));
}

void ControlBar::SetToolTipText(std::wstring_view text) {
  tip_.assign(text);
  SetToolText(tooltip_, hwnd(), tip_.c_str());
  // Screen readers name the bar by what it does, as the tip tells it.
  ::SetWindowTextW(hwnd(), tip_.c_str());
}

void ControlBar::AttachTooltip(HWND tooltip) {
  if (tooltip_ || !tooltip) return;
  tooltip_ = tooltip;
  AddTool(tooltip_, hwnd());
  SetToolText(tooltip_, hwnd(), tip_.c_str());
}

void ControlBar::MoveTo(const RECT& bounds) {
  ::SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlBar::Paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  if (rows_.empty()) {
    FillSolid(dc, client, ToColorRef(backColor_));
    return;
  }
  // One pixel column of the gradient, stretched across the bar's width.
  const int height = static_cast<int>(rows_.size());
  std::vector<std::uint32_t> column(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::uint32_t c = rows_[i];  // 0x00BBGGRR
    column[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);  // to 0x00RRGGBB
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::StretchDIBits(dc, 0, 0, client.right, height, 0, 0, 1, height, column.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  if (client.bottom > height) FillSolid(dc, RECT{0, height, client.right, client.bottom}, ToColorRef(backColor_));
}

POINTFLOAT ControlBar::BarPoint(LPARAM point) const {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  return POINTFLOAT{static_cast<float>(PixelsToTwips(GET_X_LPARAM(point), dpi)),
                    static_cast<float>(PixelsToTwips(GET_Y_LPARAM(point), dpi))};
}

LRESULT ControlBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_LBUTTONDOWN: {
      // The bar follows the pointer beyond its edges while the button is held.
      ::SetCapture(hwnd());
      const POINTFLOAT p = BarPoint(lParam);
      events_.picControl_MouseDown(kLeftButton, ShiftState(), p.x, p.y);
      return 0;
    }
    case WM_LBUTTONUP:
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {  // only the left button's double-click acts
      const POINTFLOAT p = BarPoint(lParam);
      events_.picControl_MouseDown(kRightButton, ShiftState(), p.x, p.y);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      events_.picControl_DblClick();
      return 0;
    case WM_MOUSEMOVE: {
      const POINTFLOAT p = BarPoint(lParam);
      events_.picControl_MouseMove(MouseButtons(wParam), ShiftState(), p.x, p.y);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, movePointer_ ? IDC_SIZEALL : IDC_ARROW));
        return TRUE;
      }
      return Window::HandleMessage(message, wParam, lParam);
    case WM_GETOBJECT:
      // The handle by which the launcher is moved.
      if (const auto answer = AnswerGetObject(hwnd(), wParam, lParam, {ROLE_SYSTEM_GRIP, nullptr, 0})) return *answer;
      return Window::HandleMessage(message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vornish::win32
