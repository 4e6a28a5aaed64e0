// Text services of the platform: the ANSI code page and error descriptions.
#pragma once

#include <windows.h>

#include <string>

#include "core/TextCodec.h"

namespace vornish::win32 {

// The system's ANSI code page through WideCharToMultiByte/MultiByteToWideChar,
// refusing best-fit substitutes so that lossy text is detected.
class AnsiCodec : public TextCodec {
 public:
  bool ToAnsi(std::wstring_view text, std::string& out) const override;
  std::wstring FromAnsi(std::string_view bytes, bool* replaced = nullptr) const override;
};

// The system's description of an error code, without the trailing line end;
// the code in decimal when the system has no text for it.
std::wstring ErrorText(DWORD error);

}  // namespace vornish::win32
