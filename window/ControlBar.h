// The control bar's behaviour that does not depend on the platform: its tool
// tip, its gradient colours and what a double-click does.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/Colour.h"

namespace vornish {

// Tool tip of the bar for the double-click action (setting ControlDblClick);
// nullopt for an unknown action, which leaves the tip as it is.
std::optional<std::wstring_view> ControlBarTip(std::int32_t controlDblClick);

// The six gradient colours of the settings dialog (0x00BBGGRR).
inline constexpr OleColor kGradientBlue = 0xFF0000;
inline constexpr OleColor kGradientRed = 0x0000FF;
inline constexpr OleColor kGradientGreen = 0x00FF00;
inline constexpr OleColor kGradientYellow = 0x00FFFF;
inline constexpr OleColor kGradientCyan = 0xFFFF00;
inline constexpr OleColor kGradientPurple = 0xFF00FF;

// The gradient's colour (0x00BBGGRR) for each pixel row of a bar
// `pixelRows` high whose inner height is `heightTwips`, top to bottom; empty
// for a ControlColor that is no gradient. One band per twip of height runs
// from the full colour at the top to black at the bottom, its intensity
// stepping by -255 / height in single precision and rounded to the nearest
// integer, ties to even; the first and last pixel rows take the first and
// last band and the rows between the bands at their share of the height.
std::vector<std::uint32_t> GradientRows(OleColor controlColor, std::int32_t heightTwips, int pixelRows);

// What the bar's double-click (by the setting ControlDblClick) or its control
// menu asks for.
enum class BarAction { Nothing, Hide, Settings, Exit };
BarAction BarDoubleClickAction(std::int32_t controlDblClick);

}  // namespace vornish
