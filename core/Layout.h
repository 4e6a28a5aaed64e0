// Arrangement of the buttons in one row or one column beside the control bar,
// and the window's size around them. All lengths in twips.
#pragma once

#include <cstdint>

#include "core/Twips.h"

namespace vornish {

inline constexpr std::int32_t kLayoutMargin = 60;        // window edge to bar and buttons
inline constexpr std::int32_t kStripTrailAllowance = 135;  // along the strip, both margins
inline constexpr std::int32_t kStripCrossAllowance = 120;  // across the strip, both margins

// Button side and control-bar thickness for an icon size of 16, 24 or 32
// pixels; false for any other size.
bool ButtonMetrics(std::int32_t iconSize, std::int32_t& buttonSide, std::int32_t& barThickness);

struct ButtonLayout {
  TwipsRect controlBar;
  std::int32_t buttonWidth = 0;
  std::int32_t buttonHeight = 0;
  std::int32_t firstLeft = 0;  // position of button 0
  std::int32_t firstTop = 0;
  bool column = false;
  std::int32_t windowWidth = 0;  // outer size
  std::int32_t windowHeight = 0;

  TwipsRect Button(std::int32_t index) const;
};

// The longest window the system makes, in pixels: it clamps a window's width
// and height there, and a button placed beyond could not be reached anyway
// (the mouse reports positions in 16 bits).
inline constexpr int kLongestWindow = 32767;

// How many buttons a strip laid out as `layout` holds in a window at most
// `pixels` long at `dpi`.
std::int32_t ButtonsWithin(const ButtonLayout& layout, int pixels, int dpi);

// `ArrangeButtons`: `iconSize` and `orient` are the settings Size and Orient,
// `buttonCount` is ButtonLast + 1. For a size other than 16, 24 or 32 the
// buttons keep `currentButtonWidth` x `currentButtonHeight` (the size button 0
// has now) and the bar is zero thick. Orient 0 is a row, anything else a column.
ButtonLayout ArrangeButtons(std::int32_t iconSize, std::int32_t orient, std::int32_t buttonCount,
                            std::int32_t currentButtonWidth, std::int32_t currentButtonHeight);

}  // namespace vornish
