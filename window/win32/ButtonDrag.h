// A button dragged onto another: the main window follows the pointer and
// shows the drag images until the left button is released.
#pragma once

#include <windows.h>

#include "buttons/DragDrop.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

class ButtonDrag {
 public:
  explicit ButtonDrag(HINSTANCE instance) : instance_(instance) {}

  bool Active() const { return source_ >= 0; }
  int Source() const { return source_; }
  // Starts dragging button `source`; `window` captures the pointer. The drag
  // images are made for the window's DPI.
  void Begin(HWND window, int source);
  // The pointer is over `place` (`button` for another button).
  void MoveTo(DragPlace place, int button);
  // Ends the drag; the button to swap with when it was released over one, -1
  // for none (the bar, the background, elsewhere, or a cancelled drag).
  int End(HWND window, bool drop, DragPlace place, int button);

 private:
  HINSTANCE instance_;
  int source_ = -1;
  DragFeedback feedback_;
  UniqueCursor cursors_[3];  // imgDrag, imgDrop, imgUnDrop
  UINT cursorDpi_ = 0;
};

}  // namespace vornish::win32
