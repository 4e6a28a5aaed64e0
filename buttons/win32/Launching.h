// Carrying out a launch plan with the platform's process start and shell.
#pragma once

#include <windows.h>

#include "buttons/Launch.h"

namespace vornish::win32 {

// Starts what the plan says; true when a process was started or the shell
// accepted the file. `owner` owns whatever the shell shows.
class ShellStarter : public Starter {
 public:
  explicit ShellStarter(HWND owner) : owner_(owner) {}
  bool CarryOut(const LaunchPlan& plan) override;

 private:
  HWND owner_;
};

}  // namespace vornish::win32
