// The one place where lengths meet pixels at a DPI: twips (1/1440 inch, the
// launcher's unit for window and control geometry; at 96 dots per inch a
// pixel is 15 twips), points (20 twips) and the designed sizes in pixels at
// 96 DPI. The Win32 layer asks the system for the DPI (core/win32/Dpi.h).
#pragma once

#include <cstdint>

namespace vornish {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// `value` * `multiplier` / `divisor` rounded to the nearest integer, halves
// away from zero (as the system's MulDiv rounds).
constexpr std::int64_t Scale(std::int64_t value, std::int64_t multiplier, std::int64_t divisor) {
  const std::int64_t scaled = value * multiplier;
  return scaled >= 0 ? (scaled + divisor / 2) / divisor : -((-scaled + divisor / 2) / divisor);
}

// Rounded to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(std::int64_t twips, int dpi) {
  return static_cast<int>(Scale(twips, dpi, kTwipsPerInch));
}

// Rounded to the nearest twip, halves away from zero.
constexpr std::int32_t PixelsToTwips(std::int64_t pixels, int dpi) {
  return static_cast<std::int32_t>(Scale(pixels, kTwipsPerInch, dpi));
}

// Pixels at `fromDpi` as many at `toDpi`; a size designed in pixels at 96 DPI
// (an icon's 32, a margin's 8) at `dpi`.
constexpr int ScaleDpi(int pixels, int fromDpi, int toDpi) { return static_cast<int>(Scale(pixels, toDpi, fromDpi)); }
constexpr int ScaleFromDefaultDpi(int pixels, int dpi) { return ScaleDpi(pixels, kDefaultDpi, dpi); }

// A font size in tenths of a point (two twips each) in pixels at `dpi`.
constexpr int TenthPointsToPixels(int tenthPoints, int dpi) { return TwipsToPixels(std::int64_t{tenthPoints} * 2, dpi); }

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
