// Shared set-up of the launcher's end-to-end tests: a fresh folder with its own
// copy of vornish.exe, settings cleared around each test (the tips off), and the
// window placed clear of the screen's top-left corner, where Wine shows its
// tray window.
#pragma once

#include <gtest/gtest.h>

#include "harness/Harness.h"

namespace vornish::e2e {

inline const std::string kHeader = "[Vornish Ver.1.0]\r\n";
// The line of a button that holds nothing (button-face colour).
inline const std::string kEmptyLine = "\x1B\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "-2147483633\x1B" "0\x1B" "0\x1B\r\n";

// A data-file line of the given fields, each followed by ESC.
std::string Line(std::initializer_list<std::string_view> fields);
// An ordinary button titled `title` that starts C:\<title>.exe.
std::string Named(std::string_view title, int count = 0);
// The section "Set" after a launcher of a test ended: the twelve settings the
// launcher writes at exit at their defaults, and StartTips as the fixture
// sets it.
std::map<std::wstring, std::wstring> DefaultSetSection();

inline const std::optional<DWORD> kCleanExit{0};
inline bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// Where the launcher's icon shows in Wine's tray window, with the pointer
// already resting on it (Wine's tray takes a press only for an icon it has
// seen the pointer on); nothing when there is no tray window.
std::optional<POINT> TrayIcon();
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
// The screen, once the window has painted, as screenshots/`name` beside the
// test program.
void Screenshot(const wchar_t* name);

// Wine takes the DPI for the programs it starts from this value.
class DpiScope {
 public:
  explicit DpiScope(DWORD dpi) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~DpiScope() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels"); }
  DpiScope(const DpiScope&) = delete;
  DpiScope& operator=(const DpiScope&) = delete;
};

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
