#include "harness/Registry.h"

#include <vector>

#include "harness/Errors.h"
#include "harness/Handles.h"

namespace vornish::e2e {

namespace {

std::wstring SectionKey(std::wstring_view section) {
  return std::wstring(kSettingsKey) + L"\\" + std::wstring(section);
}

UniqueKey OpenSection(std::wstring_view section, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return UniqueKey{};
  }
  return UniqueKey(key);
}

// REG_SZ data as stored: a byte count that may or may not include the
// terminating null.
std::wstring TextFromData(const std::vector<BYTE>& data, DWORD size) {
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

}  // namespace

void ClearSettings() {
  const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(kSettingsKey).c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw Win32Error("clearing the settings", static_cast<DWORD>(status));
  }
}

void SetSetting(std::wstring_view section, std::wstring_view name, std::wstring_view value) {
  HKEY raw = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0,
                                   KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (status != ERROR_SUCCESS) throw Win32Error("creating a settings section", static_cast<DWORD>(status));
  UniqueKey key(raw);
  const std::wstring data(value);
  status = RegSetValueExW(key.Get(), std::wstring(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) throw Win32Error("writing a setting", static_cast<DWORD>(status));
}

std::optional<std::wstring> GetSetting(std::wstring_view section, std::wstring_view name) {
  UniqueKey key = OpenSection(section, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  const std::wstring valueName(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  std::vector<BYTE> data(size + sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return TextFromData(data, size);
}

std::map<std::wstring, std::wstring> ListSettings(std::wstring_view section) {
  std::map<std::wstring, std::wstring> values;
  UniqueKey key = OpenSection(section, KEY_QUERY_VALUE);
  if (!key) return values;
  DWORD count = 0, longestName = 0, longestData = 0;
  if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                       &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    return values;
  }
  std::wstring name(longestName + 1, L'\0');
  std::vector<BYTE> data(longestData + sizeof(wchar_t));
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key.Get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      values.emplace(name.substr(0, nameLength), TextFromData(data, size));
    }
  }
  return values;
}

}  // namespace vornish::e2e
