// The file operations the launcher's logic needs, so that it can be tested
// without a disk. The Win32 layer implements them; tests use a fake.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornish {

struct FileResult {
  enum class Status { Ok, NotFound, Failed };
  Status status = Status::Ok;
  std::uint32_t error = 0;  // the platform's error code when not Ok
  std::wstring reason;      // the platform's text for that error

  bool ok() const { return status == Status::Ok; }
  static FileResult Success() { return {}; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file (hidden and system files included) exists at `path`.
  // Folders do not count.
  virtual bool FileExists(std::wstring_view path) const = 0;

  // True when a folder or file exists at `path`.
  virtual bool PathExists(std::wstring_view path) const = 0;

  // Reads the whole file.
  virtual FileResult ReadAll(std::wstring_view path, std::string& bytes) const = 0;

  // Replaces the file's content with `bytes` so that either the old or the
  // complete new content is on disk, never a mixture: the new content is
  // written beside the file and moved over it when complete. On failure the
  // old file is left as it was.
  virtual FileResult ReplaceContents(std::wstring_view path, std::string_view bytes) = 0;

  // The process's current folder, without a trailing separator unless it is a
  // root.
  virtual std::wstring CurrentDirectory() const = 0;
};

}  // namespace vornish
