// Text services of the platform: the ANSI code page and error descriptions.
#pragma once

#include <windows.h>

#include <string>

#include "core/TextCodec.h"

namespace vornish::win32 {

// The system's ANSI code page through WideCharToMultiByte/MultiByteToWideChar,
// refusing best-fit substitutes so that lossy text is detected. Each call
// converts straight into the caller's string, with no size query first.
class AnsiCodec : public TextCodec {
 public:
  AnsiCodec();
  bool AppendAnsi(std::wstring_view text, std::string& out) const override;
  void FromAnsi(std::string_view bytes, std::wstring& out, bool* replaced = nullptr) const override;

 private:
  bool utf8_;                  // the code page is UTF-8 (a system option of Windows 10 and later)
  std::size_t maxCharBytes_;  // bytes of the longest character
};

// The system's description of an error code, without the trailing line end;
// a Japanese sentence with the code in it when the system has no text for it.
std::wstring ErrorText(DWORD error);

}  // namespace vornish::win32
