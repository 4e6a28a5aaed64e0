// Facts about the running Windows installation.
#pragma once

#include "core/SystemInfo.h"

namespace vornish::win32 {

class WinSystemInfo : public SystemInfo {
 public:
  std::wstring WindowsDirectory() const override;
  std::wstring SystemDirectory() const override;
  int PlatformId() const override;
  std::uint32_t ProcessId() const override;
  bool ProcessRunning(std::uint32_t processId) const override;
  std::wstring TimeStamp() const override;
};

}  // namespace vornish::win32
