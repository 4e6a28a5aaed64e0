#include "core/Numbers.h"

#include <limits>

#include "core/Text.h"

namespace vornish {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::int64_t> ParseDecimal(std::wstring_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  // Magnitudes are kept below 10^18 so that the arithmetic cannot overflow.
  constexpr std::uint64_t kLimit = 1'000'000'000'000'000'000ULL;
  std::uint64_t magnitude = 0;
  std::size_t digits = 0;
  while (!text.empty() && IsDigit(text.front())) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(text.front() - L'0');
    if (magnitude >= kLimit) return std::nullopt;
    text.remove_prefix(1);
    ++digits;
  }
  std::size_t fractionDigits = 0;
  bool roundUp = false;
  if (!text.empty() && text.front() == L'.') {
    text.remove_prefix(1);
    // Round half to even: look at the first fractional digit and whether any
    // non-zero digit follows it.
    int first = -1;
    bool restNonZero = false;
    while (!text.empty() && IsDigit(text.front())) {
      const int d = text.front() - L'0';
      if (first < 0) {
        first = d;
      } else if (d != 0) {
        restNonZero = true;
      }
      text.remove_prefix(1);
      ++fractionDigits;
    }
    if (first > 5 || (first == 5 && (restNonZero || magnitude % 2 == 1))) roundUp = true;
  }
  if (!text.empty() || digits + fractionDigits == 0) return std::nullopt;
  if (roundUp) ++magnitude;
  const auto value = static_cast<std::int64_t>(magnitude);
  return negative ? -value : value;
}

std::optional<std::int32_t> ParseInt32(std::wstring_view text) {
  const auto value = ParseDecimal(text);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
}

std::optional<std::uint32_t> ParseColour(std::wstring_view text) {
  const auto value = ParseDecimal(text);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(*value);
}

std::optional<bool> ParseBool(std::wstring_view text) {
  const auto trimmed = TrimBlanks(text);
  if (EqualsIgnoreAsciiCase(trimmed, L"True")) return true;
  if (EqualsIgnoreAsciiCase(trimmed, L"False")) return false;
  const auto value = ParseDecimal(trimmed);
  if (!value) return std::nullopt;
  return *value != 0;
}

}  // namespace vornish
