#include "buttons/win32/Launching.h"

#include <shellapi.h>

#include <vector>

#include "core/win32/Handles.h"

namespace vornish::win32 {

namespace {

bool StartProcess(const LaunchPlan& plan) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(plan.show);
  // CreateProcess may write into the command line.
  std::vector<wchar_t> commandLine(plan.commandLine.begin(), plan.commandLine.end());
  commandLine.push_back(L'\0');
  // The program is named outright, so no shorter path in a command line with
  // spaces can be taken for it. A bare name is left to the system's search.
  const bool hasFolder = plan.program.find_first_of(L"\\:/") != std::wstring::npos;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(hasFolder ? plan.program.c_str() : nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
    return false;
  }
  const UniqueKernelHandle processHandle(process.hProcess);
  const UniqueKernelHandle threadHandle(process.hThread);
  return process.dwProcessId != 0;
}

bool OpenWithShell(const LaunchPlan& plan, HWND owner) {
  const HINSTANCE result = ::ShellExecuteW(owner, L"open", plan.file.c_str(), plan.parameters.c_str(),
                                           plan.folder.c_str(), plan.show);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool ShellStarter::CarryOut(const LaunchPlan& plan) {
  switch (plan.kind) {
    case LaunchPlan::Kind::Process:
      return StartProcess(plan);
    case LaunchPlan::Kind::Shell:
      return OpenWithShell(plan, owner_);
    case LaunchPlan::Kind::None:
      break;
  }
  return false;
}

}  // namespace vornish::win32
