// How a button's face reacts to the mouse: its raised or pressed look, the
// press point, and when a held left button has moved far enough to drag.
// Coordinates are twips in the face's own coordinates.
#pragma once

namespace vornish {

// Mouse buttons and shift keys as the button events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// A move counts as a drag only beyond this many twips on either axis.
inline constexpr float kDragThreshold = 50.0f;

bool IsDragMove(float pressX, float pressY, float x, float y);

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

}  // namespace vornish
