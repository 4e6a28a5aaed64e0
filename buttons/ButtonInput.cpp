#include "buttons/ButtonInput.h"

namespace vornish {

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

namespace {
constexpr int kKeyInsert = 45;
constexpr int kKeyV = 'V';
constexpr int kKeyContextMenu = 93;
constexpr int kKeyF10 = 121;
}  // namespace

bool IsMenuKey(int keyCode, int shift) {
  return keyCode == kKeyContextMenu || (keyCode == kKeyF10 && (shift & kShiftMask) != 0);
}

bool IsPasteKey(int keyCode, int shift) {
  return (keyCode == kKeyV && shift == kCtrlMask) || (keyCode == kKeyInsert && shift == kShiftMask);
}

}  // namespace vornish
