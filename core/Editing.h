// Changing the set of buttons: add, insert, delete and empty, clearing the
// launch counts, and taking such a change back. Each operation changes the
// list, records itself in the model's undo history and says which button
// controls must follow.
#pragma once

#include "core/Launcher.h"

namespace vornish {

struct EditResult {
  bool changed = false;
  // The number of button controls there must be afterwards (ButtonLast + 1).
  int controls = 0;
  // Controls refreshFrom..refreshTo take their record's values again (none
  // when refreshFrom > refreshTo).
  int refreshFrom = 0;
  int refreshTo = -1;
  bool arrange = false;  // the number of buttons changed: lay them out again
};

// A new empty button at the end. Nothing happens when the list is full.
EditResult AddButton(LauncherModel& model);

// The operations on one button take its index, as the command chosen for it
// carries it; an index of no button changes nothing.

// A new empty button in the place of button `index`; it and the buttons after
// it move one place on, counts and all. Nothing happens when the list is full.
EditResult InsertButton(LauncherModel& model, int index);

// Removes button `index`; the buttons after it move one place back. The last
// button is never removed: it is emptied instead.
EditResult ButtonDel(LauncherModel& model, int index);

// Empties button `index` (its launch count and colour included).
EditResult InitButton(LauncherModel& model, int index);

// A new button at the end for system object `number`: locked, in the
// system-object colour, with this machine's program and parameters.
EditResult AddSystemObject(LauncherModel& model, std::int32_t number, const SystemInfo& system);

// Every launch count becomes 0 (the ranking's "クリア(&C)", counting switched
// on again). False when there was none to clear.
bool ClearCounts(LauncherModel& model);

// Takes the newest change of the history back: a removed button returns to
// its place with every field and its count, an emptied one gets its contents
// back, an added one goes, cleared counts return. What the user did since to
// the buttons it touched is never lost: an added button that has since been
// filled stays, and an emptied button that has since been filled stays beside
// the one that comes back. Counts counted since are added to those restored.
EditResult UndoLastChange(LauncherModel& model);

}  // namespace vornish
