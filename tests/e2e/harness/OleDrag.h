// A real OLE drag of files from this process, as Explorer drags them: the left
// button is held, DoDragDrop runs, and a second thread moves the pointer to
// the target and releases it there.
#pragma once

#include <string>
#include <vector>

#include "harness/Win32.h"

namespace vornish::e2e {

// Drags `files` (full paths) from `from` to `to` (screen points) and drops
// them; returns the effect the target chose (DROPEFFECT_NONE when it refused).
DWORD OleDragFiles(const std::vector<std::wstring>& files, POINT from, POINT to);

}  // namespace vornish::e2e
