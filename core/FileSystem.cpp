#include "core/FileSystem.h"

#include "core/Numbers.h"
#include "core/Text.h"

namespace vornish {

namespace {
constexpr std::wstring_view kTemporaryInfix = L".~";
constexpr std::wstring_view kTemporarySuffix = L".tmp";
}  // namespace

std::wstring TemporaryPathFor(std::wstring_view path, std::uint32_t processId) {
  return std::wstring(path) + std::wstring(kTemporaryInfix) + ToDecimal(processId) + std::wstring(kTemporarySuffix);
}

std::optional<std::uint32_t> TemporaryOwner(std::wstring_view path, std::wstring_view candidate) {
  const std::size_t head = path.size() + kTemporaryInfix.size();
  if (candidate.size() <= head + kTemporarySuffix.size() ||
      !EqualsIgnoreAsciiCase(candidate.substr(0, path.size()), path) ||
      candidate.substr(path.size(), kTemporaryInfix.size()) != kTemporaryInfix ||
      !EndsWithIgnoreAsciiCase(candidate, kTemporarySuffix)) {
    return std::nullopt;
  }
  const std::wstring_view digits = candidate.substr(head, candidate.size() - head - kTemporarySuffix.size());
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
  }
  const auto pid = ParseDecimal(digits);
  if (!pid || *pid > 0xFFFFFFFFLL) return std::nullopt;
  return static_cast<std::uint32_t>(*pid);
}

}  // namespace vornish
