// Files and folders inside the Wine prefix. Every helper accepts paths longer
// than MAX_PATH: they go to Windows with the \\?\ prefix.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vornish::e2e {

// `path` made absolute and prefixed with \\?\ (or \\?\UNC\) so that the wide
// file functions take it whatever its length.
std::wstring LongPath(const std::filesystem::path& path);

// A fresh folder under %TEMP%, unique per object, removed with all its content
// (read-only files and long paths included) when the object goes away.
class TempDir {
 public:
  // `hint` becomes part of the folder name, which helps when a test leaves
  // one behind; use the test's name.
  explicit TempDir(std::wstring_view hint = L"t");
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& Path() const noexcept { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& child) const { return path_ / child; }

 private:
  std::filesystem::path path_;
};

// The running GoogleTest test as "Suite.Name", safe in a file name: the
// hint to give a TempDir.
std::wstring CurrentTestName();

// Whole-file byte I/O; a std::string holds the bytes as they are on disk.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);
bool Exists(const std::filesystem::path& path);
void SetReadOnly(const std::filesystem::path& path, bool readOnly = true);
void CreateFolders(const std::filesystem::path& path);
// Removes a file or a whole folder tree; a missing path is not an error.
void RemoveTree(const std::filesystem::path& path);

}  // namespace vornish::e2e
