#include "harness/WindowQuery.h"

#include <algorithm>
#include <functional>

namespace vornish::e2e {

namespace {

using WindowVisitor = std::function<void(HWND)>;

BOOL CALLBACK VisitWindow(HWND window, LPARAM visitor) {
  (*reinterpret_cast<const WindowVisitor*>(visitor))(window);
  return TRUE;
}

bool Matches(HWND window, std::wstring_view className, Visibility visibility) {
  if (visibility == Visibility::VisibleOnly && !IsWindowVisible(window)) return false;
  return className.empty() || ClassNameOf(window) == className;
}

}  // namespace

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring TextOf(HWND window, std::chrono::milliseconds timeout) {
  const auto wait = static_cast<UINT>(timeout.count());
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, wait, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, wait, &copied)) {
    return {};
  }
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

DWORD ProcessIdOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

RECT ScreenRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectInParent(HWND window) {
  RECT rect = ScreenRectOf(window);
  if (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && parent != GetDesktopWindow()) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

std::vector<HWND> FindTopLevelWindows(std::wstring_view className, Visibility visibility) {
  std::vector<HWND> found;
  const WindowVisitor visit = [&](HWND window) {
    if (Matches(window, className, visibility)) found.push_back(window);
  };
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
  return found;
}

std::vector<HWND> FindWindowsOfClass(DWORD processId, std::wstring_view className, Visibility visibility) {
  auto found = FindTopLevelWindows(className, visibility);
  std::erase_if(found, [&](HWND window) { return ProcessIdOf(window) != processId; });
  return found;
}

std::vector<HWND> FindChildren(HWND parent, std::wstring_view className, Visibility visibility) {
  std::vector<HWND> found;
  const WindowVisitor visit = [&](HWND window) {
    if (GetAncestor(window, GA_PARENT) == parent && Matches(window, className, visibility)) {
      found.push_back(window);
    }
  };
  EnumChildWindows(parent, VisitWindow, reinterpret_cast<LPARAM>(&visit));
  std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
    const RECT ra = ScreenRectOf(a);
    const RECT rb = ScreenRectOf(b);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return found;
}

}  // namespace vornish::e2e
