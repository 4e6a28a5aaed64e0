#include "core/win32/Trace.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "core/Utf8.h"

namespace vornish::win32 {

void TraceException(std::wstring_view where, std::exception_ptr thrown) noexcept {
  if (!thrown) return;
  try {
    std::wstring line = L"Vornish: ";
    line += where;
    line += L": ";
    try {
      std::rethrow_exception(thrown);
    } catch (const std::exception& e) {
      line += FromUtf8(e.what());
    } catch (...) {
      line += L"an exception of no standard type";
    }
    line += L"\n";
    ::OutputDebugStringW(line.c_str());
  } catch (...) {
    // Not even the line could be made (out of memory): the short form.
    ::OutputDebugStringW(L"Vornish: an exception, and no memory to tell more\n");
  }
}

}  // namespace vornish::win32
