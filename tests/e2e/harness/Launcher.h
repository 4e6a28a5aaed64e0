// Vornish as the tests see it: a copy of vornish.exe in a folder of the
// test's own (its VRN.dat lives beside it), started and watched from outside.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Process.h"
#include "harness/Wait.h"
#include "harness/WindowQuery.h"

namespace vornish::e2e {

inline constexpr std::wstring_view kMainWindowClass = L"Vornish.frmMain";
inline constexpr std::wstring_view kIconButtonClass = L"Vornish.IconButton";
inline constexpr std::wstring_view kControlBarClass = L"Vornish.picControl";

// vornish.exe beside the test program (the build puts every exe into bin/).
std::filesystem::path BuiltLauncher();
bool LauncherBuilt();

struct LauncherOptions {
  // The program to copy; the harness's own tests use a stand-in.
  std::filesystem::path program = BuiltLauncher();
  std::wstring mainWindowClass{kMainWindowClass};
};

class LauncherProcess {
 public:
  // Copies the program into `folder` (created if needed) unless a copy is
  // already there, so a second LauncherProcess on the same folder starts the
  // same file while the first one runs.
  explicit LauncherProcess(const std::filesystem::path& folder, LauncherOptions options = {});

  const std::filesystem::path& Program() const noexcept { return program_; }
  const std::filesystem::path& Folder() const noexcept { return folder_; }

  // Starts the copy with `arguments` in `workingFolder` (its own folder when
  // empty) and waits until it is idle, i.e. has built its first windows.
  void Start(std::wstring_view arguments = {}, const std::filesystem::path& workingFolder = {});

  // The visible main window of this process, or null at the end of `timeout`.
  HWND WaitForMainWindow(std::chrono::milliseconds timeout = 10s);
  // The main window found last, or found now.
  HWND MainWindow();

  // Asks the launcher to end as a user would (WM_CLOSE to its main window).
  // False when there is no main window to post to.
  bool Close();
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kDefaultTimeout) const {
    return process_.WaitForExit(timeout);
  }
  bool IsRunning() const { return process_.IsRunning(); }
  void Kill() { process_.Kill(); }

  DWORD Pid() const noexcept { return process_.Id(); }
  const Process& GetProcess() const noexcept { return process_; }

  // Top-level windows of this launcher (dialogs, menus, tooltips...).
  std::vector<HWND> FindWindowsOfClass(std::wstring_view className,
                                       Visibility visibility = Visibility::VisibleOnly) const;
  // Children of the main window, in reading order.
  std::vector<HWND> FindChildren(std::wstring_view className, Visibility visibility = Visibility::Any);

 private:
  std::filesystem::path folder_;
  std::filesystem::path program_;
  std::wstring mainWindowClass_;
  Process process_;
  HWND mainWindow_ = nullptr;
};

}  // namespace vornish::e2e
