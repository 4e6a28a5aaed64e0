// What the end-to-end tests use to drive programs of their own prefix from
// outside, as a user's hand and eyes would: processes, windows, real input,
// pixels, message boxes, tool tips, drops, files and the registry. Files,
// text and the launcher's settings go through the launcher's own code.
// Calls that cannot do their job throw; GoogleTest reports that as a failure.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
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
std::string Cp932(std::wstring_view text);  // the system's ANSI code page, as the data file holds it

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
std::string ReadBytes(const Path& path);
bool Exists(const Path& path);
void CreateFolders(const Path& path);
void RemoveTree(const Path& path);
// "Suite.Name" of the running test, fit for a file name.
std::wstring CurrentTestName();

// A registry value for as long as the object lives: afterwards the value is
// gone, and so are the keys made for it.
class RegistryValue {
 public:
  RegistryValue(HKEY root, std::wstring key, const wchar_t* name, std::variant<std::wstring, DWORD> value);
  ~RegistryValue();
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;

 private:
  HKEY root_;
  std::wstring key_, name_, made_;  // made_: the uppermost key that was not there
};
// The launcher's settings: HKCU\Software\VB and VBA Program Settings\Vornish.
void ClearSettings();
void SetSetting(std::wstring_view section, std::wstring_view key, std::wstring_view value);
// A section's values as stored: the text of a string value, "<type N>" for
// a value of another kind.
std::map<std::wstring, std::wstring> ListSettings(std::wstring_view section);

// A started program that cannot outlive its object, nor the test program (a
// kill-on-close job holds it and whatever it starts).
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
// The folder of the test program, where the build puts every program.
Path BinFolder();

// Windows of other processes: the first visible top-level window of a class
// (any class when null), and direct children in reading order.
HWND TopWindow(DWORD processId, const wchar_t* className);
std::vector<HWND> Children(HWND parent, const wchar_t* className);
std::wstring TextOf(HWND window);  // empty for no window
RECT RectOf(HWND window);  // screen coordinates
POINT CentreOf(HWND window);
HWND FocusOf(HWND window);  // the focus in the window's thread
bool Activate(HWND window);

// What the screen shows of a window's client area, read in one go (exact
// colours; PrintWindow on another process's window returns black under Wine).
class Pixels {
 public:
  explicit Pixels(HWND window);
  COLORREF at(int x, int y) const;  // client coordinates
  // How many pixels inside `area` (the whole client area when empty) differ from `colour`.
  int CountOtherThan(COLORREF colour, RECT area = {}) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Real input through SendInput, at screen points.
void MoveTo(POINT at);
void LeftDown(POINT at);
void LeftUp(POINT at);
void Click(POINT at);
void DoubleClick(POINT at);
void RightClick(POINT at);
void Drag(POINT from, POINT to, int steps = 8);
void Press(WORD key, bool ctrl = false, bool shift = false);

// A dialog box (#32770) of the process: a message box's text sits in its
// static control 0xFFFF; `buttons` are the ids of its push buttons.
struct Dialog {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;
};
std::optional<Dialog> WaitForDialog(DWORD processId, std::wstring_view title = {},
                                    std::chrono::milliseconds timeout = 5s);
// Clicks a button of a dialog (posted, as the answer may open the next modal
// window) and waits until the dialog is gone.
bool Answer(HWND dialog, int buttonId);
// The text of the launcher's next message box ("Vornish"), once answered
// with `answer`: IDOK for a box of an OK button alone, IDYES or IDNO for a
// question of those two (other buttons fail the test).
std::wstring AnswerBox(DWORD processId, int answer = IDOK);

// The tip the user sees once the pointer rests on `window` (at `at`, or its
// centre); empty when none shows.
std::wstring HoverTip(HWND window, std::optional<POINT> at = std::nullopt);

// Memory placed inside another process, for messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD processId, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM At(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }
  void Write(const void* data, std::size_t size, std::size_t offset = 0);
  void Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  UniqueKernelHandle process_;
  void* address_ = nullptr;
};
// The text on the clipboard; empty when none.
std::wstring ClipboardText();
// `files` on the clipboard as Explorer's Copy puts them there (CF_HDROP).
void CopyFiles(const std::vector<std::wstring>& files);

// Files dropped on `target` the old way (WM_DROPFILES), as Explorer sends
// them; keep the buffer until the target has acted on it.
RemoteBuffer DropFiles(HWND target, const std::vector<std::wstring>& files);
// A real OLE drag of `files` from `from` onto `to`; the effect the target
// chose, DROPEFFECT_NONE when it refused.
DWORD OleDragFiles(const std::vector<std::wstring>& files, POINT from, POINT to);
// The data such a drag offers (CF_HDROP), for a drop target called directly.
std::shared_ptr<IDataObject> FileListData(const std::vector<std::wstring>& files);

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
  HWND Bar() const;
  // The launcher's open pop-up menu, or null when none opens in time.
  HWND Menu(std::chrono::milliseconds timeout = 5s) const;
  // Right-clicks `at` and, once the menu is open, presses `keys` (the items'
  // access keys); false when no menu opened.
  bool Choose(POINT at, std::initializer_list<WORD> keys) const;
  // The message box's text, answered: AnswerBox for this launcher.
  std::wstring AnswerBox(int answer = IDOK) const { return e2e::AnswerBox(Id(), answer); }
  // Asks it to end as the system does (WM_CLOSE) and expects a clean exit.
  void Close();
  std::optional<DWORD> WaitForExit() const { return process_.WaitForExit(10s); }
  void Kill() { process_.Kill(); }

 private:
  Path program_;
  Process process_;
  HWND main_ = nullptr;
};

// The whole screen as a BMP file.
void SaveScreenshot(const Path& file);

}  // namespace vornish::e2e
