// Mouse buttons and shift keys as the launcher's controls report them, and
// the distance a held left button must move before it drags. Coordinates are
// twips.
#pragma once

#include <cmath>

namespace vornish {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// A move counts as a drag only beyond this many twips on either axis.
inline constexpr float kDragThreshold = 50.0f;

inline bool IsDragMove(float pressX, float pressY, float x, float y) {
  return std::fabs(x - pressX) > kDragThreshold || std::fabs(y - pressY) > kDragThreshold;
}

}  // namespace vornish
