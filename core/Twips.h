// The one place where twips (1/1440 inch, the launcher's unit for window and
// control geometry) and pixels meet. At 96 dots per inch a pixel is 15 twips.
#pragma once

#include <cstdint>

namespace vornish {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// Rounded to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(std::int64_t twips, int dpi) {
  const std::int64_t scaled = twips * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

// Rounded to the nearest twip, halves away from zero.
constexpr std::int32_t PixelsToTwips(std::int64_t pixels, int dpi) {
  const std::int64_t scaled = pixels * kTwipsPerInch;
  return static_cast<std::int32_t>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}

struct TwipsRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const TwipsRect&) const = default;
};

// Pixels of the virtual screen (the primary monitor's top-left corner is
// 0, 0); right and bottom lie just outside.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

// Each edge rounded on its own, so that neighbouring rectangles stay joined.
constexpr PixelRect ToPixels(const TwipsRect& r, int dpi) {
  return PixelRect{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(std::int64_t{r.left} + r.width, dpi),
                   TwipsToPixels(std::int64_t{r.top} + r.height, dpi)};
}

}  // namespace vornish
