// What the benchmarks that run programs under Wine share: the feature floor
// they measure the launcher against, what Linux knows about a running
// program, order statistics and data files of buttons with real icons.
//
// Under Wine a Windows program is a Linux process, and Wine does not report
// another process's CPU time or memory: Linux's /proc, read through the Z:
// drive, does.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ButtonRecord.h"

namespace vornish::bench {

using Path = std::filesystem::path;

// The feature floor (bench/Floor.cpp) and the class of its one window.
Path FloorProgram();
inline constexpr const wchar_t* kFloorClass = L"Vornish.BenchFloor";

// The live Linux process running `program`, which must have a path of its own
// (no other program started from the same file), or 0 when none runs.
int LinuxPidOf(const Path& program);
// The Wine servers of this prefix, and of no other session on the machine.
std::vector<int> WineServersOfThisPrefix();

// User and system time in milliseconds (Linux counts 10 ms ticks); none once
// the process has ended.
std::optional<double> CpuMs(int pid);
double CpuMs(const std::vector<int>& pids);

struct Memory {
  double pssMiB = 0;   // proportional set size: private pages plus a share of shared ones
  double anonMiB = 0;  // its anonymous part (heaps, stacks)
  int threads = 0;
};
std::optional<Memory> MemoryOf(int pid);

// Order statistics; quartiles interpolated between neighbours.
struct Spread {
  double min = 0, q1 = 0, median = 0, q3 = 0, max = 0;
};
Spread SpreadOf(std::vector<double> values);
// "min 1.0  q1 1.2  median 1.3  q3 1.4  max 2.0" with `decimals` places.
std::wstring Describe(const Spread& spread, int decimals);

// A data file of `buttons` as the launcher writes it (in the system's code
// page), and a button as a new one is, starting `file`.
std::string DataFileOf(const ButtonList& buttons);
ButtonRecord ButtonStarting(std::wstring title, std::wstring file);

// `count` of the system folder's programs with icons, in the order the
// folder lists them (repeated when there are fewer), and a data file of
// buttons that start them.
std::vector<std::wstring> ProgramsWithIcons(std::size_t count);
std::string DataFileOfPrograms(int count);

}  // namespace vornish::bench
