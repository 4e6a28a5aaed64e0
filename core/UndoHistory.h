// The changes the user made to the set of buttons from a menu or a dialog,
// newest last, so that they can be taken back one after the other. A change
// keeps only what inverting it needs (the records it removed or overwrote,
// the counts it cleared), never a copy of the list: a list can hold 32,768
// buttons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "core/ButtonRecord.h"

namespace vornish {

// One step of a change, as it happened to the list.
struct UndoStep {
  enum class Kind {
    Inserted,       // `after` was put in at `index`
    Removed,        // `before` was taken out at `index`
    Replaced,       // `before` at `index` became `after`
    CountsCleared,  // every count became 0; `counts` holds those that were not
  };
  Kind kind = Kind::Inserted;
  int index = 0;
  ButtonRecord before;
  ButtonRecord after;
  std::vector<std::pair<int, std::int32_t>> counts;  // index, count
};

class UndoHistory {
 public:
  // Changes kept: the oldest goes when one more is recorded.
  static constexpr std::size_t kDepth = 100;

  // A step becomes part of the change that is open, or a change of its own.
  void Record(UndoStep step);

  // The steps recorded while one lives are one change (a settings OK that
  // adds and removes several buttons and clears the counts is undone at once).
  class Change {
   public:
    explicit Change(UndoHistory& history) : history_(history) {
      if (history_.open_++ == 0) history_.started_ = false;
    }
    ~Change() { --history_.open_; }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

   private:
    UndoHistory& history_;
  };

  bool CanUndo() const { return !changes_.empty(); }
  // Moves on with every change recorded or taken back.
  std::uint64_t Version() const { return version_; }
  // The newest change's steps in the order they happened, taken out of the
  // history; empty when there is nothing to undo.
  std::vector<UndoStep> TakeLast();

 private:
  std::deque<std::vector<UndoStep>> changes_;
  int open_ = 0;
  bool started_ = false;  // the open change has its entry in changes_
  std::uint64_t version_ = 0;
};

}  // namespace vornish
