// Small text helpers shared by the launcher's logic. Text inside the program is
// Unicode (std::wstring); conversion to the data file's encodings lives in
// TextCodec.h and Utf8.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornish {

// Removes leading and trailing spaces (only U+0020, as the launcher always did).
std::wstring_view TrimSpaces(std::wstring_view text);
std::string_view TrimSpaces(std::string_view text);

// ASCII-only upper-casing: file-type tests such as ".EXE" must not depend on
// the user's locale.
wchar_t ToUpperAscii(wchar_t c);
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);
bool EndsWithIgnoreAsciiCase(std::wstring_view text, std::wstring_view suffix);

// Decimal text with a leading '-' when negative, no grouping.
std::wstring ToDecimal(std::int64_t value);

// Narrow ASCII to wide (for literals and numbers only).
std::wstring Widen(std::string_view ascii);

}  // namespace vornish
