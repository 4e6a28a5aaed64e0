// Facts about the running Windows installation.
#pragma once

#include "core/SystemInfo.h"

namespace vornish::win32 {

class WinSystemInfo : public SystemInfo {
 public:
  std::wstring WindowsDirectory() const override;
  std::wstring SystemDirectory() const override;
  int PlatformId() const override;
};

}  // namespace vornish::win32
