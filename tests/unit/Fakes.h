// In-memory stand-ins for the platform services, for the native unit tests.
#pragma once

#include <map>
#include <set>
#include <string>

#include "core/FileSystem.h"
#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"

namespace vornish::testing {

// Code page 932 through the C library's iconv, as on a Japanese Windows.
class Cp932Codec : public TextCodec {
 public:
  Cp932Codec();
  ~Cp932Codec() override;
  Cp932Codec(const Cp932Codec&) = delete;
  Cp932Codec& operator=(const Cp932Codec&) = delete;
  bool ToAnsi(std::wstring_view text, std::string& out) const override;
  std::wstring FromAnsi(std::string_view bytes) const override;

 private:
  void* toAnsi_;
  void* fromAnsi_;
};

// Bytes must be given in code page 932; this helper converts a UTF-8 literal.
std::string Cp932(std::string_view utf8);

class FakeFileSystem : public FileSystem {
 public:
  std::map<std::wstring, std::string> files;
  std::set<std::wstring> folders;
  std::set<std::wstring> unreadable;  // exist, but reading fails
  std::set<std::wstring> unwritable;  // replacing fails; content unchanged
  std::wstring currentDirectory = L"C:\\WORK";
  int writes = 0;

  bool FileExists(std::wstring_view path) const override;
  bool PathExists(std::wstring_view path) const override;
  FileResult ReadAll(std::wstring_view path, std::string& bytes) const override;
  FileResult ReplaceContents(std::wstring_view path, std::string_view bytes) override;
  std::wstring CurrentDirectory() const override { return currentDirectory; }
};

class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
  bool failWrites = false;
  std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const override;
  bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
  std::wstring Get(std::wstring_view section, std::wstring_view key) const;
};

class FakeSystemInfo : public SystemInfo {
 public:
  std::wstring windows = L"C:\\WINDOWS";
  std::wstring system = L"C:\\WINDOWS\\system32";
  int platform = kPlatformWin32NT;
  std::wstring WindowsDirectory() const override { return windows; }
  std::wstring SystemDirectory() const override { return system; }
  int PlatformId() const override { return platform; }

  static FakeSystemInfo Make(std::wstring w, std::wstring s, int p) {
    FakeSystemInfo info;
    info.windows = std::move(w);
    info.system = std::move(s);
    info.platform = p;
    return info;
  }
  static FakeSystemInfo Windows98() { return Make(L"C:\\WINDOWS\\", L"C:\\WINDOWS\\SYSTEM\\", kPlatformWin32Windows); }
  static FakeSystemInfo WindowsNT() { return Make(L"C:\\WINNT\\", L"C:\\WINNT\\system32\\", kPlatformWin32NT); }
};

}  // namespace vornish::testing
