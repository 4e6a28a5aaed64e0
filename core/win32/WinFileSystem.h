// The launcher's file operations on the Windows file system.
#pragma once

#include <string>

#include "core/FileSystem.h"

namespace vornish::win32 {

class WinFileSystem : public FileSystem {
 public:
  bool FileExists(std::wstring_view path) const override;
  bool PathExists(std::wstring_view path) const override;
  FileResult ReadAll(std::wstring_view path, std::string& bytes) const override;
  FileResult ReplaceContents(std::wstring_view path, std::string_view bytes) override;
  std::wstring CurrentDirectory() const override;
};

// A path the file API accepts whatever its length: paths too long for the
// classic limit get the "\\?\" form (absolute, normalised), others stay as
// they are.
std::wstring ExtendedPath(std::wstring_view path);

// Data files above this size are not read: no launcher writes one, and reading
// it would only exhaust memory.
inline constexpr unsigned long long kMaxReadableFile = 256ull * 1024 * 1024;

}  // namespace vornish::win32
