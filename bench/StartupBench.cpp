// Start-up of vornish.exe beside a minimal Win32 program (holder.exe showing
// its one plain window), under the same
// conditions in one run: the time from CreateProcess until the program's main
// window is visible and the program waits for input (its first paint done).
// Prints each program's median and the ratio. Run under Wine by tools/bench.sh.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

#include "harness/Harness.h"

namespace {

using namespace vornish::e2e;
using Clock = std::chrono::steady_clock;

struct Subject {
  const wchar_t* name;
  std::filesystem::path program;
  std::wstring windowClass;
};

double StartOnce(const Subject& subject) {
  const auto start = Clock::now();
  Process process = Process::Start(subject.program);
  WaitForInputIdle(process.Handle(), 10000);
  HWND window = nullptr;
  WaitUntil([&] { return (window = TopWindow(process.Id(), subject.windowClass.c_str())) != nullptr; }, 10s);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  process.WaitForExit(std::chrono::seconds(10));
  process.Kill();
  return window ? ms : -1.0;
}

// A data file of `count` buttons whose programs have real icons.
std::string DataFileOfPrograms(int count) {
  std::vector<std::string> programs;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(L"C:\\windows\\system32\\*.exe", &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more && programs.size() < 200; more = FindNextFileW(search, &found)) {
    const std::wstring path = std::wstring(L"C:\\windows\\system32\\") + found.cFileName;
    if (reinterpret_cast<INT_PTR>(ExtractIconW(nullptr, path.c_str(), static_cast<UINT>(-1))) > 0) programs.push_back(Utf8(path));
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  std::string file = "[Vornish Ver.1.0]\r\n";
  for (int i = 0; i < count && !programs.empty(); ++i) {
    file += std::to_string(i) + "\x1B" + programs[static_cast<std::size_t>(i) % programs.size()] +
            "\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "-2147483633\x1B" "0\x1B" "0\x1B\r\n";
  }
  return file;
}

// Start-up (to the first painted window) and exit (WM_CLOSE until the
// process has ended, the data file saved) with many buttons.
void Scale(const Path& program, const std::vector<int>& counts) {
  std::wprintf(L"start-up and exit with many buttons whose programs have real icons\n");
  for (const int count : counts) {
    TempDir folder(L"scale-bench");
    WriteBytes(folder / L"VRN.dat", DataFileOfPrograms(count));
    CopyFileW(program.c_str(), (folder / L"vornish.exe").c_str(), FALSE);
    const auto start = Clock::now();
    Process process = Process::Start(folder / L"vornish.exe");
    HWND main = nullptr;
    WaitUntil([&] { return (main = TopWindow(process.Id(), kMainClass)) != nullptr; }, 300s);
    WaitForInputIdle(process.Handle(), 300000);
    const double started = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const auto closing = Clock::now();
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    process.WaitForExit(300s);
    const double closed = std::chrono::duration<double, std::milli>(Clock::now() - closing).count();
    std::wprintf(L"  %5d buttons: start-up %8.0f ms, exit %6.0f ms%ls\n", count, started, closed,
                 main ? L"" : L" (no window)");
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring_view(argv[1]) == L"scale") {
    ClearSettings();
    SetSetting(L"Set", L"StartTips", L"0");
    // Another build of the launcher may be named, to compare the two, and
    // the numbers of buttons to try.
    std::vector<int> counts;
    for (int i = 3; i < argc; ++i) counts.push_back(_wtoi(argv[i]));
    if (counts.empty()) counts = {50, 100, 1000, 5000};
    Scale(argc > 2 ? Path(argv[2]) : BinFolder() / L"vornish.exe", counts);
    ClearSettings();
    return 0;
  }
  const int runs = argc > 1 ? _wtoi(argv[1]) : 15;
  TempDir folder(L"startup-bench");
  CopyFileW((BinFolder() / L"vornish.exe").c_str(), (folder / L"vornish.exe").c_str(), FALSE);
  ClearSettings();
  // Tips and other first-start windows stay out of the way.
  SetSetting(L"Set", L"StartTips", L"0");
  const Subject subjects[] = {
      {L"minimal", BinFolder() / L"holder.exe", L"Vornish.E2EHolder"},
      {L"vornish.exe", folder / L"vornish.exe", kMainClass},
  };

  // One warm-up each, then alternate so both see the same machine load.
  for (const Subject& s : subjects) StartOnce(s);
  std::vector<double> times[2];
  for (int i = 0; i < runs; ++i) {
    for (int k = 0; k < 2; ++k) times[k].push_back(StartOnce(subjects[k]));
  }
  ClearSettings();

  const double minimal = Median(times[0]);
  const double launcher = Median(times[1]);
  std::wprintf(L"start-up to first painted window, median of %d runs under the same conditions\n", runs);
  for (int k = 0; k < 2; ++k) {
    std::wprintf(L"  %-12ls median %7.1f ms  (min %7.1f, max %7.1f)\n", subjects[k].name, Median(times[k]),
                 *std::min_element(times[k].begin(), times[k].end()),
                 *std::max_element(times[k].begin(), times[k].end()));
  }
  std::wprintf(L"  ratio vornish/minimal: %.2f\n", minimal > 0 ? launcher / minimal : 0.0);
  return 0;
}
