// Finding and reading windows of other processes.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Win32.h"

namespace vornish::e2e {

enum class Visibility { Any, VisibleOnly };

std::wstring ClassNameOf(HWND window);
// The window's text through WM_GETTEXT (answered by the owning thread, so it
// works for controls of other processes), or empty if it does not answer.
std::wstring TextOf(HWND window, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
DWORD ProcessIdOf(HWND window);
RECT ScreenRectOf(HWND window);
// The rectangle relative to the parent's client area (the screen for a
// top-level window), as MoveWindow takes it.
RECT RectInParent(HWND window);

// Top-level windows of any process whose class is `className`, in Z order.
std::vector<HWND> FindTopLevelWindows(std::wstring_view className,
                                      Visibility visibility = Visibility::VisibleOnly);

// Top-level windows of process `processId` whose class is `className` (any
// class when empty), in Z order.
std::vector<HWND> FindWindowsOfClass(DWORD processId, std::wstring_view className,
                                     Visibility visibility = Visibility::VisibleOnly);

// Direct children of `parent` of class `className` (any class when empty),
// sorted as a reader goes: by top edge, then left edge.
std::vector<HWND> FindChildren(HWND parent, std::wstring_view className,
                               Visibility visibility = Visibility::Any);

}  // namespace vornish::e2e
