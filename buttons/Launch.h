// What launching a button starts, worked out from its properties, and the
// launch count that follows. The Win32 layer carries the plan out.
#pragma once

#include <cstdint>
#include <string>

#include "core/FileSystem.h"
#include "core/Launcher.h"

namespace vornish {

struct LaunchPlan {
  enum class Kind {
    None,     // empty button: nothing is started or counted
    Process,  // a program started directly
    Shell,    // a document, folder or anything else opened by the shell
  };
  Kind kind = Kind::None;
  std::wstring program;      // Process: the program, named explicitly
  std::wstring commandLine;  // Process: its command line
  std::wstring file;         // Shell: what is opened
  std::wstring parameters;   // Shell: its parameters
  std::wstring folder;       // Shell: the working folder
  int show = 1;              // 1 normal, 2 minimised, 3 maximised
};

// True when the file's last four characters are ".EXE" in any letter case.
bool IsProgramFile(std::wstring_view file);

// The command line of a program start: the program's path, in quotation marks
// when it contains a space (so that the system cannot take a shorter path
// for the program), then one space and the parameters as the user wrote them.
std::wstring ProcessCommandLine(std::wstring_view program, std::wstring_view parameters);

// The plan for starting `file` with `parameters`: programs are started
// directly in the launcher's own current folder; anything else is opened by
// the shell in `workingFolder` when that exists, else in the current folder.
// A window state outside 1 to 3 starts a normal window.
LaunchPlan PlanLaunch(std::wstring_view file, std::wstring_view workingFolder, std::wstring_view parameters,
                      std::int32_t state, const FileSystem& fs);

// The launch count after one more launch: it stops at 2,147,483,647.
std::int32_t CountAfterLaunch(std::int32_t count);

// Starts what a plan says; true when a process started or the shell opened
// the file.
class Starter {
 public:
  virtual ~Starter() = default;
  virtual bool CarryOut(const LaunchPlan& plan) = 0;
};

// True when what the button launches is named by a full path (a drive's or
// a network share's) at which there is no file or folder any more. Names the
// system resolves itself (a program it searches for, an address) are never
// missing.
bool TargetMissing(const ButtonRecord& button, const FileSystem& fs);

// Launches button `index` with `parameters` (its own, or a dropped file's)
// and counts the launch when counting is on. A button whose target is missing
// starts nothing and is not counted: the user is to be told. The start may
// pump messages; the count goes to the button only if it is still the one
// that was launched.
enum class Launched { Nothing, Started, Missing };
Launched LaunchButton(LauncherModel& model, int index, std::wstring_view parameters, const FileSystem& fs,
                      Starter& starter);

}  // namespace vornish
