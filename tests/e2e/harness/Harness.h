// What the end-to-end tests add to the driver (driver/Driver.h) to drive
// programs of their own prefix from outside, as a user's hand and eyes would:
// real input, pixels, message boxes, tool tips, menus, drops, the clipboard
// and the registry. Files, text and the launcher's settings go through the
// launcher's own code. Calls that cannot do their job throw; GoogleTest
// reports that as a failure.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "driver/Driver.h"

namespace vornish::e2e {

std::string Cp932(std::wstring_view text);  // the system's ANSI code page, as the data file holds it
std::string ReadBytes(const Path& path);
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
// A section's values as stored: the text of a string value, "<type N>" for
// a value of another kind.
std::map<std::wstring, std::wstring> ListSettings(std::wstring_view section);

std::wstring TextOf(HWND window);  // empty for no window
POINT CentreOf(HWND window);
HWND FocusOf(HWND window);  // the focus in the window's thread

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

// Right-clicks `at` and, once the launcher's menu is open, presses `keys`
// (the items' access keys); false when no menu opened.
bool Choose(const Launcher& launcher, POINT at, std::initializer_list<WORD> keys);

// The whole screen as a BMP file.
void SaveScreenshot(const Path& file);

}  // namespace vornish::e2e
