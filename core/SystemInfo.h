// Facts about the Windows installation at hand that the launcher's logic uses.
#pragma once

#include <string>

namespace vornish {

inline constexpr int kPlatformWin32Windows = 1;  // Windows 95/98
inline constexpr int kPlatformWin32NT = 2;

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The Windows and system folders as the platform reports them (empty when
  // the call fails); no trailing separator is guaranteed.
  virtual std::wstring WindowsDirectory() const = 0;
  virtual std::wstring SystemDirectory() const = 0;
  // kPlatformWin32NT or kPlatformWin32Windows (also when it cannot be told).
  virtual int PlatformId() const = 0;
};

}  // namespace vornish
