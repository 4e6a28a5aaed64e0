#include "window/win32/ButtonDrag.h"

#include "core/win32/Dpi.h"
#include "res/resource.h"

namespace vornish::win32 {

namespace {

// A drag image: the icon of the resource turned into a cursor pointing at its
// centre.
UniqueCursor LoadDragCursor(HINSTANCE instance, int id, int size) {
  const UniqueIcon icon = LoadIconResource(instance, id, size);
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon.get(), &info)) return UniqueCursor();
  const UniqueBitmap mask(info.hbmMask);
  const UniqueBitmap colour(info.hbmColor);
  info.fIcon = FALSE;
  info.xHotspot = static_cast<DWORD>(size / 2);
  info.yHotspot = static_cast<DWORD>(size / 2);
  return UniqueCursor(::CreateIconIndirect(&info));
}

}  // namespace

void ButtonDrag::Begin(HWND window, int source) {
  if (const UINT dpi = WindowDpi(window); dpi != cursorDpi_) {
    cursorDpi_ = dpi;
    const int images[] = {IDI_DRAG, IDI_DROP, IDI_UNDROP};
    const int size = MetricForDpi(SM_CXCURSOR, dpi);
    for (int i = 0; i < 3; ++i) cursors_[i] = LoadDragCursor(instance_, images[i], size);
  }
  source_ = source;
  feedback_ = DragFeedback();
  ::SetCapture(window);
  ::SetCursor(cursors_[0].get());
}

DragPlace ButtonDrag::PlaceAt(HWND window, int& button) const {
  POINT at{};
  ::GetCursorPos(&at);
  const HWND under = ::WindowFromPoint(at);
  button = strip_.IndexOf(under);
  if (under == window || under == bar_.hwnd()) return DragPlace::BarOrBackground;
  if (button < 0) return DragPlace::Outside;
  return button == source_ ? DragPlace::SourceButton : DragPlace::OtherButton;
}

void ButtonDrag::Move(HWND window) {
  int button = -1;
  const DragPlace place = PlaceAt(window, button);
  ::SetCursor(cursors_[static_cast<int>(feedback_.MoveTo(place, button))].get());
}

int ButtonDrag::End(HWND window, bool drop) {
  int button = -1;
  const DragPlace place = PlaceAt(window, button);
  source_ = -1;
  if (::GetCapture() == window) ::ReleaseCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  // Over the control bar, the background or elsewhere nothing can be dropped.
  const bool onButton = place == DragPlace::OtherButton || place == DragPlace::SourceButton;
  return drop && onButton ? button : -1;
}

}  // namespace vornish::win32
