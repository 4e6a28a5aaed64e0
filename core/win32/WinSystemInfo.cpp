#include "core/win32/WinSystemInfo.h"

#include <windows.h>

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

}  // namespace vornish::win32
