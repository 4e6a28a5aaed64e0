#include "core/win32/WinFileSystem.h"

#include <windows.h>

#include "core/Messages.h"
#include "core/Text.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

namespace {

// Paths at or above this length take the extended form; the margin leaves
// room for the temporary name written beside a file.
constexpr std::size_t kExtendedFrom = MAX_PATH - 20;

FileProblem ProblemOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return FileProblem::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return FileProblem::PathNotFound;
    case ERROR_ACCESS_DENIED:
      return FileProblem::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileProblem::SharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileProblem::DiskFull;
    case ERROR_FILE_TOO_LARGE:
      return FileProblem::TooLarge;
    case ERROR_WRITE_PROTECT:
      return FileProblem::WriteProtected;
    default:
      return FileProblem::Other;
  }
}

// The reason is the launcher's own sentence, not the system's text: that
// may be in another language than the launcher's, or missing (Wine has none
// for a file too large).
FileResult Failure(DWORD error) {
  // A failure is never reported as "the operation completed successfully".
  if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
  const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return {missing ? FileResult::Status::NotFound : FileResult::Status::Failed, error,
          FileProblemText(ProblemOf(error), error)};
}

DWORD Attributes(std::wstring_view path) { return ::GetFileAttributesW(ExtendedPath(path).c_str()); }

}  // namespace

DWORD WriteAll(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kChunk = 1u << 20;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return ::GetLastError();
    // Taking less than all without saying why: the disk is full.
    if (written == 0) return ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

std::wstring ExtendedPath(std::wstring_view path) {
  if (path.size() < kExtendedFrom || path.substr(0, 4) == L"\\\\?\\") return std::wstring(path);
  const std::wstring input(path);
  const DWORD size = ::GetFullPathNameW(input.c_str(), 0, nullptr, nullptr);
  if (size == 0) return input;
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(input.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return input;
  full.resize(length);
  if (full.substr(0, 2) == L"\\\\") return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool WinFileSystem::FileExists(std::wstring_view path) const {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WinFileSystem::PathExists(std::wstring_view path) const { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

FileResult WinFileSystem::ReadAll(std::wstring_view path, std::string& bytes) const {
  bytes.clear();
  // Others may read along, but a file being written is not read half-way.
  UniqueFile file(::CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return Failure(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return Failure(::GetLastError());
  if (static_cast<std::uint64_t>(size.QuadPart) > kMaxReadableFile) return Failure(ERROR_FILE_TOO_LARGE);
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!::ReadFile(file.get(), bytes.data() + done, want, &read, nullptr)) return Failure(::GetLastError());
    if (read == 0) break;  // the file shrank while we read it
    done += read;
  }
  bytes.resize(done);
  return FileResult::Success();
}

FileResult WinFileSystem::ReplaceContents(std::wstring_view path, std::string_view bytes) {
  const std::wstring target = ExtendedPath(path);
  const DWORD oldAttributes = ::GetFileAttributesW(target.c_str());
  if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
      (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    // A read-only file is the user's wish that it stay as it is; the rename
    // below would replace it regardless on some systems.
    return Failure(ERROR_ACCESS_DENIED);
  }

  // The new content goes to a file beside the old one and replaces it only
  // when complete, so a failure at any point leaves the old file untouched.
  const std::wstring temp = ExtendedPath(TemporaryPathFor(path, ::GetCurrentProcessId()));
  {
    UniqueFile file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Failure(::GetLastError());
    // The first error is the one to report: cleaning up may set others.
    DWORD error = WriteAll(file.get(), bytes);
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file.get())) error = ::GetLastError();
    if (error != ERROR_SUCCESS) {
      file.reset();
      ::DeleteFileW(temp.c_str());
      return Failure(error);
    }
  }
  if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    return Failure(error);
  }
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & kKept) != 0) {
    ::SetFileAttributesW(target.c_str(), oldAttributes & (kKept | FILE_ATTRIBUTE_ARCHIVE));
  }
  return FileResult::Success();
}

std::wstring WinFileSystem::CurrentDirectory() const {
  DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  while (size > 0) {
    std::wstring buffer(size, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(size, buffer.data());
    if (length == 0) break;
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    size = length + 1;  // the folder changed in between and grew
  }
  return {};
}

FileResult WinFileSystem::CopyNew(std::wstring_view from, std::wstring_view to) {
  if (!::CopyFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), TRUE)) return Failure(::GetLastError());
  return FileResult::Success();
}

std::vector<std::wstring> WinFileSystem::FindFiles(std::wstring_view folder, std::wstring_view pattern) const {
  std::vector<std::wstring> found;
  const std::wstring base = folder.empty() || folder.back() == L'\\' ? std::wstring(folder) : std::wstring(folder) + L'\\';
  WIN32_FIND_DATAW data{};
  const HANDLE search = ::FindFirstFileW(ExtendedPath(base + std::wstring(pattern)).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(base + data.cFileName);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
  return found;
}

bool WinFileSystem::Remove(std::wstring_view path) { return ::DeleteFileW(ExtendedPath(path).c_str()) != FALSE; }

}  // namespace vornish::win32
