#include "core/win32/Controls.h"

#include "core/Mouse.h"
#include "core/Twips.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"

#include <commctrl.h>

#include <cstring>

namespace vornish::win32 {

namespace {

TTTOOLINFOW ToolInfo(HWND tool) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return info;
}

}  // namespace

HWND CreateTooltip(HINSTANCE instance, HWND owner) {
  const HWND tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
  SetTooltipDpi(tooltip, WindowDpi(owner));
  return tooltip;
}

void SetTooltipDpi(HWND tooltip, UINT dpi) {
  if (tooltip) ::SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, ScaleFromDefaultDpi(600, static_cast<int>(dpi)));
}

void AddTool(HWND tooltip, HWND tool) {
  if (!tooltip || !tool) return;
  TTTOOLINFOW info = ToolInfo(tool);
  info.lpszText = const_cast<wchar_t*>(L"");
  ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void RemoveTool(HWND tooltip, HWND tool) {
  if (!tooltip || !tool) return;
  TTTOOLINFOW info = ToolInfo(tool);
  ::SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void SetToolText(HWND tooltip, HWND tool, const wchar_t* text) {
  if (!tooltip || !tool) return;
  TTTOOLINFOW info = ToolInfo(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void StartFocusCues(HWND window) {
  BOOL cues = FALSE;
  ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(cues ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void ShowFocusCues(HWND window) {
  ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool FocusCuesShown(HWND window) { return !(::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS); }

COLORREF ToColorRef(OleColor colour) {
  return static_cast<COLORREF>(ResolveColour(colour, [](int index) { return ::GetSysColor(index); }));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF old = ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

namespace {

// Memory for the clipboard: the system takes it once SetClipboardData succeeds.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::GlobalFree(h); }
};

// OpenClipboard/CloseClipboard pair.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool CopyToClipboard(HWND owner, std::wstring_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueHandle<GlobalMemoryTraits> memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  auto* data = static_cast<wchar_t*>(::GlobalLock(memory.get()));
  if (!data) return false;
  std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
  data[text.size()] = L'\0';
  ::GlobalUnlock(memory.get());
  const ClipboardScope clipboard(owner);
  if (!clipboard.open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();
  return true;
}

int MouseButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
         ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? kShiftMask : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? kCtrlMask : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? kAltMask : 0);
}

}  // namespace vornish::win32
