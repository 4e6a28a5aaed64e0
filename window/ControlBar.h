// The control bar's behaviour that does not depend on the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vornish {

// Tool tip of the bar for the double-click action (setting ControlDblClick);
// nullopt for an unknown action, which leaves the tip as it is.
std::optional<std::wstring_view> ControlBarTip(std::int32_t controlDblClick);

}  // namespace vornish
