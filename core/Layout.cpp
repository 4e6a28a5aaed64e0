#include "core/Layout.h"

#include <algorithm>
#include <limits>

namespace vornish {

bool ButtonMetrics(std::int32_t iconSize, std::int32_t& buttonSide, std::int32_t& barThickness) {
  switch (iconSize) {
    case 16: buttonSide = 270, barThickness = 60; return true;
    case 24: buttonSide = 390, barThickness = 75; return true;
    case 32: buttonSide = 510, barThickness = 90; return true;
    default: return false;
  }
}

TwipsRect ButtonLayout::Button(std::int32_t index) const {
  TwipsRect r{firstLeft, firstTop, buttonWidth, buttonHeight};
  if (column) {
    r.top += index * buttonHeight;
  } else {
    r.left += index * buttonWidth;
  }
  return r;
}

std::int32_t ButtonsWithin(const ButtonLayout& l, int pixels, int dpi) {
  const std::int64_t side = l.column ? l.buttonHeight : l.buttonWidth;
  const std::int64_t rest = (l.column ? l.controlBar.height : l.controlBar.width) + kStripTrailAllowance;
  const auto fits = [&](std::int64_t n) { return TwipsToPixels(side * n + rest, dpi) <= pixels; };
  if (side <= 0) return std::numeric_limits<std::int32_t>::max();
  // By division, at most one short: a length rounds to the pixels below it up
  // to half a pixel past them.
  std::int64_t n = std::max<std::int64_t>(0, (PixelsToTwips(pixels, dpi) - rest) / side);
  while (fits(n + 1)) ++n;
  return static_cast<std::int32_t>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

ButtonLayout ArrangeButtons(std::int32_t iconSize, std::int32_t orient, std::int32_t buttonCount,
                            std::int32_t currentButtonWidth, std::int32_t currentButtonHeight) {
  ButtonLayout l;
  std::int32_t side = 0;
  std::int32_t bar = 0;
  if (ButtonMetrics(iconSize, side, bar)) {
    l.buttonWidth = side;
    l.buttonHeight = side;
  } else {
    l.buttonWidth = currentButtonWidth;
    l.buttonHeight = currentButtonHeight;
  }
  const std::int32_t w = l.buttonWidth;
  const std::int32_t h = l.buttonHeight;
  l.column = orient != 0;
  if (!l.column) {
    l.controlBar = {kLayoutMargin, kLayoutMargin, bar, h};
    l.firstLeft = kLayoutMargin + bar;
    l.firstTop = kLayoutMargin;
    l.windowWidth = w * buttonCount + bar + kStripTrailAllowance;
    l.windowHeight = h + kStripCrossAllowance;
  } else {
    l.controlBar = {kLayoutMargin, kLayoutMargin, w, bar};
    l.firstLeft = kLayoutMargin;
    l.firstTop = kLayoutMargin + bar;
    l.windowWidth = w + kStripCrossAllowance;
    l.windowHeight = h * buttonCount + bar + kStripTrailAllowance;
  }
  return l;
}

}  // namespace vornish
