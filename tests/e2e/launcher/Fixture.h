// Shared set-up of the launcher's end-to-end tests: a fresh folder with its own
// copy of vornish.exe, and settings cleared before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "harness/Harness.h"

namespace vornish::e2e {

inline constexpr std::string_view kHeader = "[Vornish Ver.1.0]\r\n";

// The line of a button that holds nothing (button-face colour).
inline const std::string kEmptyButtonLine =
    "\x1B\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "-2147483633\x1B" "0\x1B" "0\x1B\r\n";

// Text in code page 932, as the data file holds it on a Japanese system.
std::string Cp932(std::wstring_view text);
std::string Utf8(std::wstring_view text);

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// One data-file line of eleven fields, each followed by ESC.
std::string Line(std::initializer_list<std::string_view> fields);

// The twelve settings the launcher writes at exit, all at their defaults.
std::map<std::wstring, std::wstring> DefaultSetSection();

// How the recorder program was started, one record per start.
struct LaunchRecord {
  std::wstring commandLine;
  std::wstring folder;
  int show = -1;
};
std::vector<LaunchRecord> ReadLaunchRecords(const std::filesystem::path& log);

// A path as a data-file field on this system (UTF-8 test text, code page 932 on disk).
std::string Field(const std::filesystem::path& path);

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path DataFile() const { return dir / "VRN.dat"; }

  // Starts the launcher in the test folder and waits for its main window.
  HWND StartAndWait(LauncherProcess& launcher, std::wstring_view arguments = {});

  // Closes it as the user does and expects it to end normally.
  void CloseAndWait(LauncherProcess& launcher);

  std::vector<HWND> Buttons(LauncherProcess& launcher) { return launcher.FindChildren(kIconButtonClass); }

  // A copy of the recorder program in `folder` under the test folder.
  std::filesystem::path InstallRecorder(const std::wstring& folder);
  // The records of that copy, once there are `count` of them (or the time is up).
  std::vector<LaunchRecord> WaitForRecords(const std::filesystem::path& recorder, std::size_t count);

  TempDir dir{CurrentTestName()};
};

// Tests that point at the launcher's window start it clear of the screen's
// top-left corner, where Wine shows its tray window: at 300, 200 pixels.
class PlacedLauncherTest : public LauncherTest {
 protected:
  static constexpr const wchar_t* kLeftTwips = L"4500";
  static constexpr const wchar_t* kTopTwips = L"3000";
  void SetUp() override;
};

// The tool tips of the launcher's window by tool window, once `count` tools
// are there (the launcher makes them right after its first paint).
std::map<HWND, std::wstring> WaitForTips(HWND main, std::size_t count);

// The launcher's open pop-up menu, or null when none opens in time.
HWND OpenMenu(LauncherProcess& launcher, std::chrono::milliseconds timeout = kDefaultTimeout);

}  // namespace vornish::e2e
