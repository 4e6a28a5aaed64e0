#include "launcher/Fixture.h"

namespace vornish::e2e {

namespace {

std::string Encode(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace

std::string Cp932(std::wstring_view text) { return Encode(932, text); }
std::string Utf8(std::wstring_view text) { return Encode(CP_UTF8, text); }

std::string Line(std::initializer_list<std::string_view> fields) {
  std::string line;
  for (std::string_view field : fields) {
    line.append(field);
    line.push_back('\x1B');
  }
  return line + "\r\n";
}

std::map<std::wstring, std::wstring> DefaultSetSection() {
  return {{L"Size", L"32"},           {L"Orient", L"0"},           {L"DefColor", L"-2147483633"},
          {L"LockColor", L"-2147483632"}, {L"SystemColor", L"-2147483647"}, {L"ColorChange", L"True"},
          {L"ControlDblClick", L"0"}, {L"ControlColor", L"16711680"}, {L"WindowTop", L"False"},
          {L"CountEnable", L"True"},  {L"Position", L"0"},         {L"TaskBar", L"4"}};
}

void LauncherTest::SetUp() {
  ASSERT_TRUE(LauncherBuilt()) << "vornish.exe is not beside the test program";
  ClearSettings();
}

void LauncherTest::TearDown() { ClearSettings(); }

HWND LauncherTest::StartAndWait(LauncherProcess& launcher, std::wstring_view arguments) {
  launcher.Start(arguments);
  const HWND main = launcher.WaitForMainWindow();
  EXPECT_NE(main, nullptr) << "no main window";
  return main;
}

void LauncherTest::CloseAndWait(LauncherProcess& launcher) {
  ASSERT_TRUE(launcher.Close());
  EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
}

std::vector<LaunchRecord> ReadLaunchRecords(const std::filesystem::path& log) {
  std::vector<LaunchRecord> records;
  if (!Exists(log)) return records;
  const std::string bytes = ReadBytes(log);
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(L'\n', start);
    const std::wstring line = text.substr(start, end - start);
    start = end == std::wstring::npos ? text.size() : end + 1;
    const std::size_t cwd = line.find(L"\tcwd=");
    const std::size_t show = line.find(L"\tshow=");
    if (cwd == std::wstring::npos || show == std::wstring::npos) continue;
    records.push_back({line.substr(4, cwd - 4), line.substr(cwd + 5, show - cwd - 5), std::stoi(line.substr(show + 6))});
  }
  return records;
}

std::string Field(const std::filesystem::path& path) { return Utf8(path.wstring()); }

std::filesystem::path LauncherTest::InstallRecorder(const std::wstring& folder) {
  CreateFolders(dir / folder);
  const std::filesystem::path copy = dir / folder / L"recorder.exe";
  EXPECT_TRUE(CopyFileW(LongPath(ProgramFolder() / L"recorder.exe").c_str(), LongPath(copy).c_str(), FALSE));
  return copy;
}

std::vector<LaunchRecord> LauncherTest::WaitForRecords(const std::filesystem::path& recorder, std::size_t count) {
  const std::filesystem::path log = recorder.parent_path() / L"recorder.log";
  WaitUntil([&] { return ReadLaunchRecords(log).size() >= count; });
  return ReadLaunchRecords(log);
}

void PlacedLauncherTest::SetUp() {
  LauncherTest::SetUp();
  SetSetting(L"Window", L"MainLeft", kLeftTwips);
  SetSetting(L"Window", L"MainTop", kTopTwips);
}

std::map<HWND, std::wstring> WaitForTips(HWND main, std::size_t count) {
  std::map<HWND, std::wstring> tips;
  WaitUntil([&] {
    tips.clear();
    for (const ToolTipText& tool : ReadTooltipTexts(main)) tips[reinterpret_cast<HWND>(tool.id)] = tool.text;
    return tips.size() >= count;
  });
  return tips;
}

HWND OpenMenu(LauncherProcess& launcher, std::chrono::milliseconds timeout) {
  return WaitFor(
      [&] {
        const auto menus = launcher.FindWindowsOfClass(L"#32768");
        return menus.empty() ? HWND{} : menus.front();
      },
      timeout);
}

}  // namespace vornish::e2e
