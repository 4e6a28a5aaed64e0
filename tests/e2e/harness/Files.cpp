#include "harness/Files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <vector>

#include "harness/Errors.h"
#include "harness/Handles.h"

namespace vornish::e2e {

namespace {

std::filesystem::path TempRoot() {
  std::wstring buffer(MAX_PATH + 1, L'\0');
  const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length > buffer.size()) ThrowLastError("GetTempPathW");
  buffer.resize(length);
  return std::filesystem::path(buffer);
}

std::wstring SafeFileName(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text) out += (wcschr(L"\\/:*?\"<>|", c) != nullptr || c < 32) ? L'_' : c;
  return out;
}

DWORD Attributes(const std::wstring& longPath) { return GetFileAttributesW(longPath.c_str()); }

void RemoveLong(const std::wstring& longPath) {
  const DWORD attributes = Attributes(longPath);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesW(longPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  // A reparse point is removed itself; walking into it could delete files
  // that live outside the tree.
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (folder && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    WIN32_FIND_DATAW found{};
    std::vector<std::wstring> children;
    UniqueFindHandle find(FindFirstFileW((longPath + L"\\*").c_str(), &found));
    if (find) {
      do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") children.push_back(longPath + L"\\" + found.cFileName);
      } while (FindNextFileW(find.Get(), &found));
    }
    for (const auto& child : children) RemoveLong(child);
  }
  const BOOL removed = folder ? RemoveDirectoryW(longPath.c_str()) : DeleteFileW(longPath.c_str());
  if (!removed && Attributes(longPath) != INVALID_FILE_ATTRIBUTES) {
    ThrowLastError("removing " + Narrow(longPath));
  }
}

}  // namespace

std::wstring LongPath(const std::filesystem::path& path) {
  std::wstring text = std::filesystem::absolute(path).lexically_normal().wstring();
  for (auto& c : text) {
    if (c == L'/') c = L'\\';
  }
  if (text.starts_with(LR"(\\?\)")) return text;
  if (text.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + text.substr(2);
  return LR"(\\?\)" + text;
}

std::wstring CurrentTestName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return L"none";
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return SafeFileName(std::wstring(name.begin(), name.end()));
}

TempDir::TempDir(std::wstring_view hint) {
  static std::atomic<unsigned> counter{0};
  const std::wstring name = L"vornish-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(counter++) + L"-" + SafeFileName(hint);
  path_ = TempRoot() / name;
  RemoveTree(path_);
  CreateFolders(path_);
}

TempDir::~TempDir() {
  try {
    RemoveTree(path_);
  } catch (const std::exception& error) {
    // A file still held open by a launcher that would not die: leave the
    // folder (it is under %TEMP% of the test prefix) but say so.
    ADD_FAILURE() << "could not remove " << Narrow(path_.wstring()) << ": " << error.what();
  }
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  UniqueHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError("creating " + Narrow(path.wstring()));
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    ThrowLastError("writing " + Narrow(path.wstring()));
  }
}

std::string ReadBytes(const std::filesystem::path& path) {
  UniqueHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError("opening " + Narrow(path.wstring()));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError("sizing " + Narrow(path.wstring()));
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    ThrowLastError("reading " + Narrow(path.wstring()));
  }
  return bytes;
}

bool Exists(const std::filesystem::path& path) {
  return Attributes(LongPath(path)) != INVALID_FILE_ATTRIBUTES;
}

void SetReadOnly(const std::filesystem::path& path, bool readOnly) {
  const std::wstring longPath = LongPath(path);
  const DWORD attributes = Attributes(longPath);
  if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError("reading attributes of " + Narrow(path.wstring()));
  const DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!SetFileAttributesW(longPath.c_str(), wanted)) ThrowLastError("setting attributes of " + Narrow(path.wstring()));
}

void CreateFolders(const std::filesystem::path& path) {
  const std::wstring longPath = LongPath(path);
  if (Attributes(longPath) != INVALID_FILE_ATTRIBUTES) return;
  const auto parent = std::filesystem::absolute(path).lexically_normal().parent_path();
  if (parent != path && !parent.empty() && parent != parent.root_path()) CreateFolders(parent);
  if (!CreateDirectoryW(longPath.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    ThrowLastError("creating folder " + Narrow(path.wstring()));
  }
}

void RemoveTree(const std::filesystem::path& path) { RemoveLong(LongPath(path)); }

}  // namespace vornish::e2e
