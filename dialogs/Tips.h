// The tips window ("ﾜﾝﾎﾟｲﾝﾄ") without its window: the tips and how the
// window pages through them.
#pragma once

#include <string>
#include <string_view>

namespace vornish {

inline constexpr int kTipCount = 12;

// Tip `n` (1 to kTipCount); a tip in two parts has an empty line between them.
std::wstring Tip(int n);
// The number shown above the tip: "3. ".
std::wstring TipNumber(int n);

enum class Paging { Next = 0, Previous = 1, Random = 2 };
// The tip after paging from `current` (0 before the first): next and previous
// wrap around; random takes `random` (uniform in [0, 1)) to any tip, the
// current one included. Any other direction stays.
int PageTip(int current, int direction, double random);

}  // namespace vornish
