#include "core/Text.h"

namespace vornish {

namespace {

template <typename Char>
std::basic_string_view<Char> TrimSpacesImpl(std::basic_string_view<Char> text) {
  while (!text.empty() && text.front() == Char(' ')) text.remove_prefix(1);
  while (!text.empty() && text.back() == Char(' ')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::wstring_view TrimSpaces(std::wstring_view text) { return TrimSpacesImpl(text); }
std::string_view TrimSpaces(std::string_view text) { return TrimSpacesImpl(text); }

wchar_t ToUpperAscii(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}

bool EndsWithIgnoreAsciiCase(std::wstring_view text, std::wstring_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

std::wstring ToDecimal(std::int64_t value) {
  // Work on the magnitude as unsigned so that INT64_MIN does not overflow.
  const bool negative = value < 0;
  std::uint64_t magnitude =
      negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  wchar_t buffer[24];
  wchar_t* end = buffer + 24;
  wchar_t* p = end;
  do {
    *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) *--p = L'-';
  return std::wstring(p, end);
}

std::wstring Widen(std::string_view ascii) {
  std::wstring out;
  out.reserve(ascii.size());
  for (char c : ascii) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace vornish
