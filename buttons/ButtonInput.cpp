#include "buttons/ButtonInput.h"

#include <cmath>

namespace vornish {

bool IsDragMove(float pressX, float pressY, float x, float y) {
  return std::fabs(x - pressX) > kDragThreshold || std::fabs(y - pressY) > kDragThreshold;
}

void ButtonInput::ButtonDown(int button, float x, float y) {
  if (button != kLeftButton) return;
  look_ = Look::Pressed;
  pressX_ = x;
  pressY_ = y;
  dragged_ = false;
}

void ButtonInput::ButtonUp(int button) {
  if (button == kLeftButton) look_ = Look::Raised;
}

bool ButtonInput::Move(int buttons, float x, float y) {
  if ((buttons & kLeftButton) == 0 || !IsDragMove(pressX_, pressY_, x, y)) return false;
  look_ = Look::Raised;
  dragged_ = true;
  return true;
}

}  // namespace vornish
