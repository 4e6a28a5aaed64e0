// Polling waits. They sleep between polls and pump no messages: the test
// thread owns no windows, and pumping would hide ordering bugs in the launcher.
#pragma once

#include <chrono>
#include <functional>

namespace vornish::e2e {

using namespace std::chrono_literals;

inline constexpr std::chrono::milliseconds kDefaultTimeout = 5s;
inline constexpr std::chrono::milliseconds kPollInterval = 15ms;

// True as soon as `done` returns true; false if it is still false at the end
// of `timeout` (it is asked one last time then, so a slow machine that gets
// there exactly at the deadline does not fail).
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kDefaultTimeout);

// The first value of `produce` that converts to true (a window, an optional),
// or the last value produced when the time is up.
template <class Produce>
auto WaitFor(Produce produce, std::chrono::milliseconds timeout = kDefaultTimeout) -> decltype(produce()) {
  decltype(produce()) value{};
  WaitUntil([&] { return static_cast<bool>(value = produce()); }, timeout);
  return value;
}

}  // namespace vornish::e2e
