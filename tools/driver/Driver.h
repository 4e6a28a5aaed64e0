// Starting and driving programs of the session's Wine prefix from outside:
// processes that cannot outlive their object, the launcher in a folder of its
// own, its windows, the pointer, files of any path length and the
// launcher's settings. The benchmarks and the end-to-end tests use it.
// Calls that cannot do their job throw.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Utf8.h"
#include "core/win32/Handles.h"

namespace vornish::e2e {

using namespace std::chrono_literals;
using win32::UniqueKernelHandle;
using Path = std::filesystem::path;

// Polls `done` until it holds or the time is up (it is asked once more then).
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s);
template <class Produce>
auto WaitFor(Produce produce, std::chrono::milliseconds timeout = 5s) -> decltype(produce()) {
  decltype(produce()) value{};
  WaitUntil([&] { return static_cast<bool>(value = produce()); }, timeout);
  return value;
}

[[noreturn]] void Fail(std::string_view what);  // with the last Windows error
inline std::string Utf8(std::wstring_view text) { return ToUtf8(text); }

// Files of any path length. A TempDir is a fresh folder under %TEMP%, removed
// with everything in it when the object goes.
class TempDir {
 public:
  explicit TempDir(std::wstring_view hint);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const Path& path() const { return path_; }
  Path operator/(const Path& child) const { return path_ / child; }

 private:
  Path path_;
};
void WriteBytes(const Path& path, std::string_view bytes);
bool Exists(const Path& path);
void CreateFolders(const Path& path);
void RemoveTree(const Path& path);

// The launcher's settings: HKCU\Software\VB and VBA Program Settings\Vornish.
inline constexpr std::wstring_view kSettingsKey = L"Software\\VB and VBA Program Settings\\Vornish";
void ClearSettings();
void SetSetting(std::wstring_view section, std::wstring_view key, std::wstring_view value);

// A started program that cannot outlive its object, nor the program that
// started it (a kill-on-close job holds it and whatever it starts).
class Process {
 public:
  Process() = default;
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  ~Process() { Kill(); }
  static Process Start(const Path& program, std::wstring_view arguments = {}, const Path& folder = {});
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }
  bool Running() const;
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 5s) const;
  void Kill();

 private:
  UniqueKernelHandle job_;
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};
// The folder of the running program, where the build puts every program.
Path BinFolder();

// Windows of other processes: those of `className` under `parent` (the
// desktop when null) in z order, the first visible top-level one of a
// process, and direct children in reading order.
std::vector<HWND> Find(HWND parent, const wchar_t* className);
DWORD ProcessOf(HWND window);
HWND TopWindow(DWORD processId, const wchar_t* className);
std::vector<HWND> Children(HWND parent, const wchar_t* className);
RECT RectOf(HWND window);  // screen coordinates
bool Activate(HWND window);

// The pointer moved by real input (SendInput) to a screen point; `flags`
// add button events there.
void SendMouse(POINT at, DWORD flags = 0);
inline void MoveTo(POINT at) { SendMouse(at); }

inline constexpr const wchar_t* kMainClass = L"Vornish.frmMain";
inline constexpr const wchar_t* kButtonClass = L"Vornish.IconButton";
inline constexpr const wchar_t* kBarClass = L"Vornish.picControl";
// vornish.exe copied into a folder (unless it is there) and run from there.
class Launcher {
 public:
  explicit Launcher(const Path& folder);
  // Starts it and waits for its main window (null when none shows).
  HWND Start(std::wstring_view arguments = {});
  void StartOnly(std::wstring_view arguments = {});
  HWND WaitForMain();
  HWND Main() const { return main_; }
  DWORD Id() const { return process_.Id(); }
  std::vector<HWND> Buttons() const { return Children(main_, kButtonClass); }
  HWND Bar() const { return ::FindWindowExW(main_, nullptr, kBarClass, nullptr); }
  // Its open pop-up menu, or null when none opens in time.
  HWND Menu(std::chrono::milliseconds timeout = 5s) const {
    return WaitFor([&] { return TopWindow(process_.Id(), L"#32768"); }, timeout);
  }
  // Asks it to end as the system does (WM_CLOSE); fails unless it ends cleanly.
  void Close();
  std::optional<DWORD> WaitForExit() const { return process_.WaitForExit(10s); }
  void Kill() { process_.Kill(); }

 private:
  Path program_;
  Process process_;
  HWND main_ = nullptr;
};

}  // namespace vornish::e2e
