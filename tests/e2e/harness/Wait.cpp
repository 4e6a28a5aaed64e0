#include "harness/Wait.h"

#include "harness/Win32.h"

namespace vornish::e2e {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return done();
    Sleep(static_cast<DWORD>(kPollInterval.count()));
  }
}

}  // namespace vornish::e2e
