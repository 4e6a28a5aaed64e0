// Routines several windows share: the start-up shortcut and the main window's
// always-on-top state.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/Messages.h"

namespace vornish::win32 {

// The folder, relative to the Start menu's programs folder, that holds the
// programs started at log-on.
inline constexpr std::wstring_view kStartupFolder = L"./ｽﾀｰﾄｱｯﾌﾟ";

// Creates (or replaces) the shortcut `name`.lnk in `folder` (relative to the
// Start menu's programs folder; kStartupFolder is the start-up folder) that
// starts `target` with `arguments`. True when the shortcut exists afterwards.
// When the system's shortcut interface is unavailable the user is told so,
// with `owner` as the message boxes' owner; other failures are silent.
bool CreateStartupLink(HWND owner, std::wstring_view folder, std::wstring_view name, std::wstring_view target,
                       std::wstring_view arguments);

// Where CreateStartupLink puts `name`.lnk for `folder`; empty when unknown.
std::wstring ShortcutPath(std::wstring_view folder, std::wstring_view name);

// Keeps the window above all non-topmost windows, or returns it to the normal
// z-order, without moving, sizing or activating it. True on success.
bool WindowTopOn(HWND hwnd);
bool WindowTopOff(HWND hwnd);

// The full path of the running program and its folder (see ProgramFolderOf).
std::wstring ProgramPath();
std::wstring ProgramFolder();

// A message box with the application's title and the icon and buttons of its
// style; true when the user answered OK or Yes.
bool ShowMessage(HWND owner, const Message& message);
UINT MessageBoxStyle(MessageStyle style);

}  // namespace vornish::win32
