#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "harness/Win32.h"

namespace vornish::e2e {

// Harness calls that cannot do their job throw; GoogleTest reports the
// exception as a test failure with this text, which names the call and the
// Windows error code.
class Win32Error : public std::runtime_error {
 public:
  Win32Error(std::string_view what, DWORD code);
  DWORD Code() const noexcept { return code_; }

 private:
  DWORD code_;
};

[[noreturn]] void ThrowLastError(std::string_view what);

// UTF-8 for messages and file names built from wide text.
std::string Narrow(std::wstring_view text);

}  // namespace vornish::e2e
