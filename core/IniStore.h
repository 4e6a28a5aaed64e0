// The settings store of a portable copy: a file Vornish.ini beside the
// program, with the registry's sections and value names ("[Set]",
// "Size=32"), in UTF-16 with a byte-order mark so that any text survives.
// Lines it does not know (comments a user wrote) stay as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/Settings.h"

namespace vornish {

inline constexpr std::wstring_view kSettingsFileName = L"Vornish.ini";

// Vornish.ini in the program's folder: when a file stands there, the
// settings are kept in it and the registry is left alone.
std::wstring SettingsFilePath(std::wstring_view programFolder);

class IniSettingsStore : public SettingsStore {
 public:
  // Reads the file once; a file that exists but cannot be read is never
  // written (every write fails, with the reason it could not be read).
  IniSettingsStore(FileSystem& fs, std::wstring path);

  std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const override;
  // Replaces the file atomically with the value changed; a value that is
  // already stored writes nothing, unless an earlier write failed.
  bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
  std::wstring_view FilePath() const override { return path_; }
  std::wstring WriteFailure() const override { return failure_.reason; }

 private:
  FileSystem& fs_;
  std::wstring path_;
  std::vector<std::wstring> lines_;
  FileResult unreadable_;  // why the file could not be read, when it could not
  FileResult failure_;     // why the last write failed
  bool behind_ = false;    // the file lacks a value a write could not store
};

// The file's text for `lines`, and the lines of a file's bytes (UTF-16 with
// its byte-order mark, or UTF-8).
std::string IniFileBytes(const std::vector<std::wstring>& lines);
std::vector<std::wstring> IniFileLines(std::string_view bytes);

}  // namespace vornish
