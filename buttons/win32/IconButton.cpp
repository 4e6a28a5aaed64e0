#include "buttons/win32/IconButton.h"

#include <shellapi.h>
#include <windowsx.h>

#include "buttons/DragDrop.h"
#include "buttons/IconChoice.h"
#include "buttons/win32/ShellIcons.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"
#include "core/win32/WinFileSystem.h"

namespace vornish::win32 {

namespace {

// The face starts inside the one-pixel edge.
constexpr int kEdge = 1;

}  // namespace

bool IconButton::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, nullptr);
}

IconButton::IconButton(int index, IconButtonEvents& events, const Settings& settings)
    : index_(index), events_(events), settings_(settings) {}

bool IconButton::Create(HINSTANCE instance, HWND parent, HWND tooltip, const RECT& bounds) {
  tooltip_ = tooltip;
  bounds_ = bounds;
  if (!CreateWindowObject(0, kClassName, L"", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, instance)) {
    return false;
  }
  AddTool(tooltip_, hwnd());
  // Files arrive both ways: OLE drags (Explorer and most programs) and the
  // older WM_DROPFILES.
  EnableFileDrops();
  ::DragAcceptFiles(hwnd(), TRUE);
  return true;
}

void IconButton::EnableFileDrops() { dropTarget_.Register(hwnd()); }

void IconButton::AttachTooltip(HWND tooltip) {
  if (tooltip_ || !tooltip) return;
  tooltip_ = tooltip;
  AddTool(tooltip_, hwnd());
  SetToolText(tooltip_, hwnd(), props_.ExeTitle().c_str());
}

void IconButton::FileDropped(const std::wstring& path) {
  if (props_.ExeLock()) {
    events_.IconButton_FileDrop(index_, path);
    return;
  }
  Assign(RegisterDroppedFile(path, settings_.DefColor, WinFileSystem().CurrentDirectory()));
  IconRefresh();
  events_.IconButton_FileChange(index_);
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

void IconButton::IconRefresh() {
  image_ = IconImage();
  ::InvalidateRect(hwnd(), nullptr, FALSE);

  // The icon is made for the size it is shown at on this screen, so a
  // high-DPI face gets a sharp image rather than a stretched one.
  const int size = static_cast<int>(::MulDiv(settings_.Size, static_cast<int>(WindowDpi(hwnd())), kDefaultDpi));
  ShellIconSource icons(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE)), size);
  const IconChoice choice = ChooseIcon(props_.ExeIcon(), props_.ExeFile(), props_.ExeIconNo(), icons);
  if (choice.resetIconNo) props_.SetExeIconNo(0);

  UniqueIcon icon;
  if (choice.draw == IconChoice::Draw::FileIcon) {
    icon = icons.TakeIcon(choice.source, choice.index);
  } else if (choice.draw == IconChoice::Draw::Associated) {
    icon = TypeIcon(choice.source, size);
  }
  if (icon) image_ = IconImage::FromIcon(icon.get(), size);

  if (choice.resetIconNo) events_.IconButton_FileChange(index_);
}

void IconButton::Show() { ::ShowWindow(hwnd(), SW_SHOWNA); }

void IconButton::MoveTo(const RECT& bounds) {
  if (::EqualRect(&bounds, &bounds_)) return;
  bounds_ = bounds;
  ::SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void IconButton::Paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;

  const RECT face{kEdge, kEdge, w - kEdge, h - kEdge};
  const COLORREF faceColour = ToColorRef(props_.ExeColor());
  FillSolid(dc, face, faceColour);
  if (!image_.empty()) {
    const HRGN clip = ::CreateRectRgnIndirect(&face);
    ::SelectClipRgn(dc, clip);
    image_.Draw(dc, face.left, face.top, faceColour);
    ::SelectClipRgn(dc, nullptr);
    ::DeleteObject(clip);
  }

  const bool pressed = input_.look() == ButtonInput::Look::Pressed;
  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = pressed ? shadow : light;
  const COLORREF bottomRight = pressed ? light : shadow;
  FillSolid(dc, RECT{0, 0, w, kEdge}, topLeft);
  FillSolid(dc, RECT{0, 0, kEdge, h}, topLeft);
  FillSolid(dc, RECT{w - kEdge, 0, w, h}, bottomRight);
  FillSolid(dc, RECT{0, h - kEdge, w, h}, bottomRight);
}

void IconButton::RepaintIfLookChanged(ButtonInput::Look before) {
  if (input_.look() != before) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

POINTFLOAT IconButton::FacePoint(LPARAM point) const {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  return POINTFLOAT{static_cast<float>(PixelsToTwips(GET_X_LPARAM(point) - kEdge, dpi)),
                    static_cast<float>(PixelsToTwips(GET_Y_LPARAM(point) - kEdge, dpi))};
}

void IconButton::OnButtonDown(int button, WPARAM, LPARAM point, bool doubleClick) {
  const POINTFLOAT p = FacePoint(point);
  if (button == kLeftButton) {
    ::SetFocus(hwnd());
    ::SetCapture(hwnd());
    // The second press of a double-click is a press, not another click:
    // one double-click launches once.
    clickPending_ = !doubleClick;
  }
  const ButtonInput::Look before = input_.look();
  input_.ButtonDown(button, p.x, p.y);
  RepaintIfLookChanged(before);
  events_.IconButton_MouseDown(index_, button, ShiftState(), p.x, p.y);
}

void IconButton::OnButtonUp(int button, LPARAM point) {
  const ButtonInput::Look before = input_.look();
  input_.ButtonUp(button);
  RepaintIfLookChanged(before);
  if (button != kLeftButton) return;
  const bool click = clickPending_ && !input_.dragged();
  clickPending_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  if (click && ::PtInRect(&client, at)) events_.IconButton_Click(index_);
}

void IconButton::OnMouseMove(WPARAM keys, LPARAM point) {
  const int buttons = MouseButtons(keys);
  const POINTFLOAT p = FacePoint(point);
  const ButtonInput::Look before = input_.look();
  if (input_.Move(buttons, p.x, p.y)) {
    RepaintIfLookChanged(before);
    events_.IconButton_MouseMove(index_, buttons, ShiftState(), p.x, p.y);
  }
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(kLeftButton, wParam, lParam, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(kRightButton, wParam, lParam, true);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(kMiddleButton, wParam, lParam, true);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(kLeftButton, lParam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(kRightButton, lParam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(kMiddleButton, lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-press (a menu, another window): no click.
      if (reinterpret_cast<HWND>(lParam) != hwnd() && clickPending_) {
        clickPending_ = false;
        const ButtonInput::Look before = input_.look();
        input_.ButtonUp(kLeftButton);
        RepaintIfLookChanged(before);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        // Tab moves between the buttons, as between the controls of a dialog.
        const HWND next = ::GetNextDlgTabItem(::GetParent(hwnd()), hwnd(), ::GetKeyState(VK_SHIFT) < 0);
        if (next) ::SetFocus(next);
        return 0;
      }
      events_.IconButton_KeyDown(index_, static_cast<int>(wParam), ShiftState());
      return 0;
    case WM_CONTEXTMENU:
      // The context-menu key arrives as a key press (93) and opens the menu
      // there; its later WM_CONTEXTMENU must not open a second one.
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_DROPFILES: {
      const HDROP drop = reinterpret_cast<HDROP>(wParam);
      const std::wstring first = FirstDroppedFile(drop);
      ::DragFinish(drop);
      if (!first.empty()) FileDropped(first);
      return 0;
    }
    case WM_DESTROY:
      dropTarget_.Revoke();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vornish::win32
