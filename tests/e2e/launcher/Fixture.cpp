#include "launcher/Fixture.h"

#include <shellapi.h>

#include <iostream>

#include "core/win32/WinFileSystem.h"

namespace vornish::e2e {

std::string Line(const Entry& e) {
  std::string line;
  for (const std::string& field : {e.title, e.file, e.path, e.param, std::to_string(e.state), e.icon,
                                   std::to_string(e.iconNo), std::string(e.lock ? "1" : "0"), std::to_string(e.colour),
                                   std::to_string(e.count), std::to_string(e.sys)}) {
    (line += field) += '\x1B';
  }
  return line + "\r\n";
}

std::string Named(std::string_view title, std::int64_t count) {
  const std::string t(title);
  return Line({.title = t, .file = "C:\\" + t + ".exe", .count = count});
}

std::map<std::wstring, std::wstring> SavedSettings(const Settings& settings) {
  struct Section : SettingsStore {
    std::map<std::wstring, std::wstring> values{{L"StartTips", L"0"}};
    std::optional<std::wstring> Read(std::wstring_view, std::wstring_view) const override { return std::nullopt; }
    bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
      if (section == kSectionSet) values[std::wstring(key)] = value;
      return true;
    }
  } saved;
  SaveSettings(saved, settings);
  return saved.values;
}

HWND Descendant(HWND parent, const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>& match;
    HWND found;
  } search{match, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) {
        auto& s = *reinterpret_cast<Search*>(data);
        if (!s.match(child)) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Control(HWND dialog, int id) {
  return Descendant(dialog, [id](HWND child) { return ::GetDlgCtrlID(child) == id; });
}

void ClickControl(HWND dialog, int id) { ::PostMessageW(Control(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return ::SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
std::wstring Text(HWND dialog, int id) { return TextOf(Control(dialog, id)); }

HWND ShownDialog(const Launcher& launcher, std::wstring_view title) {
  const auto dialog = WaitForDialog(launcher.Id(), title);
  if (!dialog || !WaitUntil([&] { return ::IsWindowVisible(dialog->window) != FALSE; })) return nullptr;
  return dialog->window;
}

std::optional<POINT> TrayIcon(const Launcher& launcher, std::wstring* tip) {
  // Known to the task bar first: Wine's tray shows a tip, and takes a press,
  // only for an icon that was there when the pointer came onto it.
  NOTIFYICONDATAW known{};
  known.cbSize = sizeof known;
  known.hWnd = launcher.Main();
  known.uID = 1;
  if (!WaitUntil([&] { return ::Shell_NotifyIconW(NIM_MODIFY, &known) != FALSE; })) return std::nullopt;
  const HWND tray = WaitFor([]() -> HWND {
    const HWND window = ::FindWindowW(nullptr, L"Wine System Tray");
    return window && ::IsWindowVisible(window) ? window : nullptr;
  });
  if (!tray) return std::nullopt;
  // The icons stand in a row from the client area's top-left corner.
  POINT icon{(::GetSystemMetrics(SM_CXSMICON) + 8) / 2, (::GetSystemMetrics(SM_CYSMICON) + 8) / 2};
  ::ClientToScreen(tray, &icon);
  // An icon a killed program left may hold that place until the pointer
  // comes onto it, when Wine's tray drops it: HoverTip comes again then.
  const std::wstring shown = HoverTip(tray, icon);
  if (tip) *tip = shown;
  if (shown.empty()) return std::nullopt;
  return icon;
}

HWND OpenTrayMenu(const Launcher& launcher) {
  // Wine's tray takes the foreground after a press, which now and then
  // closes a menu the moment it opens (a real task bar does not): try again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto icon = TrayIcon(launcher);
    if (!icon) return nullptr;
    RightClick(*icon);
    if (const HWND menu = launcher.Menu(3s)) return menu;
  }
  return nullptr;
}

void LauncherTest::SetUp() {
  ClearSettings();
  // The tips would open at every first activation; their own tests turn them on.
  SetSetting(L"Set", L"StartTips", L"0");
  SetSetting(L"Window", L"MainLeft", L"4500");  // 300, 200 pixels
  SetSetting(L"Window", L"MainTop", L"3000");
}

Path LauncherTest::InstallRecorder(const std::wstring& folder) {
  CreateFolders(dir / folder);
  const Path copy = dir / folder / L"recorder.exe";
  EXPECT_TRUE(::CopyFileW((BinFolder() / L"recorder.exe").c_str(), copy.c_str(), FALSE));
  return copy;
}

std::vector<LaunchRecord> LauncherTest::Records(const Path& recorder, std::size_t count) {
  const std::wstring log = (recorder.parent_path() / L"recorder.log").wstring();
  std::vector<LaunchRecord> records;
  WaitUntil([&] {
    records.clear();
    std::string bytes;
    // Not there, or a recorder still writing: none yet.
    if (!win32::WinFileSystem().ReadAll(log, bytes).ok()) return count == 0;
    const std::wstring text = FromUtf8(bytes);
    // One line per start: command line, folder and show state, tab-separated.
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
      end = text.find(L'\n', start);
      const std::wstring line = text.substr(start, end - start);
      const std::size_t tab1 = line.find(L'\t'), tab2 = line.rfind(L'\t');
      records.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), std::stoi(line.substr(tab2 + 1))});
    }
    return records.size() >= count;
  });
  return records;
}

namespace {

// Pictures the screen the moment a test first fails, before its fixtures
// close the windows that show what went wrong.
class FailureScreenshots : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || std::exchange(taken_, true)) return;
    const Path file = BinFolder() / L"e2e-failures" / (CurrentTestName() + L".bmp");
    try {
      SaveScreenshot(file);
      std::cout << "[ screenshot ] " << file.string() << std::endl;
    } catch (const std::exception& error) {
      std::cout << "[ screenshot ] not saved: " << error.what() << std::endl;
    }
  }
  bool taken_ = false;
};

}  // namespace

}  // namespace vornish::e2e

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new vornish::e2e::FailureScreenshots);
  return RUN_ALL_TESTS();
}
