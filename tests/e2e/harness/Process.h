// A started Windows program, owned by the test: it cannot outlive the Process
// object, nor the test program if that is killed (a job object with
// kill-on-close holds it and whatever it starts itself).
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

#include "harness/Handles.h"

namespace vornish::e2e {

// Exit code given to programs that the harness had to terminate.
inline constexpr DWORD kKilledExitCode = 0xE2E;

class Process {
 public:
  Process() = default;
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  ~Process();

  // Runs `program` with `arguments` appended to its quoted path as the command
  // line, in `workingFolder` (the program's folder when empty). Throws when
  // Windows refuses to start it.
  static Process Start(const std::filesystem::path& program, std::wstring_view arguments = {},
                       const std::filesystem::path& workingFolder = {});

  DWORD Id() const noexcept { return id_; }
  HANDLE Handle() const noexcept { return process_.Get(); }
  bool IsRunning() const;
  // The exit code, or nothing when the program is still running at the end of
  // `timeout`.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;
  // WaitForInputIdle: the program has created its first windows and waits for
  // input. False on timeout (or for a console program).
  bool WaitForInputIdle(std::chrono::milliseconds timeout) const;
  // Terminates the program if it still runs and waits until it is gone.
  void Kill();

 private:
  UniqueHandle job_;
  UniqueHandle process_;
  DWORD id_ = 0;
};

// The folder of the running test program; the harness's helper programs and
// vornish.exe are built into the same folder.
std::filesystem::path ProgramFolder();

}  // namespace vornish::e2e
