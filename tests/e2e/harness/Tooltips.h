// Tooltip texts of another process, read from its tooltip controls.
#pragma once

#include <string>
#include <vector>

#include "harness/Win32.h"

namespace vornish::e2e {

struct ToolTipText {
  HWND tooltip = nullptr;  // the tooltips_class32 window holding the tool
  HWND window = nullptr;   // TOOLINFO::hwnd
  UINT_PTR id = 0;         // TOOLINFO::uId (the tool's window with TTF_IDISHWND)
  UINT flags = 0;          // TOOLINFO::uFlags
  std::wstring text;
  // The text is asked from the owner only when the tip shows
  // (LPSTR_TEXTCALLBACK) or is a string resource: `text` is then empty and
  // HoverToolTipText gives what the user sees.
  bool textNotStored = false;
};

// Every tool, across the tooltip windows of owner's process, that belongs to
// `owner` or to one of its descendants (by TOOLINFO::hwnd, or by uId for
// TTF_IDISHWND tools), in the order the tooltip controls list them.
std::vector<ToolTipText> ReadTooltipTexts(HWND owner);

// The text of the tooltip that shows when the real pointer rests on the
// centre of `window`, or empty if none shows within the time. Moves the
// pointer; slower than ReadTooltipTexts but covers text callbacks.
std::wstring HoverToolTipText(HWND window);

}  // namespace vornish::e2e
