#include "core/win32/WinFileSystem.h"

#include <gtest/gtest.h>

#include "core/win32/Handles.h"
#include "harness/Files.h"

namespace vornish::win32 {
namespace {

using e2e::ReadBytes;
using e2e::TempDir;
using e2e::WriteBytes;

// The wide path of a file in `dir`.
std::wstring In(const TempDir& dir, const wchar_t* name) { return (dir / name).wstring(); }

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(ExtendedPath(folder + L"\\*").c_str(), &found);
  int count = 0;
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return count;
}

TEST(WinFileSystem, ReplaceCreatesAndReplacesWithoutLeavingTemporaries) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  const std::wstring file = In(dir, L"VRN.dat");
  EXPECT_FALSE(fs.FileExists(file));
  ASSERT_TRUE(fs.ReplaceContents(file, "first\r\n").ok());
  ASSERT_TRUE(fs.ReplaceContents(file, std::string("second\0third", 12)).ok());
  EXPECT_EQ(ReadBytes(file), std::string("second\0third", 12));
  EXPECT_EQ(FilesIn(dir.Path().wstring()), 1);
  std::string bytes;
  ASSERT_TRUE(fs.ReadAll(file, bytes).ok());
  EXPECT_EQ(bytes.size(), 12u);
  EXPECT_TRUE(fs.FileExists(file));
  EXPECT_FALSE(fs.FileExists(dir.Path().wstring())) << "a folder is not a file";
  EXPECT_TRUE(fs.PathExists(dir.Path().wstring()));
}

TEST(WinFileSystem, ReadOnlyFileIsKeptAndTheFailureReported) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  const std::wstring file = In(dir, L"VRN.dat");
  WriteBytes(file, "old content");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  const FileResult result = fs.ReplaceContents(file, "new content");
  EXPECT_EQ(result.status, FileResult::Status::Failed);
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(result.reason.empty());
  EXPECT_EQ(ReadBytes(file), "old content");
  EXPECT_EQ(FilesIn(dir.Path().wstring()), 1);
}

TEST(WinFileSystem, MissingFolderIsAFailureWithTheSystemsReason) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  const FileResult result = fs.ReplaceContents(In(dir, L"gone\\VRN.dat"), "x");
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(result.reason.empty());
}

TEST(WinFileSystem, HiddenFileStaysHidden) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  const std::wstring file = In(dir, L"VRN.dat");
  WriteBytes(file, "old");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(fs.FileExists(file)) << "hidden files count";
  ASSERT_TRUE(fs.ReplaceContents(file, "new").ok());
  EXPECT_EQ(ReadBytes(file), "new");
  EXPECT_NE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST(WinFileSystem, FileOpenedExclusivelyElsewhereIsUnreadable) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  const std::wstring file = In(dir, L"VRN.dat");
  WriteBytes(file, "[Vornish Ver.1.0]\r\n");
  const UniqueFile lock(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  std::string bytes;
  const FileResult result = fs.ReadAll(file, bytes);
  EXPECT_EQ(result.status, FileResult::Status::Failed);
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(WinFileSystem, PathsLongerThanTheClassicLimit) {
  TempDir dir(L"w32");
  WinFileSystem fs;
  std::wstring folder = dir.Path().wstring();
  while (folder.size() < 400) {
    folder += L"\\" + std::wstring(60, L'd');
    ASSERT_TRUE(::CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr));
  }
  const std::wstring file = folder + L"\\VRN.dat";
  ASSERT_GT(file.size(), static_cast<std::size_t>(MAX_PATH));
  ASSERT_TRUE(fs.ReplaceContents(file, "deep").ok());
  EXPECT_TRUE(fs.FileExists(file));
  std::string bytes;
  ASSERT_TRUE(fs.ReadAll(file, bytes).ok());
  EXPECT_EQ(bytes, "deep");
}

TEST(WinFileSystem, CurrentDirectoryMatchesTheSystem) {
  WinFileSystem fs;
  wchar_t expected[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, expected);
  EXPECT_EQ(fs.CurrentDirectory(), expected);
}

}  // namespace
}  // namespace vornish::win32
