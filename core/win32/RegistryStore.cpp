#include "core/win32/RegistryStore.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/Text.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

RegistryStore::RegistryStore(std::wstring_view application) : base_(kSettingsRoot) { base_.append(application); }

std::wstring RegistryStore::SectionKey(std::wstring_view section) const {
  std::wstring key = base_;
  key.push_back(L'\\');
  key.append(section);
  return key;
}

namespace {

// Value `name` of `key` under `root` opened with `access`: string values as
// stored up to their first null, a DWORD (left by hand editing) as its decimal
// text when `numbers` allows; nothing for other kinds or when the key or the
// value is not there.
std::optional<std::wstring> ReadText(HKEY root, std::wstring_view key, std::wstring_view name, REGSAM access,
                                     bool numbers) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(root, std::wstring(key).c_str(), 0, access, &raw) != ERROR_SUCCESS) return std::nullopt;
  const UniqueKey opened(raw);
  const std::wstring valueName(name);
  // The value may grow between the size query and the read; ask again then.
  std::vector<BYTE> data(256);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS status = ::RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(static_cast<std::size_t>(size) + sizeof(wchar_t));
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    if (numbers && type == REG_DWORD && size == sizeof(DWORD)) {
      DWORD value = 0;
      std::memcpy(&value, data.data(), sizeof value);
      return ToDecimal(static_cast<std::int32_t>(value));
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    const auto nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> RegistryStore::Read(std::wstring_view section, std::wstring_view key) const {
  return ReadText(HKEY_CURRENT_USER, SectionKey(section), key, KEY_QUERY_VALUE, true);
}

bool RegistryStore::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  HKEY raw = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueKey sectionKey(raw);
  const std::wstring name(key);
  const std::wstring text(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(sectionKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) == ERROR_SUCCESS;
}

std::optional<std::wstring> WinRegistry::ReadRegistryText(RegistryRoot root, std::wstring_view key,
                                                         std::wstring_view name, RegistryAccess access) const {
  return ReadText(root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key, name,
                  access == RegistryAccess::Read ? KEY_READ : KEY_ALL_ACCESS, false);
}

}  // namespace vornish::win32
