// A button dragged onto another: the main window follows the pointer and
// shows the drag images until the left button is released.
#pragma once

#include <windows.h>

#include "buttons/DragDrop.h"
#include "core/win32/Handles.h"
#include "core/win32/Window.h"
#include "window/win32/ButtonStrip.h"

namespace vornish::win32 {

class ButtonDrag {
 public:
  // What the pointer may be over: the buttons of `strip`, the control bar
  // `bar`, the main window's background, or elsewhere.
  ButtonDrag(HINSTANCE instance, const ButtonStrip& strip, const Window& bar)
      : instance_(instance), strip_(strip), bar_(bar) {}

  bool Active() const { return source_ >= 0; }
  int Source() const { return source_; }
  // Starts dragging button `source`; `window` captures the pointer. The drag
  // images are made for the window's DPI.
  void Begin(HWND window, int source);
  // The pointer moved: the drag image shows what it is over now.
  void Move(HWND window);
  // Ends the drag where the pointer is; the button to swap with when it was
  // released over one, -1 for none (the bar, the background, elsewhere, or a
  // cancelled drag).
  int End(HWND window, bool drop);

 private:
  // Where the pointer is: `button` is the button under it, -1 for none.
  DragPlace PlaceAt(HWND window, int& button) const;

  HINSTANCE instance_;
  const ButtonStrip& strip_;
  const Window& bar_;
  int source_ = -1;
  DragFeedback feedback_;
  UniqueCursor cursors_[3];  // imgDrag, imgDrop, imgUnDrop
  UINT cursorDpi_ = 0;
};

}  // namespace vornish::win32
