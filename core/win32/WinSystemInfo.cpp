#include "core/win32/WinSystemInfo.h"

#include <windows.h>

#include <cwchar>

namespace vornish::win32 {

namespace {

// Both folder queries report the needed size when the buffer is too small.
template <typename Query>
std::wstring QueryFolder(Query query) {
  UINT size = query(nullptr, 0);
  for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
    std::wstring buffer(size, L'\0');
    const UINT length = query(buffer.data(), size);
    if (length == 0) break;
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    size = length + 1;
  }
  return {};
}

}  // namespace

std::wstring WinSystemInfo::WindowsDirectory() const {
  return QueryFolder([](wchar_t* buffer, UINT size) { return ::GetWindowsDirectoryW(buffer, size); });
}

std::wstring WinSystemInfo::SystemDirectory() const {
  return QueryFolder([](wchar_t* buffer, UINT size) { return ::GetSystemDirectoryW(buffer, size); });
}

int WinSystemInfo::PlatformId() const {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // only the platform id is wanted, which never lies
#endif
  if (!::GetVersionExW(&info)) return kPlatformWin32Windows;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT ? kPlatformWin32NT : kPlatformWin32Windows;
}

std::uint32_t WinSystemInfo::ProcessId() const { return ::GetCurrentProcessId(); }

bool WinSystemInfo::ProcessRunning(std::uint32_t processId) const {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
  // A process that cannot be opened but exists belongs to someone else.
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

std::wstring WinSystemInfo::TimeStamp() const {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t text[32] = {};
  ::swprintf(text, 32, L"%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
  return text;
}

}  // namespace vornish::win32
