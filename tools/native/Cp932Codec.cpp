#include "native/Cp932Codec.h"

#include <iconv.h>

#include <stdexcept>

namespace vornish::native {

namespace {

void* Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  return cd;
}

// Runs `size` bytes at `in` through iconv into the `room` bytes at `out`;
// false on any character without a mapping. `written` tells how far it got.
// The code pages here keep no state between characters: only a conversion cut
// short needs the converter reset.
bool Convert(void* cd, const char* in, std::size_t size, char* out, std::size_t room, std::size_t& written) {
  char* src = const_cast<char*>(in);
  char* dst = out;
  std::size_t left = room;
  const bool ok = iconv(static_cast<iconv_t>(cd), &src, &size, &dst, &left) != static_cast<std::size_t>(-1);
  if (!ok) iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
  written = room - left;
  return ok;
}

}  // namespace

Cp932Codec::Cp932Codec() : toAnsi_(Open("CP932", "WCHAR_T")), fromAnsi_(Open("WCHAR_T", "CP932")) {}

Cp932Codec::~Cp932Codec() {
  iconv_close(static_cast<iconv_t>(toAnsi_));
  iconv_close(static_cast<iconv_t>(fromAnsi_));
}

bool Cp932Codec::AppendAnsi(std::wstring_view text, std::string& out) const {
  const std::size_t start = out.size();
  out.resize(start + text.size() * 2);  // two bytes a character at most
  std::size_t written = 0;
  const bool ok = Convert(toAnsi_, reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                          out.data() + start, text.size() * 2, written);
  out.resize(start + written);
  return ok;
}

void Cp932Codec::FromAnsi(std::string_view bytes, std::wstring& out, bool* replaced) const {
  const auto into = [&](std::size_t from, std::size_t length, std::wstring& text) {
    text.resize(length);  // a character a byte at most
    std::size_t written = 0;
    const bool ok = Convert(fromAnsi_, bytes.data() + from, length, reinterpret_cast<char*>(text.data()),
                            length * sizeof(wchar_t), written);
    text.resize(written / sizeof(wchar_t));
    return ok;
  };
  if (into(0, bytes.size(), out)) return;
  // The longest run that decodes at each place; a byte that starts none is U+FFFD.
  out.clear();
  std::wstring run;
  for (std::size_t start = 0, length; start < bytes.size(); start += length ? length : 1) {
    for (length = bytes.size() - start; length > 0 && !into(start, length, run); --length) {
    }
    if (length == 0 && replaced) *replaced = true;
    out += length ? std::wstring_view(run) : std::wstring_view(L"\xFFFD");
  }
}

}  // namespace vornish::native
