#include "harness/Launcher.h"

#include "harness/Errors.h"
#include "harness/Files.h"

namespace vornish::e2e {

std::filesystem::path BuiltLauncher() { return ProgramFolder() / L"vornish.exe"; }

bool LauncherBuilt() { return Exists(BuiltLauncher()); }

LauncherProcess::LauncherProcess(const std::filesystem::path& folder, LauncherOptions options)
    : folder_(folder), program_(folder / options.program.filename()),
      mainWindowClass_(std::move(options.mainWindowClass)) {
  CreateFolders(folder_);
  if (!Exists(program_) &&
      !CopyFileW(LongPath(options.program).c_str(), LongPath(program_).c_str(), TRUE)) {
    ThrowLastError("copying " + Narrow(options.program.wstring()));
  }
}

void LauncherProcess::Start(std::wstring_view arguments, const std::filesystem::path& workingFolder) {
  mainWindow_ = nullptr;
  process_ = Process::Start(program_, arguments, workingFolder.empty() ? folder_ : workingFolder);
  process_.WaitForInputIdle(10s);
}

HWND LauncherProcess::WaitForMainWindow(std::chrono::milliseconds timeout) {
  mainWindow_ = WaitFor(
      [&]() -> HWND {
        const auto windows = FindWindowsOfClass(mainWindowClass_);
        return windows.empty() ? nullptr : windows.front();
      },
      timeout);
  return mainWindow_;
}

HWND LauncherProcess::MainWindow() {
  if (mainWindow_ == nullptr || !IsWindow(mainWindow_)) return WaitForMainWindow(0ms);
  return mainWindow_;
}

bool LauncherProcess::Close() {
  HWND window = MainWindow();
  return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0);
}

std::vector<HWND> LauncherProcess::FindWindowsOfClass(std::wstring_view className, Visibility visibility) const {
  return e2e::FindWindowsOfClass(Pid(), className, visibility);
}

std::vector<HWND> LauncherProcess::FindChildren(std::wstring_view className, Visibility visibility) {
  HWND window = MainWindow();
  return window == nullptr ? std::vector<HWND>{} : e2e::FindChildren(window, className, visibility);
}

}  // namespace vornish::e2e
