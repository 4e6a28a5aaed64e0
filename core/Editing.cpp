#include "core/Editing.h"

#include "core/SystemObjects.h"

namespace vornish {

namespace {

bool HoldsCurrent(const LauncherModel& model) {
  return model.CurrentButton >= 0 && model.CurrentButton <= model.ButtonLast();
}

EditResult Result(const LauncherModel& model, int refreshFrom, int refreshTo, bool arrange) {
  return EditResult{true, model.ButtonLast() + 1, refreshFrom, refreshTo, arrange};
}

ButtonRecord Empty(const LauncherModel& model) { return EmptyButton(model.settings.DefColor); }

}  // namespace

EditResult AddButton(LauncherModel& model) {
  if (model.Buttons.size() >= kMaxButtons) return {};
  model.Buttons.push_back(Empty(model));
  return Result(model, model.ButtonLast(), model.ButtonLast(), true);
}

EditResult InsertButton(LauncherModel& model) {
  if (model.Buttons.size() >= kMaxButtons || !HoldsCurrent(model)) return {};
  model.Buttons.insert(model.Buttons.begin() + model.CurrentButton, Empty(model));
  return Result(model, model.CurrentButton, model.ButtonLast(), true);
}

EditResult ButtonDel(LauncherModel& model) {
  if (!HoldsCurrent(model)) return {};
  if (model.ButtonLast() == 0) {
    model.Buttons[0] = Empty(model);
  } else {
    model.Buttons.erase(model.Buttons.begin() + model.CurrentButton);
  }
  // Buttons before the deleted one keep their contents; the ones from it on
  // show what moved into their place.
  const int from = model.CurrentButton <= model.ButtonLast() ? model.CurrentButton : model.ButtonLast() + 1;
  return Result(model, from, model.ButtonLast(), true);
}

EditResult InitButton(LauncherModel& model) {
  if (!HoldsCurrent(model)) return {};
  model.Buttons[static_cast<std::size_t>(model.CurrentButton)] = Empty(model);
  return Result(model, model.CurrentButton, model.CurrentButton, false);
}

EditResult AddSystemObject(LauncherModel& model, std::int32_t number, const SystemInfo& system) {
  const EditResult added = AddButton(model);
  if (added.changed) model.Buttons.back() = NewSystemObjectButton(number, system, model.settings.SystemColor);
  return added;
}

}  // namespace vornish
