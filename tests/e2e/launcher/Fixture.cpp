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

}  // namespace vornish::e2e
