// Start-up and memory of vornish.exe against the feature floor (bench/
// Floor.cpp), the two started alternately in one run so that both see the
// same machine: the time from CreateProcess until the program's main window
// is visible and the program waits for input (its first paint done), and its
// proportional set size once it has idled for a while. The launcher has ten
// buttons whose programs have real icons. Prints the spread of each and the
// launcher's figures as ratios to the floor's.
//
// `scale` mode times start-up and exit with many buttons instead.
// Run under Wine by tools/bench.sh.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "WineBench.h"
#include "driver/Driver.h"

namespace {

using namespace vornish::e2e;
using namespace vornish::bench;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Memory is read this long after the first paint: what a program does once
// its window shows (the launcher's tray icon, tips and OLE; the floor's OLE)
// is done by then.
constexpr DWORD kSettleMs = 2000;

struct Subject {
  const wchar_t* name;
  Path program;  // a path of its own: its Linux process is found by it
  const wchar_t* windowClass;
};

struct Sample {
  double startMs;
  Memory memory;
};

struct Figures {
  std::vector<double> startMs, pssMiB, anonMiB, threads;
  void Add(const Sample& sample) {
    startMs.push_back(sample.startMs);
    pssMiB.push_back(sample.memory.pssMiB);
    anonMiB.push_back(sample.memory.anonMiB);
    threads.push_back(sample.memory.threads);
  }
};

std::optional<Sample> RunOnce(const Subject& subject) {
  const auto start = Clock::now();
  Process process = Process::Start(subject.program);
  ::WaitForInputIdle(process.Handle(), 10000);
  HWND window = nullptr;
  WaitUntil([&] { return (window = TopWindow(process.Id(), subject.windowClass)) != nullptr; }, 10s);
  const double ms = Ms(Clock::now() - start);
  std::optional<Memory> memory;
  if (window) {
    ::Sleep(kSettleMs);
    if (const int pid = LinuxPidOf(subject.program)) memory = MemoryOf(pid);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  process.WaitForExit(10s);
  if (!window || !memory) return std::nullopt;
  return Sample{ms, *memory};
}

// The launcher against the floor: the ratio of the medians, and the spread
// of the ratios of each pair of runs.
void Compare(const wchar_t* what, const std::vector<double>& floor, const std::vector<double>& launcher,
             const wchar_t* unit, int decimals) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < floor.size() && i < launcher.size(); ++i) ratios.push_back(launcher[i] / floor[i]);
  const Spread pairs = SpreadOf(ratios);
  const double floorMedian = SpreadOf(floor).median;
  const double launcherMedian = SpreadOf(launcher).median;
  std::wprintf(L"  %ls ratio of each pair: %ls\n", what, Describe(pairs, 2).c_str());
  std::wprintf(
      L"= %ls against the floor: %.2fx (median %.*f %ls against %.*f %ls; of the pairs: median %.2fx, "
      L"q1 %.2fx, q3 %.2fx)\n",
      what, floorMedian > 0 ? launcherMedian / floorMedian : 0.0, decimals, launcherMedian, unit, decimals, floorMedian,
      unit, pairs.median, pairs.q1, pairs.q3);
}

void PrintRows(const wchar_t* what, const Subject (&subjects)[2], const std::vector<double> Figures::*values,
               const Figures (&figures)[2], int decimals) {
  for (int k = 0; k < 2; ++k) {
    std::wprintf(L"  %-14ls %-12ls %ls\n", k == 0 ? what : L"", subjects[k].name,
                 Describe(SpreadOf(figures[k].*values), decimals).c_str());
  }
}

void AgainstFloor(int runs) {
  TempDir folder(L"startup-bench-" + std::to_wstring(::GetTickCount64()));
  WriteBytes(folder / L"VRN.dat", DataFileOfPrograms(10));
  CopyFileW((BinFolder() / L"vornish.exe").c_str(), (folder / L"vornish.exe").c_str(), FALSE);
  CopyFileW(FloorProgram().c_str(), (folder / L"floor.exe").c_str(), FALSE);
  ClearSettings();
  // Tips and other first-start windows stay out of the way.
  SetSetting(L"Set", L"StartTips", L"0");
  const Subject subjects[2] = {
      {L"floor", folder / L"floor.exe", kFloorClass},
      {L"vornish.exe", folder / L"vornish.exe", kMainClass},
  };

  // One warm-up each, then alternately so that both see the same load; a
  // pair counts only when both its runs gave their figures.
  for (const Subject& subject : subjects) RunOnce(subject);
  Figures figures[2];
  int failed = 0;
  for (int i = 0; i < runs; ++i) {
    const auto floor = RunOnce(subjects[0]);
    const auto launcher = RunOnce(subjects[1]);
    if (!floor || !launcher) {
      ++failed;
      continue;
    }
    figures[0].Add(*floor);
    figures[1].Add(*launcher);
  }
  ClearSettings();

  std::wprintf(
      L"start-up to the first painted window, and memory %lu ms later: the feature floor and vornish.exe "
      L"(10 buttons of programs with icons) alternately, %d runs each after a warm-up\n",
      kSettleMs, runs);
  PrintRows(L"start-up ms", subjects, &Figures::startMs, figures, 1);
  PrintRows(L"PSS MiB", subjects, &Figures::pssMiB, figures, 2);
  PrintRows(L"anonymous MiB", subjects, &Figures::anonMiB, figures, 2);
  PrintRows(L"threads", subjects, &Figures::threads, figures, 0);
  if (failed > 0) std::wprintf(L"  pairs left out (a run without a window or memory figure): %d\n", failed);
  Compare(L"start-up", figures[0].startMs, figures[1].startMs, L"ms", 0);
  Compare(L"memory (PSS)", figures[0].pssMiB, figures[1].pssMiB, L"MiB", 1);
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
    bool told = false;
    // More buttons than the longest window holds are told in a box before the
    // window shows: it is answered at once.
    WaitUntil(
        [&] {
          if (const HWND box = TopWindow(process.Id(), L"#32770")) {
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            told = true;
          }
          return (main = TopWindow(process.Id(), kMainClass)) != nullptr;
        },
        300s);
    ::WaitForInputIdle(process.Handle(), 300000);
    const double started = Ms(Clock::now() - start);
    const auto closing = Clock::now();
    if (main) ::PostMessageW(main, WM_CLOSE, 0, 0);
    process.WaitForExit(300s);
    std::wprintf(L"  %5d buttons: start-up %8.0f ms, exit %6.0f ms%ls%ls\n", count, started,
                 Ms(Clock::now() - closing), told ? L" (a box answered)" : L"", main ? L"" : L" (no window)");
  }
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
    Scale(argc > 2 && argv[2][0] ? Path(argv[2]) : BinFolder() / L"vornish.exe", counts);
    ClearSettings();
    return 0;
  }
  AgainstFloor(argc > 1 ? _wtoi(argv[1]) : 30);
  return 0;
}
