#include "buttons/win32/IconButton.h"

#include <oleacc.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "buttons/DragDrop.h"
#include "buttons/IconChoice.h"
#include "core/Twips.h"
#include "core/win32/Accessible.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

namespace {

// The face starts inside the one-pixel edge.
constexpr int kEdge = 1;
// Files of an OLE drop arrive after the drop call has returned.
constexpr UINT kDroppedMessage = WM_APP + 10;

// A button whose file has gone shows a red badge with a white "!" in the
// corner of its face, so that it never looks like an empty one.
void DrawMissingMark(HDC dc, const RECT& face) {
  const int side = std::max(7, static_cast<int>(std::min(face.right - face.left, face.bottom - face.top) / 2) | 1);
  const int stroke = std::max(1, (side / 5) | 1);
  const RECT badge{face.right - side, face.bottom - side, face.right, face.bottom};
  FillSolid(dc, badge, RGB(0xC8, 0x1E, 0x1E));
  const int x = badge.left + (side - stroke) / 2;
  FillSolid(dc, RECT{x, badge.top + side / 6, x + stroke, badge.top + side * 3 / 5}, RGB(0xFF, 0xFF, 0xFF));
  FillSolid(dc, RECT{x, badge.bottom - side / 6 - stroke, x + stroke, badge.bottom - side / 6}, RGB(0xFF, 0xFF, 0xFF));
}

}  // namespace

bool IconButton::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, nullptr);
}

IconButton::IconButton(int index, const LauncherModel& model, IconButtonEvents& events, IconLoader& icons)
    : index_(index), model_(model), events_(events), icons_(icons), dropTarget_(FileDropTarget::Create(*this)) {}

IconButton::~IconButton() { Detach(); }

void IconButton::FileDropped(const std::wstring& firstFile) {
  // The dragging program waits until Drop returns: the drop is carried out
  // afterwards, as a message of this window's own.
  dropped_.push_back(firstFile);
  ::PostMessageW(hwnd(), kDroppedMessage, 0, 0);
}

void IconButton::Detach() {
  icons_.Forget(hwnd());
  // A drag that another program still makes may hold the target for a while:
  // it no longer knows this button.
  if (dropTarget_) dropTarget_->Detach();
  RemoveTool(tooltip_, hwnd());
  tooltip_ = nullptr;
}

bool IconButton::Create(HINSTANCE instance, HWND parent, HWND tooltip, const RECT& bounds, bool shown,
                        bool oleDrops) {
  bounds_ = bounds;
  shown_ = shown;
  // Made visible and titled at once: each later call would be one more trip
  // to the system per button, and a strip may hold a thousand.
  // Files arrive both ways: OLE drags (Explorer and most programs) and the
  // older WM_DROPFILES, which the style asks for as DragAcceptFiles would.
  if (!CreateWindowObject(WS_EX_ACCEPTFILES, kClassName, Record().Title.c_str(),
                          WS_CHILD | (shown ? WS_VISIBLE : 0) | WS_TABSTOP | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, instance)) {
    return false;
  }
  AttachTooltip(tooltip);
  if (oleDrops) EnableFileDrops();
  return true;
}

void IconButton::EnableFileDrops() {
  if (dropTarget_) dropTarget_->Register(hwnd());
}

void IconButton::AttachTooltip(HWND tooltip) {
  if (tooltip_ || !tooltip) return;
  tooltip_ = tooltip;
  AddTool(tooltip_, hwnd());
  SetToolText(tooltip_, hwnd(), ButtonTip(Record()).c_str());
}

void IconButton::Refresh() {
  // The window text carries the title too, for screen readers.
  ::SetWindowTextW(hwnd(), Record().Title.c_str());
  SetToolText(tooltip_, hwnd(), ButtonTip(Record()).c_str());
  IconRefresh();
}

void IconButton::IconRefresh() {
  // An empty button's face is its colour: nothing to read, no thread to wake.
  // Reading a source crashed the launcher once: that face shows its colour only.
  if (IconSourceOf(Record()).empty() || model_.skipped.Skips(IconSourceOf(Record()))) {
    icons_.Forget(hwnd());
    image_ = IconImage();
    broken_ = false;
    if (shown_) ::InvalidateRect(hwnd(), nullptr, FALSE);  // a hidden one is painted whole when shown
    return;
  }
  // The icon is made for the size it is shown at on this screen, so a
  // high-DPI face gets a sharp image rather than a stretched one.
  icons_.Request(hwnd(), Record(), ScaleFromDefaultDpi(model_.settings.Size, static_cast<int>(WindowDpi(hwnd()))));
}

