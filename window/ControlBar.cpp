#include "window/ControlBar.h"

namespace vornish {

std::optional<std::wstring_view> ControlBarTip(std::int32_t controlDblClick) {
  switch (controlDblClick) {
    case 0: return L"ﾗﾝﾁｬｰ非表示";
    case 1: return L"ﾗﾝﾁｬｰ設定";
    case 2: return L"終了";
    default: return std::nullopt;
  }
}

}  // namespace vornish
