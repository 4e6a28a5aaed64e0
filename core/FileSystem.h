// The file operations the launcher's logic needs, so that it can be tested
// without a disk. The Win32 layer implements them; tests use a fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornish {

struct FileResult {
  enum class Status { Ok, NotFound, Failed };
  Status status = Status::Ok;
  std::uint32_t error = 0;  // the platform's error code when not Ok
  std::wstring reason;      // why, in words for the user (see FileProblemText)

  bool ok() const { return status == Status::Ok; }
  static FileResult Success() { return {}; }
};

// Data files above this size are not read: no launcher writes one, and reading
// it would only exhaust memory.
inline constexpr std::uint64_t kMaxReadableFile = 256ull * 1024 * 1024;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file (hidden and system files included) exists at `path`.
  // Folders do not count.
  virtual bool FileExists(std::wstring_view path) const = 0;

  // True when a folder or file exists at `path`.
  virtual bool PathExists(std::wstring_view path) const = 0;

  // Reads the whole file; one above kMaxReadableFile is refused.
  virtual FileResult ReadAll(std::wstring_view path, std::string& bytes) const = 0;

  // Replaces the file's content with `bytes` so that either the old or the
  // complete new content is on disk, never a mixture: the new content is
  // written beside the file and moved over it when complete. On failure the
  // old file is left as it was.
  virtual FileResult ReplaceContents(std::wstring_view path, std::string_view bytes) = 0;

  // The process's current folder, without a trailing separator unless it is a
  // root.
  virtual std::wstring CurrentDirectory() const = 0;

  // Copies a file to `to`, which must not exist yet.
  virtual FileResult CopyNew(std::wstring_view from, std::wstring_view to) = 0;
  // The files in `folder` whose names match `pattern` ("*" for any run of
  // characters), as full paths.
  virtual std::vector<std::wstring> FindFiles(std::wstring_view folder, std::wstring_view pattern) const = 0;
  virtual bool Remove(std::wstring_view path) = 0;
};

// The file ReplaceContents writes beside `path` before it moves it over:
// "<path>.~<process id>.tmp".
std::wstring TemporaryPathFor(std::wstring_view path, std::uint32_t processId);
// The process that wrote `candidate`, when it is such a file for `path`.
std::optional<std::uint32_t> TemporaryOwner(std::wstring_view path, std::wstring_view candidate);

}  // namespace vornish
