// Conversion of stored text to numbers, for the data file and the settings
// store. Every parser answers std::nullopt for text it does not accept, and the
// caller decides which value such text gets; nothing here throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vornish {

// Decimal text: optional surrounding spaces, an optional sign, digits, and an
// optional fractional part that is rounded to the nearest integer with ties to
// even (window positions may have been stored with one). Values beyond the
// 64-bit range, empty text and anything else are rejected.
std::optional<std::int64_t> ParseDecimal(std::wstring_view text);

// A decimal that fits a signed 32-bit integer.
std::optional<std::int32_t> ParseInt32(std::wstring_view text);

// A 32-bit colour value: its signed form (system colours are stored negative,
// -2147483633 for 0x8000000F) or its unsigned form.
std::optional<std::uint32_t> ParseColour(std::wstring_view text);

// "True"/"False" in any letter case, or a number (0 is false, others true).
std::optional<bool> ParseBool(std::wstring_view text);

}  // namespace vornish
