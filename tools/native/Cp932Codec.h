// Code page 932 for the native builds, where there is no Windows to ask:
// the unit tests and the data file benchmark use it for the ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "core/TextCodec.h"

namespace vornish::native {

// Code page 932 through the C library's iconv, as on a Japanese Windows:
// unmapped bytes decode as U+FFFD, text without a form fails to encode.
class Cp932Codec : public TextCodec {
 public:
  Cp932Codec();
  ~Cp932Codec() override;
  Cp932Codec(const Cp932Codec&) = delete;
  Cp932Codec& operator=(const Cp932Codec&) = delete;
  bool AppendAnsi(std::wstring_view text, std::string& out) const override;
  void FromAnsi(std::string_view bytes, std::wstring& out, bool* replaced = nullptr) const override;

 private:
  void* toAnsi_;
  void* fromAnsi_;
};
}  // namespace vornish::native
