// The system's ANSI code page, which the data file uses (code page 932 on the
// Japanese systems the launcher is made for). The Win32 layer implements it
// with the platform's converters; tests use a fake.
#pragma once

#include <string>
#include <string_view>

namespace vornish {

class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // Appends the text's bytes in the ANSI code page to `out`. Returns false,
  // leaving `out` unspecified, when any character has no exact form there (no
  // best-fit substitutes, no "?").
  virtual bool AppendAnsi(std::wstring_view text, std::string& out) const = 0;

  // Decodes ANSI bytes into `out`, replacing what it held (its storage is
  // reused). Bytes without a mapping become replacement characters, and
  // `replaced` (when given) is set then. NUL is a character like any other.
  virtual void FromAnsi(std::string_view bytes, std::wstring& out, bool* replaced = nullptr) const = 0;
};

}  // namespace vornish
