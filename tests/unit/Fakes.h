// In-memory stand-ins for the platform services, for the native unit tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/FileSystem.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"
#include "native/Cp932Codec.h"

namespace vornish::testing {

using native::Cp932Codec;
// A UTF-8 literal's code page 932 bytes.
std::string Cp932(std::string_view utf8);

class FakeFileSystem : public FileSystem {
 public:
  std::map<std::wstring, std::string, std::less<>> files;
  std::set<std::wstring, std::less<>> folders;
  std::set<std::wstring, std::less<>> unreadable;  // exist, but reading fails
  std::set<std::wstring, std::less<>> unwritable;  // replacing fails
  std::wstring currentDirectory = L"C:\\WORK";
  int writes = 0;

  bool FileExists(std::wstring_view path) const override { return files.contains(path) || unreadable.contains(path); }
  bool PathExists(std::wstring_view path) const override { return FileExists(path) || folders.contains(path); }
  FileResult ReadAll(std::wstring_view path, std::string& bytes) const override {
    if (unreadable.contains(path)) return {FileResult::Status::Failed, 32, L"sharing violation"};
    const auto it = files.find(path);
    if (it == files.end()) return {FileResult::Status::NotFound, 2, L"not found"};
    bytes = it->second;
    return {};
  }
  FileResult ReplaceContents(std::wstring_view path, std::string_view bytes) override {
    if (unwritable.contains(path)) return {FileResult::Status::Failed, 5, L"access denied"};
    files.insert_or_assign(std::wstring(path), std::string(bytes));
    ++writes;
    return {};
  }
  std::wstring CurrentDirectory() const override { return currentDirectory; }
  FileResult CopyNew(std::wstring_view from, std::wstring_view to) override {
    if (files.contains(to) || !files.contains(from)) return {FileResult::Status::Failed, 80, L"exists"};
    files.insert_or_assign(std::wstring(to), files.find(from)->second);
    return {};
  }
  std::vector<std::wstring> FindFiles(std::wstring_view folder, std::wstring_view) const override {
    std::vector<std::wstring> found;
    for (const auto& [path, bytes] : files) {
      if (path.starts_with(folder)) found.push_back(path);
    }
    return found;
  }
  bool Remove(std::wstring_view path) override { return files.erase(std::wstring(path)) != 0; }
};

class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
  std::wstring refused;  // the key whose writes fail, "*" for every key
  std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const override {
    const auto it = values.find({std::wstring(section), std::wstring(key)});
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
  bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
    if (refused == L"*" || refused == key) return false;
    values[{std::wstring(section), std::wstring(key)}] = value;
    return true;
  }
  std::wstring Get(std::wstring_view section, std::wstring_view key) const { return Read(section, key).value_or(L"-"); }
};

struct FakeSystemInfo : SystemInfo {
  FakeSystemInfo(std::wstring w = L"C:\\WINDOWS", std::wstring s = L"C:\\WINDOWS\\system32", int p = kPlatformWin32NT)
      : windows(std::move(w)), system(std::move(s)), platform(p) {}
  std::wstring WindowsDirectory() const override { return windows; }
  std::wstring SystemDirectory() const override { return system; }
  int PlatformId() const override { return platform; }
  std::uint32_t ProcessId() const override { return 7; }
  bool ProcessRunning(std::uint32_t processId) const override { return running.contains(processId); }
  std::wstring TimeStamp() const override { return L"20261207-103015"; }
  static FakeSystemInfo Windows98() { return {L"C:\\WINDOWS\\", L"C:\\WINDOWS\\SYSTEM\\", kPlatformWin32Windows}; }
  static FakeSystemInfo WindowsNT() { return {L"C:\\WINNT\\", L"C:\\WINNT\\system32\\", kPlatformWin32NT}; }
  std::wstring windows, system;
  int platform;
  std::set<std::uint32_t> running{7};
};

// String values by root, key and name, as a normal user sees them: the
// machine's keys open only for reading. Remembers what was asked, in order.
class FakeRegistry : public RegistryReader {
 public:
  std::map<std::tuple<RegistryRoot, std::wstring, std::wstring>, std::wstring> values;
  mutable std::vector<std::wstring> asked;  // "key|name"
  std::optional<std::wstring> ReadRegistryText(RegistryRoot root, std::wstring_view key, std::wstring_view name,
                                               RegistryAccess access) const override {
    asked.push_back(std::wstring(key) + L"|" + std::wstring(name));
    if (root == RegistryRoot::LocalMachine && access != RegistryAccess::Read) return std::nullopt;
    const auto it = values.find({root, std::wstring(key), std::wstring(name)});
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
};

}  // namespace vornish::testing
