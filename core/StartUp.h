// Decisions of the start routine: which data file to use and whether this
// launcher may run at all.
#pragma once

#include <string>
#include <string_view>

#include "core/FileSystem.h"

namespace vornish {

// What follows the program name in a full command line (GetCommandLine):
// the program name is quoted or ends at the first blank, and the blanks after
// it are skipped.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);

// The data-file path named by the arguments: the whole argument text with
// leading and trailing spaces removed, and then one pair of enclosing
// quotation marks (shells and shortcuts quote paths with spaces).
std::wstring DataFileArgument(std::wstring_view arguments);

struct StartDecision {
  enum class Action {
    Run,                // go on with dataFilePath
    EndSilently,        // another launcher runs and none was asked for a file
    RefuseNotFound,     // "ﾌｧｲﾙが見つかりません。"
    RefuseNotDataFile,  // "Vornishのﾃﾞｰﾀﾌｧｲﾙではありません。"
  };
  Action action = Action::Run;
  std::wstring dataFilePath;
  // RefuseNotFound: why a file that is there could not be read (empty when
  // it is not there).
  std::wstring reason;
};

// Without an argument only one launcher runs and the data file is VRN.dat in
// the program's folder. With one, any number may run, and the named file must
// open and begin with the header line.
StartDecision DecideStart(std::wstring_view arguments, bool anotherInstanceRunning,
                          std::wstring_view programFolder, const FileSystem& fs);

// Which help the help commands open: VRN.hlp beside the program in WinHelp
// as ever, else VRN.chm beside it in HTML Help; `file` is the full path (the
// .chm looked for when neither is there).
struct HelpChoice {
  enum class Viewer { WinHelp, HtmlHelp, Missing };
  Viewer viewer = Viewer::Missing;
  std::wstring file;
  bool operator==(const HelpChoice&) const = default;
};
HelpChoice ChooseHelp(std::wstring_view programFolder, const FileSystem& fs);

}  // namespace vornish
