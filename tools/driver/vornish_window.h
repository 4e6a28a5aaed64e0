// What the commands of vornish-window.exe share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace window_tool {

// Polls `done` every 15 ms until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
bool IsClass(HWND window, const wchar_t* className);
std::wstring TextOf(HWND window);
// Visible main windows (false) or message boxes titled "Vornish" (true).
std::vector<HWND> Find(bool boxes);

// The commands only the tests' scripts use.
int Drop(std::size_t index, const std::wstring& file, DWORD timeout);
int Box(DWORD timeout);
int Crash(std::uintptr_t rva);

}  // namespace window_tool
