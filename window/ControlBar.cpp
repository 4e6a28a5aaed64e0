#include "window/ControlBar.h"

#include <cmath>

namespace vornish {

namespace {

// Which components of the band colour carry the intensity, as 0x00BBGGRR
// masks.
std::optional<std::uint32_t> GradientMask(OleColor controlColor) {
  switch (controlColor) {
    case kGradientBlue:
    case kGradientRed:
    case kGradientGreen:
    case kGradientYellow:
    case kGradientCyan:
    case kGradientPurple:
      return controlColor;  // each is full intensity in exactly its components
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::wstring_view> ControlBarTip(std::int32_t controlDblClick) {
  switch (controlDblClick) {
    case 0: return L"ﾗﾝﾁｬｰ非表示";
    case 1: return L"ﾗﾝﾁｬｰ設定";
    case 2: return L"終了";
    default: return std::nullopt;
  }
}

std::vector<std::uint32_t> GradientRows(OleColor controlColor, std::int32_t heightTwips, int pixelRows) {
  const auto mask = GradientMask(controlColor);
  if (!mask || pixelRows <= 0) return {};
  const std::int32_t h = heightTwips > 0 ? heightTwips : 0;

  // The intensity of every band, accumulated as the bands are drawn.
  std::vector<std::uint32_t> bands(static_cast<std::size_t>(h) + 1);
  float level = 255.0f;
  const float step = h > 0 ? -255.0f / static_cast<float>(h) : 0.0f;
  for (std::int32_t i = 0; i <= h; ++i) {
    const float rounded = std::nearbyint(level);  // the default mode rounds ties to even
    const std::uint32_t l = rounded <= 0.0f ? 0u : rounded >= 255.0f ? 255u : static_cast<std::uint32_t>(rounded);
    bands[static_cast<std::size_t>(i)] = (l << 16) | (l << 8) | l;
    level += step;
  }

  std::vector<std::uint32_t> rows(static_cast<std::size_t>(pixelRows));
  for (int p = 0; p < pixelRows; ++p) {
    const std::int64_t band =
        pixelRows == 1 ? 0 : (static_cast<std::int64_t>(p) * h * 2 + (pixelRows - 1)) / (2 * (pixelRows - 1));
    rows[static_cast<std::size_t>(p)] = bands[static_cast<std::size_t>(band)] & *mask;
  }
  return rows;
}

BarAction BarDoubleClickAction(std::int32_t controlDblClick) {
  switch (controlDblClick) {
    case 0: return BarAction::Hide;
    case 1: return BarAction::Settings;
    case 2: return BarAction::Exit;
    default: return BarAction::Nothing;
  }
}

}  // namespace vornish
