// CPU time of an idle launcher under Wine against the feature floor's over the
// same stretch: the floor (bench/Floor.cpp) and the launcher (ten buttons of
// programs with icons, active) run side by side, first with the launcher
// floating, then fixed to the bottom edge (its placement runs on every tick),
// measured once both have settled. The Wine server does part of every window
// call's work and is reported too; it serves both programs and the session.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "WineBench.h"
#include "driver/Driver.h"

namespace {

using namespace vornish::e2e;
using namespace vornish::bench;

// Time from both windows' first paint until measuring starts: the launcher's
// icons, tray icon, tips and OLE are done by then, and so is the floor's OLE.
constexpr DWORD kSettleMs = 2000;

struct Mode {
  const wchar_t* name;
  const wchar_t* position;
  std::vector<double> launcherMs, floorMs, serverMs;
};

void Measure(Mode& mode, int seconds) {
  TempDir folder(L"idle-bench-" + std::to_wstring(::GetTickCount64()));
  ClearSettings();
  SetSetting(L"Set", L"StartTips", L"0");
  SetSetting(L"Set", L"Position", mode.position);
  WriteBytes(folder / L"VRN.dat", DataFileOfPrograms(10));
  const Path floorProgram = folder / L"floor.exe";
  CopyFileW(FloorProgram().c_str(), floorProgram.c_str(), FALSE);
  Process floor = Process::Start(floorProgram);
  ::WaitForInputIdle(floor.Handle(), 10000);
  Launcher launcher(folder.path());
  const HWND main = launcher.Start();
  const HWND floorWindow = WaitFor([&] { return TopWindow(floor.Id(), kFloorClass); }, 10s);
  if (!main || !floorWindow) {
    std::wprintf(L"  idle %-8ls: no window\n", mode.name);
    return;
  }
  Activate(main);
  ::Sleep(kSettleMs);
  // The processes by their own paths: a launcher that ended earlier may linger
  // as a zombie still holding its CPU time until it is reaped, and other
  // sessions on the machine run launchers of their own.
  const int launcherPid = LinuxPidOf(folder / L"vornish.exe");
  const int floorPid = LinuxPidOf(floorProgram);
  const std::vector<int> servers = WineServersOfThisPrefix();
  const auto launcherBefore = CpuMs(launcherPid);
  const auto floorBefore = CpuMs(floorPid);
  const double serverBefore = CpuMs(servers);
  ::Sleep(static_cast<DWORD>(seconds) * 1000);
  const auto launcherAfter = CpuMs(launcherPid);
  const auto floorAfter = CpuMs(floorPid);
  const double server = CpuMs(servers) - serverBefore;
  launcher.Close();
  ::PostMessageW(floorWindow, WM_CLOSE, 0, 0);
  floor.WaitForExit(10s);
  ClearSettings();
  if (!launcherPid || !floorPid || !launcherBefore || !launcherAfter || !floorBefore || !floorAfter) {
    std::wprintf(L"  idle %-8ls: the Linux processes were not found\n", mode.name);
    return;
  }
  mode.launcherMs.push_back(*launcherAfter - *launcherBefore);
  mode.floorMs.push_back(*floorAfter - *floorBefore);
  mode.serverMs.push_back(server);
  std::wprintf(L"  idle %-8ls %d s: launcher %4.0f ms CPU, floor %4.0f ms; Wine server %4.0f ms\n", mode.name, seconds,
               mode.launcherMs.back(), mode.floorMs.back(), server);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 30;
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 1;
  std::wprintf(
      L"idle launcher (10 buttons of programs with icons, active) beside the feature floor, %d s each, "
      L"%d round(s); CPU in 10 ms ticks\n",
      seconds, rounds);
  Mode modes[] = {{L"floating", L"0", {}, {}, {}}, {L"docked", L"4", {}, {}, {}}};
  for (int round = 0; round < rounds; ++round) {
    for (Mode& mode : modes) Measure(mode, seconds);
  }
  for (const Mode& mode : modes) {
    const Spread launcher = SpreadOf(mode.launcherMs);
    const Spread floor = SpreadOf(mode.floorMs);
    if (rounds > 1) {
      std::wprintf(L"  %-8ls launcher ms     %ls\n", mode.name, Describe(launcher, 0).c_str());
      std::wprintf(L"  %-8ls floor ms        %ls\n", L"", Describe(floor, 0).c_str());
      std::wprintf(L"  %-8ls Wine server ms  %ls\n", L"", Describe(SpreadOf(mode.serverMs), 0).c_str());
    }
    std::wprintf(
        L"= idle CPU over %d s, %ls: launcher %.0f ms against the floor's %.0f ms (%.0f against %.0f "
        L"ticks)\n",
        seconds, mode.name, launcher.median, floor.median, launcher.median / 10.0, floor.median / 10.0);
  }
  return 0;
}
