#include "Fakes.h"

#include <iconv.h>

#include <stdexcept>
#include <vector>

namespace vornish::testing {

namespace {

void* Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  return cd;
}

// The whole input through iconv; false on any character without a mapping.
bool Convert(void* cd, const char* in, std::size_t size, std::string& out) {
  iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
  std::vector<char> buffer(size * 4 + 16);
  char* src = const_cast<char*>(in);
  char* dst = buffer.data();
  std::size_t left = buffer.size();
  const bool ok = iconv(static_cast<iconv_t>(cd), &src, &size, &dst, &left) != static_cast<std::size_t>(-1);
  out.assign(buffer.data(), buffer.size() - left);
  return ok;
}

}  // namespace

Cp932Codec::Cp932Codec() : toAnsi_(Open("CP932", "WCHAR_T")), fromAnsi_(Open("WCHAR_T", "CP932")) {}

Cp932Codec::~Cp932Codec() {
  iconv_close(static_cast<iconv_t>(toAnsi_));
  iconv_close(static_cast<iconv_t>(fromAnsi_));
}

bool Cp932Codec::ToAnsi(std::wstring_view text, std::string& out) const {
  return Convert(toAnsi_, reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t), out);
}

std::wstring Cp932Codec::FromAnsi(std::string_view bytes, bool* replaced) const {
  // The longest run that decodes at each place; a byte that starts none is U+FFFD.
  std::wstring result;
  std::string wide;
  for (std::size_t start = 0, length; start < bytes.size(); start += length ? length : 1) {
    for (length = bytes.size() - start; length > 0; --length) {
      if (Convert(fromAnsi_, bytes.data() + start, length, wide)) break;
    }
    if (length == 0) result.push_back(L'\xFFFD');
    if (length == 0 && replaced) *replaced = true;
    result.append(reinterpret_cast<const wchar_t*>(wide.data()), length ? wide.size() / sizeof(wchar_t) : 0);
  }
  return result;
}

std::string Cp932(std::string_view utf8) {
  void* cd = Open("CP932", "UTF-8");
  std::string out;
  const bool ok = Convert(cd, utf8.data(), utf8.size(), out);
  iconv_close(static_cast<iconv_t>(cd));
  if (!ok) throw std::runtime_error("no code page 932 form");
  return out;
}

}  // namespace vornish::testing
