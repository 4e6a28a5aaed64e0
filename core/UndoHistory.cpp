#include "core/UndoHistory.h"

namespace vornish {

void UndoHistory::Record(UndoStep step) {
  ++version_;
  if (open_ == 0 || !started_) {
    changes_.emplace_back();
    started_ = open_ > 0;
    if (changes_.size() > kDepth) changes_.pop_front();
  }
  changes_.back().push_back(std::move(step));
}

std::vector<UndoStep> UndoHistory::TakeLast() {
  if (changes_.empty()) return {};
  ++version_;
  std::vector<UndoStep> last = std::move(changes_.back());
  changes_.pop_back();
  // A change still open continues as a new one.
  started_ = false;
  return last;
}

}  // namespace vornish
