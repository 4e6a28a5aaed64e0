// The launcher's settings: REG_SZ values under
// HKCU\Software\VB and VBA Program Settings\Vornish\<section>.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vornish::e2e {

inline constexpr std::wstring_view kSettingsKey = L"Software\\VB and VBA Program Settings\\Vornish";

// Removes every section, so a test starts as on a machine that never ran it.
void ClearSettings();
void SetSetting(std::wstring_view section, std::wstring_view name, std::wstring_view value);
// Nothing when the section or value is missing or is not text.
std::optional<std::wstring> GetSetting(std::wstring_view section, std::wstring_view name);
// The text values of a section by name (empty for a missing section).
std::map<std::wstring, std::wstring> ListSettings(std::wstring_view section);

}  // namespace vornish::e2e
