// The settings store in the per-user registry, where programs of this kind
// have always kept their settings:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// one string value per key.
#pragma once

#include <string>

#include "core/Registry.h"
#include "core/Settings.h"

namespace vornish::win32 {

inline constexpr std::wstring_view kSettingsRoot = L"Software\\VB and VBA Program Settings\\";

class RegistryStore : public SettingsStore {
 public:
  explicit RegistryStore(std::wstring_view application = L"Vornish");

  // String values are returned as stored; a DWORD value (left by hand editing)
  // as its decimal text; other kinds count as absent.
  std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const override;
  bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;

 private:
  std::wstring SectionKey(std::wstring_view section) const;
  std::wstring base_;
};

// The registry itself, for lookups of values other programs keep there.
class WinRegistry : public RegistryReader {
 public:
  std::optional<std::wstring> ReadRegistryText(RegistryRoot root, std::wstring_view key, std::wstring_view name,
                                               RegistryAccess access) const override;
};

}  // namespace vornish::win32
