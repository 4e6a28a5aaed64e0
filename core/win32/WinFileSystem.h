// The launcher's file operations on the Windows file system.
#pragma once

#include <windows.h>

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
  FileResult CopyNew(std::wstring_view from, std::wstring_view to) override;
  std::vector<std::wstring> FindFiles(std::wstring_view folder, std::wstring_view pattern) const override;
  bool Remove(std::wstring_view path) override;
};

// Writes all of `bytes` to `file`; the error that stopped it (a write that
// takes fewer bytes than given is a full disk), 0 when all were written.
DWORD WriteAll(HANDLE file, std::string_view bytes);

// A path the file API accepts whatever its length: paths too long for the
// classic limit get the "\\?\" form (absolute, normalised), others stay as
// they are.
std::wstring ExtendedPath(std::wstring_view path);

}  // namespace vornish::win32
