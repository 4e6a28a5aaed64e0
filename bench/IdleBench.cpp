// CPU time of an idle launcher under Wine: floating, then fixed to the bottom
// edge (its placement runs on every tick), each for the same stretch of time
// after it has settled. Wine does not report another process's times, so they
// are read from Linux's /proc (through the Z: drive): the launcher's own
// process and the Wine server, which does part of every window call's work.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "harness/Harness.h"

namespace {

using namespace vornish::e2e;

std::string ReadProcFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[4096];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

// User and system CPU milliseconds of the Linux processes named `comm`.
double UnixCpuMs(const std::string& comm) {
  double ms = 0;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName;
    std::string name = ReadProcFile(folder + L"\\comm");
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    if (name != comm) continue;
    const std::string stat = ReadProcFile(folder + L"\\stat");
    // Fields after the command's closing parenthesis: state is field 3,
    // utime and stime are fields 14 and 15, in clock ticks of 10 ms.
    std::size_t at = stat.rfind(')');
    if (at == std::string::npos) continue;
    unsigned long long utime = 0, stime = 0;
    std::sscanf(stat.c_str() + at + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime);
    ms += static_cast<double>(utime + stime) * 10.0;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return ms;
}

void Measure(const wchar_t* name, const wchar_t* position, int seconds) {
  TempDir folder(L"idle-bench");
  ClearSettings();
  SetSetting(L"Set", L"StartTips", L"0");
  SetSetting(L"Set", L"Position", position);
  std::string file = "[Vornish Ver.1.0]\r\n";
  for (int i = 0; i < 10; ++i) file += "\x1B\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "-2147483633\x1B" "0\x1B" "0\x1B\r\n";
  WriteBytes(folder / L"VRN.dat", file);
  Launcher launcher(folder.path());
  const HWND main = launcher.Start();
  if (!main) return;
  Activate(main);
  Sleep(2000);  // settled: icons drawn, bar painted, docked in place
  const double before = UnixCpuMs("vornish.exe");
  // Debian installs the 64-bit server as wineserver64.
  const double serverBefore = UnixCpuMs("wineserver") + UnixCpuMs("wineserver64");
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const double used = UnixCpuMs("vornish.exe") - before;
  const double server = UnixCpuMs("wineserver") + UnixCpuMs("wineserver64") - serverBefore;
  std::wprintf(L"  idle %-8ls %d s: launcher %.0f ms CPU (%.3f %% of one core), Wine server %.0f ms\n", name,
               seconds, used, used / (seconds * 10.0), server);
  launcher.Close();
  ClearSettings();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 60;
  std::wprintf(L"idle launcher, active, 10 empty buttons\n");
  Measure(L"floating", L"0", seconds);
  Measure(L"docked", L"4", seconds);
  return 0;
}
