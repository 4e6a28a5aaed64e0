// The report the launcher leaves when it crashes: what failed where, and the
// return addresses that led there, each as a module and an offset into it so
// that the symbols kept beside the release turn it into file and line
// (docs/crash-reports.md).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornish {

struct CrashFrame {
  std::uint64_t address = 0;
  std::wstring module;  // the module's file name; empty when none holds the address
  std::uint64_t moduleBase = 0;
};

struct CrashInfo {
  std::uint32_t code = 0;  // the exception code, 0xC0000005 for an access violation
  CrashFrame where;        // the faulting instruction
  std::vector<CrashFrame> stack;
  std::wstring version;
  std::wstring commit;
  std::wstring time;  // "2026-12-07 03:15:00"
  std::uint32_t processId = 0;
};

// The report as UTF-8 text with CR LF line ends.
std::string CrashReportText(const CrashInfo& info);

// "crash-20261207-031500-1234.txt" for time stamp "20261207-031500" and process 1234.
std::wstring CrashReportFileName(std::wstring_view timeStamp, std::uint32_t processId);

}  // namespace vornish
