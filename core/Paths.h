// Path routines shared by the launcher's windows.
#pragma once

#include <string>
#include <string_view>

#include "core/SystemInfo.h"

namespace vornish {

// The text after the last "\" (or, when there is none, after the last ":");
// the whole text when it has neither. C:\WINDOWS\NOTEPAD.EXE -> NOTEPAD.EXE.
std::wstring GetFileName(std::wstring_view path);

// The folder part ending in "\": up to and including the last "\", or, when
// there is none, `currentDirectory` followed by "\".
std::wstring GetFolder(std::wstring_view path, std::wstring_view currentDirectory);

// `text` with a "\" appended unless it already ends in one (empty stays empty).
std::wstring WithTrailingBackslash(std::wstring_view text);

// `folder` + "\" (unless it already ends in one) + `name`.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The Windows and system folders ending in "\", or empty when unknown.
std::wstring GetWindowsDir(const SystemInfo& system);
std::wstring GetSystemDir(const SystemInfo& system);

inline constexpr std::wstring_view kDefaultDataFileName = L"VRN.dat";
inline constexpr std::wstring_view kHelpFileName = L"VRN.hlp";
// The compiled HTML help the launcher ships, for systems without WinHelp.
inline constexpr std::wstring_view kHtmlHelpFileName = L"VRN.chm";

// The folder of a program's full path, without a trailing "\\" unless it is a
// drive root: C:\\Tools\\vornish.exe -> C:\\Tools, E:\\vornish.exe -> E:\\.
std::wstring ProgramFolderOf(std::wstring_view programPath);

// VRN.dat in the program's folder.
std::wstring DefaultDataFilePath(std::wstring_view programFolder);

// The volume `path` lies on, upper-cased: "C:" for C:\x, "\\SERVER\SHARE"
// for \\server\share\x, also in their \\?\ forms; empty for a relative path.
std::wstring VolumeOf(std::wstring_view path);

}  // namespace vornish
