// Traces for a developer: an exception caught at a boundary it may not cross
// (into the system, out of a step that must not stop the others) is handled
// there, but leaves a line for a debugger or DebugView first.
#pragma once

#include <exception>
#include <string_view>

namespace vornish::win32 {

// "Vornish: <where>: <what the exception said>" through OutputDebugStringW;
// by default the exception being handled (call it inside a catch).
void TraceException(std::wstring_view where, std::exception_ptr thrown = std::current_exception()) noexcept;

// Runs `step`; what it throws is traced and goes no further.
template <typename Step>
void Guarded(std::wstring_view where, Step&& step) noexcept {
  try {
    step();
  } catch (...) {
    TraceException(where);
  }
}

}  // namespace vornish::win32
