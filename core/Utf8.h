// UTF-8 conversion for data files whose text the ANSI code page cannot hold.
// Works with 16-bit wchar_t (UTF-16, Windows) and 32-bit wchar_t (UTF-32).
#pragma once

#include <string>
#include <string_view>

namespace vornish {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Unpaired surrogates and invalid code points become U+FFFD.
std::string ToUtf8(std::wstring_view text);
std::string ToUtf8(std::u16string_view text);
void AppendUtf8(std::wstring_view text, std::string& out);
std::u16string Utf16FromUtf8(std::string_view bytes);

// Malformed sequences become U+FFFD, one per offending byte, and `replaced`
// (when given) is set then.
std::wstring FromUtf8(std::string_view bytes, bool* replaced = nullptr);
// The same into `out`, replacing what it held (its storage is reused).
void FromUtf8(std::string_view bytes, std::wstring& out, bool* replaced = nullptr);

bool StartsWithUtf8Bom(std::string_view bytes);

}  // namespace vornish
