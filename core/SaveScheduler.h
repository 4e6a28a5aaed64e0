// When the buttons changed during the run are written to the data file: soon
// after a change, so that a crash or a power cut loses at most about a
// second, and seldom enough that a burst of changes (a hundred launches)
// writes the file once a second, not a hundred times. The Windows side only
// runs the timer and the save.
#pragma once

#include <cstdint>
#include <optional>

namespace vornish {

class SaveScheduler {
 public:
  // A save follows the first change not yet saved after this long, and never
  // comes sooner than this long after the save before it. Milliseconds.
  static constexpr std::uint64_t kDelay = 750;
  static constexpr std::uint64_t kSpacing = 1000;

  // A change at `now` (milliseconds of a steady clock): how long until the
  // save, for the timer to wait; nothing when a save is already due.
  std::optional<std::uint64_t> Changed(std::uint64_t now);
  // The timer went off: true when a save is due (it is no longer).
  bool TakeDue();
  // A save ran at `now`: true when its failure must be told, which is once
  // until a save succeeds again. A failed save is tried again at the next
  // change (and at exit), not every second.
  bool Saved(std::uint64_t now, bool ok);

 private:
  bool due_ = false;
  std::optional<std::uint64_t> lastSave_;
  bool failing_ = false;
};

}  // namespace vornish
