#include "WineBench.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <functional>

#include "core/Colour.h"
#include "core/DataFile.h"
#include "core/win32/WinText.h"

namespace vornish::bench {

namespace {

// A file of Linux's /proc (sizes there read as 0: read until the end).
std::string ReadProc(const std::wstring& name) {
  const HANDLE file = ::CreateFileW((L"Z:\\proc\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  ::CloseHandle(file);
  return text;
}

std::wstring ProcPath(int pid, const wchar_t* file) { return std::to_wstring(pid) + L"\\" + file; }

// Calls `visit` with every Linux process id.
void ForEachProcess(const std::function<void(int)>& visit) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] >= L'1' && found.cFileName[0] <= L'9') visit(_wtoi(found.cFileName));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The fields of /proc/<pid>/stat after the command's closing parenthesis:
// the state first (field 3), user and system time at fields 14 and 15.
std::string StatFields(int pid) {
  const std::string stat = ReadProc(ProcPath(pid, L"stat"));
  const std::size_t at = stat.rfind(") ");
  return at == std::string::npos ? std::string() : stat.substr(at + 2);
}

bool Live(int pid) {
  const std::string fields = StatFields(pid);
  return !fields.empty() && fields[0] != 'Z' && fields[0] != 'X';
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// The value of "Name:   123 kB" in a /proc status-like file, in its own unit.
double Field(const std::string& text, const char* name) {
  const std::string key = std::string("\n") + name + ":";
  const std::size_t at = ("\n" + text).find(key);
  return at == std::string::npos ? 0.0 : std::atof(text.c_str() + at + key.size() - 1);
}

// "WINEPREFIX=..." from the environment of /proc/<process>.
std::string WinePrefixLine(const std::wstring& process) {
  const std::string environment = ReadProc(process + L"\\environ");
  for (std::size_t at = 0; at < environment.size();) {
    const std::size_t end = std::min(environment.find('\0', at), environment.size());
    if (environment.compare(at, 11, "WINEPREFIX=") == 0) return environment.substr(at, end - at);
    at = end + 1;
  }
  return {};
}

}  // namespace

Path FloorProgram() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return Path(self).parent_path() / L"vornish_bench_floor.exe";
}

int LinuxPidOf(const Path& program) {
  // Wine shows a program's Windows path as the first word of its Linux
  // command line.
  const std::wstring wanted = Lower(program.wstring());
  int match = 0;
  ForEachProcess([&](int pid) {
    const std::string line = ReadProc(ProcPath(pid, L"cmdline"));
    const std::string first = line.substr(0, line.find('\0'));
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, first.data(), static_cast<int>(first.size()), nullptr, 0);
    std::wstring name(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, first.data(), static_cast<int>(first.size()), name.data(), size);
    if (Lower(name) == wanted && Live(pid)) match = pid;
  });
  return match;
}

std::vector<int> WineServersOfThisPrefix() {
  // The servers of other sessions on this machine have other prefixes.
  const std::string ours = WinePrefixLine(L"self");
  std::vector<int> servers;
  ForEachProcess([&](int pid) {
    std::string name = ReadProc(ProcPath(pid, L"comm"));
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    // Debian installs the 64-bit server as wineserver64.
    if ((name == "wineserver" || name == "wineserver64") && Live(pid) && WinePrefixLine(std::to_wstring(pid)) == ours) {
      servers.push_back(pid);
    }
  });
  return servers;
}

std::optional<double> CpuMs(int pid) {
  const std::string fields = StatFields(pid);
  unsigned long long utime = 0, stime = 0;
  if (fields.empty() ||
      std::sscanf(fields.c_str(), "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2) {
    return std::nullopt;
  }
  return static_cast<double>(utime + stime) * 10.0;
}

double CpuMs(const std::vector<int>& pids) {
  double sum = 0;
  for (const int pid : pids) sum += CpuMs(pid).value_or(0.0);
  return sum;
}

std::optional<Memory> MemoryOf(int pid) {
  const std::string rollup = ReadProc(ProcPath(pid, L"smaps_rollup"));
  const std::string status = ReadProc(ProcPath(pid, L"status"));
  if (rollup.empty() || status.empty()) return std::nullopt;
  return Memory{Field(rollup, "Pss") / 1024.0, Field(rollup, "Pss_Anon") / 1024.0,
                static_cast<int>(Field(status, "Threads"))};
}

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  const auto at = [&](double fraction) {
    const double place = fraction * static_cast<double>(values.size() - 1);
    const std::size_t below = static_cast<std::size_t>(place);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (place - static_cast<double>(below));
  };
  return Spread{values.front(), at(0.25), at(0.5), at(0.75), values.back()};
}

std::wstring Describe(const Spread& s, int decimals) {
  wchar_t text[160];
  std::swprintf(text, std::size(text), L"min %.*f  q1 %.*f  median %.*f  q3 %.*f  max %.*f", decimals, s.min, decimals,
                s.q1, decimals, s.median, decimals, s.q3, decimals, s.max);
  return text;
}

std::vector<std::wstring> ProgramsWithIcons(std::size_t count) {
  std::vector<std::wstring> programs;
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folder = std::wstring(system) + L"\\";
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"*.exe").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more && programs.size() < count;
       more = ::FindNextFileW(search, &found)) {
    const std::wstring path = folder + found.cFileName;
    if (reinterpret_cast<INT_PTR>(::ExtractIconW(nullptr, path.c_str(), static_cast<UINT>(-1))) > 0) {
      programs.push_back(path);
    }
  }
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
  // Fewer programs with icons than wanted: they repeat.
  for (std::size_t i = 0; !programs.empty() && programs.size() < count; ++i) programs.push_back(programs[i]);
  return programs;
}

std::string DataFileOf(const ButtonList& buttons) { return FormatDataFile(buttons, win32::AnsiCodec()); }

ButtonRecord ButtonStarting(std::wstring title, std::wstring file) {
  ButtonRecord button = EmptyButton(kColourButtonFace);
  button.Title = std::move(title);
  button.File = std::move(file);
  return button;
}

std::string DataFileOfPrograms(int count) {
  ButtonList buttons;
  for (const std::wstring& program : ProgramsWithIcons(static_cast<std::size_t>(count))) {
    buttons.push_back(ButtonStarting(std::to_wstring(buttons.size()), program));
  }
  return DataFileOf(buttons);
}

}  // namespace vornish::bench
