#include "core/StartUp.h"

#include "core/DataFile.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace vornish {

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
}  // namespace

std::wstring_view CommandLineArguments(std::wstring_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    const auto close = commandLine.find(L'"', 1);
    i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

std::wstring DataFileArgument(std::wstring_view arguments) {
  std::wstring_view path = TrimSpaces(arguments);
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
    path = path.substr(1, path.size() - 2);
  }
  return std::wstring(path);
}

StartDecision DecideStart(std::wstring_view arguments, bool anotherInstanceRunning,
                          std::wstring_view programFolder, const FileSystem& fs) {
  StartDecision d;
  if (TrimSpaces(arguments).empty()) {
    if (anotherInstanceRunning) {
      d.action = StartDecision::Action::EndSilently;
    } else {
      d.dataFilePath = DefaultDataFilePath(programFolder);
    }
    return d;
  }
  d.dataFilePath = DataFileArgument(arguments);
  std::string bytes;
  const FileResult read = d.dataFilePath.empty() ? FileResult{FileResult::Status::NotFound, 0, L""}
                                                  : fs.ReadAll(d.dataFilePath, bytes);
  if (!read.ok()) {
    d.action = StartDecision::Action::RefuseNotFound;
    if (read.status == FileResult::Status::Failed) d.reason = read.reason;
  } else if (!IsDataFileHeader(FirstLine(bytes))) {
    d.action = StartDecision::Action::RefuseNotDataFile;
  }
  return d;
}

HelpChoice ChooseHelp(std::wstring_view programFolder, const FileSystem& fs) {
  std::wstring winHelp = JoinPath(programFolder, kHelpFileName);
  if (fs.FileExists(winHelp)) return {HelpChoice::Viewer::WinHelp, std::move(winHelp)};
  std::wstring htmlHelp = JoinPath(programFolder, kHtmlHelpFileName);
  const bool there = fs.FileExists(htmlHelp);
  return {there ? HelpChoice::Viewer::HtmlHelp : HelpChoice::Viewer::Missing, std::move(htmlHelp)};
}

}  // namespace vornish
