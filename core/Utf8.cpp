#include "core/Utf8.h"

#include <cstdint>
#include <type_traits>

namespace vornish {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes one code point starting at bytes[i]; advances i past what it used.
char32_t DecodeOne(std::string_view bytes, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + static_cast<std::size_t>(length) > bytes.size()) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(length);
  return cp;
}

template <typename Char>
void AppendUtf8Impl(std::basic_string_view<Char> text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
    if constexpr (sizeof(Char) == 2) {
      if (IsHighSurrogate(c) && i + 1 < text.size()) {
        const auto low = static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(text[i + 1]));
        if (IsLowSurrogate(low)) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    AppendCodePoint(out, c);
  }
}

template <typename Char>
std::string ToUtf8Impl(std::basic_string_view<Char> text) {
  std::string out;
  out.reserve(text.size() * 3);
  AppendUtf8Impl(text, out);
  return out;
}

template <typename String>
void FromUtf8Impl(std::string_view bytes, String& out, bool* replaced) {
  using Char = typename String::value_type;
  out.clear();
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t at = i;
    const char32_t cp = DecodeOne(bytes, i);
    // A U+FFFD written in the text takes three bytes; one made here, one.
    if (cp == kReplacement && i == at + 1 && replaced) *replaced = true;
    if (sizeof(Char) == 2 && cp >= 0x10000) {
      out.push_back(static_cast<Char>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<Char>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<Char>(cp));
    }
  }
}

}  // namespace

std::string ToUtf8(std::wstring_view text) { return ToUtf8Impl(text); }
std::string ToUtf8(std::u16string_view text) { return ToUtf8Impl(text); }
void AppendUtf8(std::wstring_view text, std::string& out) { AppendUtf8Impl(text, out); }

std::wstring FromUtf8(std::string_view bytes, bool* replaced) {
  std::wstring out;
  FromUtf8Impl(bytes, out, replaced);
  return out;
}

void FromUtf8(std::string_view bytes, std::wstring& out, bool* replaced) { FromUtf8Impl(bytes, out, replaced); }

std::u16string Utf16FromUtf8(std::string_view bytes) {
  std::u16string out;
  FromUtf8Impl(bytes, out, nullptr);
  return out;
}

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

}  // namespace vornish
