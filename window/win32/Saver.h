// Saves the launcher: the data file soon after each change while it runs, as
// the SaveScheduler decides, telling what such a save found (a copy kept of
// another program's version, a failure once); and everything at exit, telling
// what went wrong then, or keeping it for the next start while Windows ends.
#pragma once

#include <windows.h>

#include "core/Launcher.h"
#include "core/SaveScheduler.h"

namespace vornish::win32 {

class Saver {
 public:
  Saver(LauncherModel& model, LauncherServices services) : model_(model), services_(services) {}

  // The buttons changed: `owner`'s timer brings the save.
  void Changed(HWND owner);
  // `owner`'s WM_TIMER: true when it was this one's (the save then ran).
  bool OnTimer(HWND owner, UINT_PTR timer);
  // The saving half of the unload step, for `owner`, the main window; no save
  // of the run comes after it.
  void AtExit(HWND owner, bool endOfSession);

 private:
  LauncherModel& model_;
  LauncherServices services_;
  SaveScheduler scheduler_;
  bool stopped_ = false;
};

}  // namespace vornish::win32
