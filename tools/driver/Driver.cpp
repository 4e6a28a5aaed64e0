#include "driver/Driver.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "core/win32/RegistryStore.h"
#include "core/win32/WinFileSystem.h"

namespace vornish::e2e {

namespace {
std::wstring Long(const Path& path) { return win32::ExtendedPath(path.wstring()); }
}  // namespace

// Windows of `className` under `parent` (the desktop when null), in z order.
std::vector<HWND> Find(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = ::FindWindowExW(parent, w, className, nullptr));) found.push_back(w);
  return found;
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

void SendMouse(POINT at, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  input.mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &input, sizeof input);
  ::Sleep(20);  // lets the target take each event in order
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    ::Sleep(15);
  }
  return true;
}

void Fail(std::string_view what) {
  throw std::runtime_error(std::string(what) + " failed (Windows error " + std::to_string(::GetLastError()) + ")");
}

TempDir::TempDir(std::wstring_view hint) {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = Path(temp) / (L"vornish-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(counter++) + L"-" + std::wstring(hint));
  RemoveTree(path_);
  CreateFolders(path_);
}

TempDir::~TempDir() {
  try {
    RemoveTree(path_);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "left behind: %s: %s\n", Utf8(path_.wstring()).c_str(), error.what());
  }
}

void WriteBytes(const Path& path, std::string_view bytes) {
  if (!win32::WinFileSystem().ReplaceContents(path.wstring(), bytes).ok()) Fail("writing " + Utf8(path.wstring()));
}

bool Exists(const Path& path) { return win32::WinFileSystem().PathExists(path.wstring()); }

void CreateFolders(const Path& path) { std::filesystem::create_directories(Long(path)); }

void RemoveTree(const Path& path) {
  const std::wstring full = Long(path);
  const DWORD attributes = ::GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    WIN32_FIND_DATAW found{};
    std::vector<Path> children;
    const HANDLE find = ::FindFirstFileW((full + L"\\*").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &found)) {
      const std::wstring_view name = found.cFileName;
      if (name != L"." && name != L"..") children.push_back(path / found.cFileName);
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    for (const Path& child : children) RemoveTree(child);
  }
  const BOOL removed =
      (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(full.c_str()) : ::DeleteFileW(full.c_str());
  if (!removed) Fail("removing " + Utf8(path.wstring()));
}

void ClearSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(kSettingsKey).c_str()); }

void SetSetting(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (!win32::RegistryStore().Write(section, key, value)) Fail("writing a setting");
}

Process& Process::operator=(Process&& other) noexcept {
  Kill();
  job_ = std::move(other.job_);
  process_ = std::move(other.process_);
  id_ = std::exchange(other.id_, 0);
  return *this;
}

Process Process::Start(const Path& program, std::wstring_view arguments, const Path& folder) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
  Process started;
  started.job_.reset(::CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(started.job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job. Wine now and then refuses a start
  // under load (ERROR_INTERNAL_ERROR); a second attempt succeeds.
  for (int attempt = 1; !::CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                          CREATE_SUSPENDED, nullptr,
                                          (folder.empty() ? program.parent_path() : folder).wstring().c_str(),
                                          &startup, &info);
       ++attempt) {
    if (::GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) Fail("starting " + Utf8(commandLine));
    ::Sleep(100);
  }
  started.process_.reset(info.hProcess);
  started.id_ = info.dwProcessId;
  const UniqueKernelHandle thread(info.hThread);
  ::AssignProcessToJobObject(started.job_.get(), info.hProcess);
  ::ResumeThread(thread.get());
  return started;
}

bool Process::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) const {
  DWORD code = 0;
  if (!process_ || ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process_.get(), &code)) {
    return std::nullopt;
  }
  return code;
}

void Process::Kill() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 0xE2E);
    ::WaitForSingleObject(process_.get(), 5000);
  }
  job_.reset();  // ends what the program started itself
}

Path BinFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return Path(self).parent_path();
}

HWND TopWindow(DWORD processId, const wchar_t* className) {
  for (HWND w : Find(nullptr, className)) {
    if (ProcessOf(w) == processId && ::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

std::vector<HWND> Children(HWND parent, const wchar_t* className) {
  std::vector<HWND> found = Find(parent, className);
  std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
    const RECT ra = RectOf(a), rb = RectOf(b);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return found;
}

RECT RectOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

bool Activate(HWND window) {
  ::SetForegroundWindow(window);
  return WaitUntil([&] { return ::GetForegroundWindow() == window; });
}

Launcher::Launcher(const Path& folder) : program_(folder / L"vornish.exe") {
  CreateFolders(folder);
  if (!Exists(program_) && !::CopyFileW((BinFolder() / L"vornish.exe").c_str(), program_.c_str(), TRUE)) {
    Fail("copying vornish.exe");
  }
}

void Launcher::StartOnly(std::wstring_view arguments) {
  main_ = nullptr;
  process_ = Process::Start(program_, arguments);
}

HWND Launcher::Start(std::wstring_view arguments) {
  StartOnly(arguments);
  return WaitForMain();
}

HWND Launcher::WaitForMain() {
  main_ = WaitFor([&] { return TopWindow(process_.Id(), kMainClass); }, 10s);
  // Input sent before the program is idle can reach a window that Wine has
  // not mapped on the X screen yet, and be lost.
  ::WaitForInputIdle(process_.Handle(), 10000);
  return main_;
}

void Launcher::Close() {
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  if (WaitForExit() != std::optional<DWORD>(0)) Fail("a clean exit of the launcher");
}

}  // namespace vornish::e2e
