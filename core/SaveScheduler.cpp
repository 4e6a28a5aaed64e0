#include "core/SaveScheduler.h"

#include <algorithm>
#include <utility>

namespace vornish {

std::optional<std::uint64_t> SaveScheduler::Changed(std::uint64_t now) {
  if (std::exchange(due_, true)) return std::nullopt;
  // A change right after a save waits for the spacing, which still ends
  // within a second of it.
  const std::uint64_t at = std::max(now + kDelay, lastSave_ ? *lastSave_ + kSpacing : 0);
  return at - now;
}

bool SaveScheduler::TakeDue() { return std::exchange(due_, false); }

bool SaveScheduler::Saved(std::uint64_t now, bool ok) {
  lastSave_ = now;
  const bool tell = !ok && !failing_;
  failing_ = !ok;
  return tell;
}

}  // namespace vornish