void IconButton::Paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;

  const RECT face{kEdge, kEdge, w - kEdge, h - kEdge};
  const COLORREF faceColour = ToColorRef(Record().Color);
  FillSolid(dc, face, faceColour);
  if (!image_.empty()) {
    const UniqueRegion clip(::CreateRectRgnIndirect(&face));
    ::SelectClipRgn(dc, clip.get());
    image_.Draw(dc, face.left, face.top, faceColour, broken_);
    ::SelectClipRgn(dc, nullptr);
  }
  if (broken_) DrawMissingMark(dc, face);

  const bool pressed = input_.look() == ButtonInput::Look::Pressed;
  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = pressed ? shadow : light;
  const COLORREF bottomRight = pressed ? light : shadow;
  FillSolid(dc, RECT{0, 0, w, kEdge}, topLeft);
  FillSolid(dc, RECT{0, 0, kEdge, h}, topLeft);
  FillSolid(dc, RECT{w - kEdge, 0, w, h}, bottomRight);
  FillSolid(dc, RECT{0, h - kEdge, w, h}, bottomRight);

  // The focus shows once the keyboard is in use (the system's rule for focus cues).
  if (::GetFocus() == hwnd() && FocusCuesShown(::GetAncestor(hwnd(), GA_ROOT))) {
    RECT focus = face;
    ::InflateRect(&focus, -1, -1);
    ::DrawFocusRect(dc, &focus);
  }
}

void IconButton::SetLook(ButtonInput::Look before) {
  if (input_.look() != before) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

POINTFLOAT IconButton::FacePoint(LPARAM point) const {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  return POINTFLOAT{static_cast<float>(PixelsToTwips(GET_X_LPARAM(point) - kEdge, dpi)),
                    static_cast<float>(PixelsToTwips(GET_Y_LPARAM(point) - kEdge, dpi))};
}

void IconButton::OnButtonDown(int button, LPARAM point, bool doubleClick) {
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
  SetLook(before);
  events_.IconButton_MouseDown(index_, button, ShiftState(), p.x, p.y);
}

void IconButton::OnButtonUp(int button, LPARAM point) {
  const ButtonInput::Look before = input_.look();
  input_.ButtonUp(button);
  SetLook(before);
  if (button != kLeftButton) return;
  const bool click = clickPending_ && !input_.dragged();
  clickPending_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  if (click && ::PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)})) events_.IconButton_Click(index_);
}

void IconButton::OnMouseMove(WPARAM keys, LPARAM point) {
  const int buttons = MouseButtons(keys);
  const POINTFLOAT p = FacePoint(point);
  const ButtonInput::Look before = input_.look();
  if (input_.Move(buttons, p.x, p.y)) {
    SetLook(before);
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
      OnButtonDown(kLeftButton, lParam, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(kRightButton, lParam, true);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(kMiddleButton, lParam, true);
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
        SetLook(before);
      }
      return 0;
    case WM_KEYDOWN:
      if (IsPasteKey(static_cast<int>(wParam), ShiftState())) {
        // A file copied (in Explorer, say) and pasted here is taken as if it
        // had been dropped: the same refusals, registering or opening.
        const std::wstring first = FirstCopiedFile(hwnd());
        if (!first.empty()) events_.IconButton_FileDrop(index_, first);
        return 0;
      }
      if (wParam == VK_TAB || wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) {
        // Tab and the arrow keys move between the buttons, as between the
        // controls of a dialog; from now on the focus shows.
        const bool back = wParam == VK_TAB ? ::GetKeyState(VK_SHIFT) < 0 : wParam == VK_LEFT || wParam == VK_UP;
        ShowFocusCues(::GetAncestor(hwnd(), GA_ROOT));
        const HWND next = ::GetNextDlgTabItem(::GetParent(hwnd()), hwnd(), back);
        if (next) ::SetFocus(next);
        return 0;
      }
      events_.IconButton_KeyDown(index_, static_cast<int>(wParam), ShiftState());
      return 0;
    case WM_SYSKEYDOWN:
      // F10 arrives as a system key; with Shift it asks for the menu.
      if (wParam != VK_F10) return Window::HandleMessage(message, wParam, lParam);
      events_.IconButton_KeyDown(index_, VK_F10, ShiftState());
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_UPDATEUISTATE:
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return Window::HandleMessage(message, wParam, lParam);
    case WM_GETOBJECT:
      if (const auto answer =
              AnswerGetObject(hwnd(), wParam, lParam, {ROLE_SYSTEM_PUSHBUTTON, L"押す", VK_RETURN})) {
        return *answer;
      }
      return Window::HandleMessage(message, wParam, lParam);
    case WM_CONTEXTMENU:
      // The context-menu key and Shift+F10 arrive as key presses and open
      // the menu there; their later WM_CONTEXTMENU must not open a second one.
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_DROPFILES: {
      const HDROP drop = reinterpret_cast<HDROP>(wParam);
      const std::wstring first = FirstDroppedFile(drop);
      ::DragFinish(drop);
      if (!first.empty()) events_.IconButton_FileDrop(index_, first);
      return 0;
    }
    case kFaceReadyMessage:
      if (auto face = icons_.Take(hwnd())) {
        image_ = std::move(face->image);
        broken_ = face->missing;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        if (face->resetIconNo) events_.IconButton_IconReset(index_);
      }
      return 0;
    case kDroppedMessage:
      for (const std::wstring& path : std::exchange(dropped_, {})) events_.IconButton_FileDrop(index_, path);
      return 0;
    case WM_DESTROY:
      Detach();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vornish::win32
