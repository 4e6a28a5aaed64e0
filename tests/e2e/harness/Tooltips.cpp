#include "harness/Tooltips.h"

#include <commctrl.h>

#include "harness/RemoteMemory.h"
#include "harness/Wait.h"
#include "harness/WindowQuery.h"

namespace vornish::e2e {

namespace {

// comctl32 copies at most this many characters of a tool's text.
constexpr std::size_t kMaxToolText = 1024;
constexpr UINT kSendTimeoutMs = 2000;

bool BelongsTo(HWND owner, HWND window) { return window == owner || IsChild(owner, window); }

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

void ReadTools(HWND tooltip, HWND owner, RemoteBuffer& buffer, std::vector<ToolTipText>& tools) {
  DWORD_PTR count = 0;
  if (!Send(tooltip, TTM_GETTOOLCOUNT, 0, 0, count)) return;
  for (DWORD_PTR i = 0; i < count; ++i) {
    // The TOOLINFOW goes first in the buffer, its text buffer right after it.
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<LPWSTR>(buffer.AsLParam(sizeof info));
    buffer.WriteValue(info);
    buffer.WriteValue(L'\0', sizeof info);
    DWORD_PTR found = 0;
    if (!Send(tooltip, TTM_ENUMTOOLSW, i, buffer.AsLParam(), found) || !found) continue;
    info = buffer.ReadValue<TOOLINFOW>();

    const bool idIsWindow = (info.uFlags & TTF_IDISHWND) != 0;
    const bool ours = BelongsTo(owner, info.hwnd) ||
                      (idIsWindow && BelongsTo(owner, reinterpret_cast<HWND>(info.uId))) ||
                      GetWindow(tooltip, GW_OWNER) == owner;
    if (!ours) continue;

    ToolTipText tool{tooltip, info.hwnd, info.uId, info.uFlags, {}, false};
    // lpszText still points at our buffer when the text was copied into it;
    // anything else is a callback marker or a resource id.
    if (reinterpret_cast<LPARAM>(info.lpszText) == buffer.AsLParam(sizeof info)) {
      tool.text = buffer.ReadText(sizeof info, kMaxToolText);
    } else {
      tool.textNotStored = true;
    }
    tools.push_back(std::move(tool));
  }
}

}  // namespace

std::vector<ToolTipText> ReadTooltipTexts(HWND owner) {
  std::vector<ToolTipText> tools;
  const DWORD processId = ProcessIdOf(owner);
  // Tooltip controls are top-level windows, often without an owner, so look
  // at all of the process's and keep the tools that point into `owner`.
  const auto tooltips = FindWindowsOfClass(processId, TOOLTIPS_CLASSW, Visibility::Any);
  if (tooltips.empty()) return tools;
  UniqueHandle process = OpenProcessMemory(processId);
  RemoteBuffer buffer(process.Get(), sizeof(TOOLINFOW) + (kMaxToolText + 1) * sizeof(wchar_t));
  for (HWND tooltip : tooltips) ReadTools(tooltip, owner, buffer, tools);
  return tools;
}

std::wstring HoverToolTipText(HWND window) {
  const RECT rect = ScreenRectOf(window);
  const DWORD processId = ProcessIdOf(window);
  // Leave first, so that a tip already showing for this tool is hidden and
  // shown again rather than being read stale.
  SetCursorPos(rect.right + 50, rect.bottom + 50);
  Sleep(50);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  HWND shown = WaitFor([&]() -> HWND {
    const auto visible = FindWindowsOfClass(processId, TOOLTIPS_CLASSW, Visibility::VisibleOnly);
    return visible.empty() ? nullptr : visible.front();
  });
  return shown == nullptr ? std::wstring{} : TextOf(shown);
}

}  // namespace vornish::e2e
