// Shared set-up of the launcher's end-to-end tests: a fresh folder with its own
// copy of vornish.exe, settings cleared around each test (the tips off), and the
// window placed clear of the screen's top-left corner, where Wine shows its
// tray window.
#pragma once

#include <gtest/gtest.h>

#include "core/Settings.h"
#include "harness/Harness.h"

namespace vornish::e2e {

inline const std::string kHeader = "[Vornish Ver.1.0]\r\n";

// A button's line of the data file, with an ordinary button's fields unless
// set: `Line({.title = "rec", .file = ..., .count = 3})`.
struct Entry {
  std::string title{}, file{}, path{}, param{};
  int state = 1;
  std::string icon{};
  int iconNo = 0;
  bool lock = false;
  std::int64_t colour = -2147483633;  // the button face
  std::int64_t count = 0;
  int sys = 0;
};
std::string Line(const Entry& entry);
// The line of a button that holds nothing.
inline const std::string kEmptyLine = Line({});
// An ordinary button titled `title` that starts C:\<title>.exe.
std::string Named(std::string_view title, std::int64_t count = 0);
// The section "Set" a launcher of a test leaves at its exit with `settings`
// (StartTips as the fixture sets it), as the launcher's own table writes it.
std::map<std::wstring, std::wstring> SavedSettings(const Settings& settings = Settings());

inline const std::optional<DWORD> kCleanExit{0};
inline bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// Where the launcher's icon shows in Wine's tray window, with the pointer
// resting on it (Wine's tray takes a press only for an icon it has seen the
// pointer on: its tip shows then), and that tip; nothing when there is none.
std::optional<POINT> TrayIcon(const Launcher& launcher, std::wstring* tip = nullptr);
// The tray menu, opened by a right click on the icon.
HWND OpenTrayMenu(const Launcher& launcher);

// How the recorder program was started, one record per start.
struct LaunchRecord {
  std::wstring commandLine;
  std::wstring folder;
  int show = -1;
  bool operator==(const LaunchRecord&) const = default;
};

// The first window inside `parent`, at any depth, that `match` accepts.
HWND Descendant(HWND parent, const std::function<bool(HWND)>& match);

// The launcher's dialogs: a control of the dialog or of one of its pages,
// a click as the control reports it (posted: it may open a modal window),
// its check and its text.
HWND Control(HWND dialog, int id);
void ClickControl(HWND dialog, int id);
bool Checked(HWND dialog, int id);
std::wstring Text(HWND dialog, int id);
// The dialog titled `title` once it shows; null when it does not.
HWND ShownDialog(const Launcher& launcher, std::wstring_view title);

// Wine takes the DPI for the programs it starts from this value.
inline RegistryValue Dpi(DWORD dpi) { return {HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", dpi}; }

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { ClearSettings(); }
  Path DataFile() const { return dir / L"VRN.dat"; }
  // A copy of the recorder program in `folder` under the test folder.
  Path InstallRecorder(const std::wstring& folder);
  // Its records once there are `count` (or the time is up).
  std::vector<LaunchRecord> Records(const Path& recorder, std::size_t count);

  TempDir dir{CurrentTestName()};
};

}  // namespace vornish::e2e
