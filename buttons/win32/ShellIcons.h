// Icons from files through the shell: the IconSource the icon choice asks,
// and extraction at the exact size a face shows.
#pragma once

#include <windows.h>

#include "buttons/IconChoice.h"
#include "buttons/win32/IconImage.h"
#include "core/ButtonRecord.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

// Probing extracts the icon at the size the face shows it and keeps it, so
// that drawing the chosen icon needs no second extraction.
class ShellIconSource : public IconSource {
 public:
  ShellIconSource(HINSTANCE instance, int size) : instance_(instance), size_(size) {}
  int Count(std::wstring_view file) override;
  Probe ProbeIcon(std::wstring_view file, int index) override;

  // Icon `index` of `file` at the size given at construction.
  UniqueIcon TakeIcon(std::wstring_view file, int index);

 private:
  HINSTANCE instance_;
  int size_;
  UniqueIcon probed_;
  std::wstring probedFile_;
  int probedIndex_ = 0;
};

// Icon `index` of `file` made for `size` pixels (the file's own image of that
// size when it has one, so nothing is stretched).
UniqueIcon FileIcon(std::wstring_view file, int index, int size);

// The icon the shell shows for `file`'s type, at `size` pixels.
UniqueIcon TypeIcon(std::wstring_view file, int size);

// A button's face at `size` pixels, chosen from its Icon, File and IconNo;
// `resetIconNo` when the number was beyond the source's icons, `missing` when
// what the button launches is gone (buttons/Launch.h, TargetMissing).
struct FaceIcon {
  IconImage image;
  bool resetIconNo = false;
  bool missing = false;
  // Read from the icon file itself, so it stays right while that file does
  // (the shell's icon for a type follows the associations instead).
  bool fromFile = false;
};
FaceIcon MakeFaceIcon(const ButtonRecord& record, int size, HINSTANCE instance);

}  // namespace vornish::win32
