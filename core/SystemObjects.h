// System objects: the desktop folder, the control panel and its applets, which
// buttons can open. The data file stores only their number; the program and
// its parameters are worked out for the Windows installation at hand.
#pragma once

#include <cstdint>
#include <string>

#include "core/ButtonRecord.h"
#include "core/SystemInfo.h"

namespace vornish {

inline constexpr std::int32_t kFirstSystemObject = 1;
inline constexpr std::int32_t kLastSystemObject = 13;

struct SystemObjectEntry {
  std::wstring Title;
  std::wstring File;   // the program that opens the object
  std::wstring Param;  // its parameters
  std::wstring Path;
  std::wstring Icon;
  std::int32_t IconNo = 0;
};

// The table row for `number`, with this machine's folders. Numbers above 13
// give the control-panel program with the system folder as parameter and no
// title, folder or icon.
SystemObjectEntry DescribeSystemObject(std::int32_t number, const SystemInfo& system);

// `SystemObject` for an existing entry: recomputes File and Param of `record`
// (whose Sys is `number`) for this machine and leaves every other field alone.
void RecomputeSystemObject(ButtonRecord& record, std::int32_t number, const SystemInfo& system);

// The record of a new system-object button: the table's fields, a normal
// window, locked, coloured `systemColor`, not launched yet.
ButtonRecord NewSystemObjectButton(std::int32_t number, const SystemInfo& system, OleColor systemColor);

}  // namespace vornish
