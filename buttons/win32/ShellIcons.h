// Icons from files through the shell: the IconSource the icon choice asks,
// and extraction at the exact size a face shows.
#pragma once

#include <windows.h>

#include "buttons/IconChoice.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

class ShellIconSource : public IconSource {
 public:
  explicit ShellIconSource(HINSTANCE instance) : instance_(instance) {}
  int Count(std::wstring_view file) override;
  Probe ProbeIcon(std::wstring_view file, int index) override;

 private:
  HINSTANCE instance_;
};

// Icon `index` of `file` made for `size` pixels (the file's own image of that
// size when it has one, so nothing is stretched).
UniqueIcon FileIcon(std::wstring_view file, int index, int size);

// The icon the shell shows for `file`'s type, at `size` pixels.
UniqueIcon TypeIcon(std::wstring_view file, int size);

}  // namespace vornish::win32
