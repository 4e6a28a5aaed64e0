// Facts about the Windows installation at hand, and the running system, that
// the launcher's logic uses.
#pragma once

#include <cstdint>
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

  virtual std::uint32_t ProcessId() const = 0;
  // Whether a process with this id runs now.
  virtual bool ProcessRunning(std::uint32_t processId) const = 0;
  // The local date and time as "YYYYMMDD-hhmmss", for names of kept files.
  virtual std::wstring TimeStamp() const = 0;
};

}  // namespace vornish
