#include "harness/Errors.h"

namespace vornish::e2e {

Win32Error::Win32Error(std::string_view what, DWORD code)
    : std::runtime_error(std::string(what) + " failed (Windows error " + std::to_string(code) + ")"),
      code_(code) {}

void ThrowLastError(std::string_view what) { throw Win32Error(what, GetLastError()); }

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

}  // namespace vornish::e2e
