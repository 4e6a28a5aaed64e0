#include "harness/Process.h"

#include <string>

#include "harness/Errors.h"

namespace vornish::e2e {

namespace {

UniqueHandle KillOnCloseJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    job.Reset();
  }
  return job;
}

}  // namespace

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    job_ = std::move(other.job_);
    process_ = std::move(other.process_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() { Kill(); }

Process Process::Start(const std::filesystem::path& program, std::wstring_view arguments,
                       const std::filesystem::path& workingFolder) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
  const std::wstring folder = (workingFolder.empty() ? program.parent_path() : workingFolder).wstring();

  Process started;
  started.job_ = KillOnCloseJob();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so nothing it starts can escape.
  // Wine now and then fails a start under load with ERROR_INTERNAL_ERROR;
  // a second attempt succeeds.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, nullptr, folder.c_str(), &startup, &info)) {
      break;
    }
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) ThrowLastError("starting " + Narrow(commandLine));
    Sleep(100);
  }
  started.process_.Reset(info.hProcess);
  started.id_ = info.dwProcessId;
  UniqueHandle thread(info.hThread);
  // Best effort: without the job the destructor still ends the program.
  if (started.job_ && !AssignProcessToJobObject(started.job_.Get(), info.hProcess)) started.job_.Reset();
  ResumeThread(thread.Get());
  return started;
}

bool Process::IsRunning() const {
  return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!process_) return std::nullopt;
  if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.Get(), &code)) ThrowLastError("GetExitCodeProcess");
  return code;
}

bool Process::WaitForInputIdle(std::chrono::milliseconds timeout) const {
  return process_ && ::WaitForInputIdle(process_.Get(), static_cast<DWORD>(timeout.count())) == 0;
}

void Process::Kill() {
  if (IsRunning()) {
    TerminateProcess(process_.Get(), kKilledExitCode);
    WaitForSingleObject(process_.Get(), 5000);
  }
  // Closing the job ends what the program started itself.
  job_.Reset();
}

std::filesystem::path ProgramFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) ThrowLastError("GetModuleFileNameW");
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer).parent_path();
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace vornish::e2e
