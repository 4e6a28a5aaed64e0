#include "core/Editing.h"

#include <algorithm>
#include <limits>

#include "core/SystemObjects.h"

namespace vornish {

namespace {

bool Holds(const LauncherModel& model, int index) { return index >= 0 && index <= model.ButtonLast(); }

EditResult Result(const LauncherModel& model, int refreshFrom, int refreshTo, bool arrange) {
  return EditResult{true, model.ButtonLast() + 1, refreshFrom, refreshTo, arrange};
}

ButtonRecord Empty(const LauncherModel& model) { return EmptyButton(model.settings.DefColor); }

ButtonRecord& At(LauncherModel& model, int index) { return model.Buttons[static_cast<std::size_t>(index)]; }

void Put(LauncherModel& model, int index, ButtonRecord record) {
  model.history.Record({UndoStep::Kind::Inserted, index, {}, record, {}});
  model.Buttons.insert(model.Buttons.begin() + index, std::move(record));
}

void Overwrite(LauncherModel& model, int index, ButtonRecord record) {
  if (At(model, index) == record) return;
  model.history.Record({UndoStep::Kind::Replaced, index, At(model, index), record, {}});
  At(model, index) = std::move(record);
}

EditResult Append(LauncherModel& model, ButtonRecord record) {
  if (model.Buttons.size() >= kMaxButtons) return {};
  Put(model, model.ButtonLast() + 1, std::move(record));
  return Result(model, model.ButtonLast(), model.ButtonLast(), true);
}

// Still the button a step left there: its colour may have followed the
// settings and its count the launches since.
bool Unchanged(const ButtonRecord& now, ButtonRecord then) {
  then.Color = now.Color;
  then.Count = now.Count;
  return now == then;
}

std::int32_t Sum(std::int32_t a, std::int32_t b) {
  const std::int64_t sum = std::int64_t{a} + b;
  return static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

// Inverts one step; returns the lowest index it touched, -1 for none.
int Invert(LauncherModel& model, const UndoStep& step) {
  const int last = model.ButtonLast();
  const bool inList = step.index >= 0 && step.index <= last;
  const auto putBack = [&](const ButtonRecord& record) {
    if (model.Buttons.size() >= kMaxButtons) return -1;
    const int at = std::clamp(step.index, 0, last + 1);
    model.Buttons.insert(model.Buttons.begin() + at, record);
    return at;
  };
  switch (step.kind) {
    case UndoStep::Kind::Inserted:
      if (!inList || last == 0 || !Unchanged(At(model, step.index), step.after)) return -1;
      model.Buttons.erase(model.Buttons.begin() + step.index);
      return step.index;
    case UndoStep::Kind::Removed:
      return putBack(step.before);
    case UndoStep::Kind::Replaced:
      if (!inList || !Unchanged(At(model, step.index), step.after)) return putBack(step.before);
      At(model, step.index) = step.before;
      return step.index;
    case UndoStep::Kind::CountsCleared: {
      int lowest = -1;
      for (const auto& [index, count] : step.counts) {
        if (index > last) continue;
        At(model, index).Count = Sum(count, At(model, index).Count);
        if (lowest < 0) lowest = index;
      }
      return lowest;
    }
  }
  return -1;
}

}  // namespace

EditResult AddButton(LauncherModel& model) { return Append(model, Empty(model)); }

EditResult InsertButton(LauncherModel& model, int index) {
  if (model.Buttons.size() >= kMaxButtons || !Holds(model, index)) return {};
  Put(model, index, Empty(model));
  return Result(model, index, model.ButtonLast(), true);
}

EditResult ButtonDel(LauncherModel& model, int index) {
  if (!Holds(model, index)) return {};
  if (model.ButtonLast() == 0) {
    Overwrite(model, 0, Empty(model));
  } else {
    model.history.Record({UndoStep::Kind::Removed, index, At(model, index), {}, {}});
    model.Buttons.erase(model.Buttons.begin() + index);
  }
  // Buttons before the deleted one keep their contents; the ones from it on
  // show what moved into their place.
  const int from = index <= model.ButtonLast() ? index : model.ButtonLast() + 1;
  return Result(model, from, model.ButtonLast(), true);
}

EditResult InitButton(LauncherModel& model, int index) {
  if (!Holds(model, index)) return {};
  Overwrite(model, index, Empty(model));
  return Result(model, index, index, false);
}

EditResult AddSystemObject(LauncherModel& model, std::int32_t number, const SystemInfo& system) {
  return Append(model, NewSystemObjectButton(number, system, model.settings.SystemColor));
}

bool ClearCounts(LauncherModel& model) {
  UndoStep step{UndoStep::Kind::CountsCleared, 0, {}, {}, {}};
  for (int i = 0; i <= model.ButtonLast(); ++i) {
    std::int32_t& count = At(model, i).Count;
    if (count != 0) step.counts.emplace_back(i, std::exchange(count, 0));
  }
  if (step.counts.empty()) return false;
  model.history.Record(std::move(step));
  return true;
}

EditResult UndoLastChange(LauncherModel& model) {
  const std::vector<UndoStep> steps = model.history.TakeLast();
  if (steps.empty()) return {};
  const int before = model.ButtonLast();
  int lowest = -1;
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const int touched = Invert(model, *step);
    if (touched >= 0) lowest = lowest < 0 ? touched : std::min(lowest, touched);
  }
  if (lowest < 0) return {};
  return Result(model, lowest, model.ButtonLast(), model.ButtonLast() != before);
}

}  // namespace vornish
