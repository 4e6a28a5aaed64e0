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

  // Encodes text in the ANSI code page. Returns false, leaving `out`
  // unspecified, when any character has no exact form there (no best-fit
  // substitutes, no "?").
  virtual bool ToAnsi(std::wstring_view text, std::string& out) const = 0;

  // Decodes ANSI bytes; bytes without a mapping become replacement
  // characters, and `replaced` (when given) is set then.
  virtual std::wstring FromAnsi(std::string_view bytes, bool* replaced = nullptr) const = 0;
};

}  // namespace vornish
