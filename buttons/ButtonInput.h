// How a button's face reacts to the mouse: its raised or pressed look, the
// press point, and when a held left button has moved far enough to drag.
// Coordinates are twips in the face's own coordinates.
#pragma once

#include "core/Mouse.h"

namespace vornish {

class ButtonInput {
 public:
  enum class Look { Raised, Pressed };

  // A press of `button`: the left one presses the face and keeps the press
  // point. Every press raises MouseDown.
  void ButtonDown(int button, float x, float y);
  // A release of the left button raises the face again.
  void ButtonUp(int button);
  // Pointer movement with `buttons` held: true when it raises MouseMove (the
  // left button is held and the pointer is beyond the drag threshold), which
  // also raises the face.
  bool Move(int buttons, float x, float y);

  Look look() const { return look_; }
  // The pointer left the threshold since the last left press.
  bool dragged() const { return dragged_; }

 private:
  Look look_ = Look::Raised;
  float pressX_ = 0;
  float pressY_ = 0;
  bool dragged_ = false;
};

// Keys a focused button answers besides launching (Enter, F5); `keyCode` is
// the platform's key code, `shift` the masks of core/Mouse.h.
// The button menu: the context-menu key, or Shift+F10 (any other shift keys
// held are ignored, as for a right click).
bool IsMenuKey(int keyCode, int shift);
// Pasting a copied file: Ctrl+V or Shift+Insert, with no other shift key.
bool IsPasteKey(int keyCode, int shift);

}  // namespace vornish
