#include "core/Settings.h"

#include "core/Numbers.h"
#include "core/Text.h"

namespace vornish {

namespace {

template <typename T, typename Parser>
T ReadOr(const SettingsStore& store, std::wstring_view section, std::wstring_view key, T fallback,
         Parser parse) {
  const auto text = store.Read(section, key);
  if (!text) return fallback;
  const auto value = parse(*text);
  return value ? static_cast<T>(*value) : fallback;
}

// The text forms of the settings' types, and back.
std::wstring TextOf(std::int32_t value) { return ToDecimal(value); }
std::wstring TextOf(OleColor colour) { return ColourText(colour); }
std::wstring TextOf(bool value) { return BoolText(value); }
std::optional<std::int32_t> Parse(std::wstring_view text, std::int32_t) { return ParseInt32(text); }
std::optional<OleColor> Parse(std::wstring_view text, OleColor) { return ParseColour(text); }
std::optional<bool> Parse(std::wstring_view text, bool) { return ParseBool(text); }

// The setting takes the stored text of `key` when its type accepts it.
void Read(const SettingsStore& store, const SettingKey& key, Settings& settings) {
  const auto text = store.Read(key.section, key.name);
  if (!text) return;
  std::visit(
      [&](const auto& value) {
        if (const auto parsed = Parse(*text, value.byDefault)) settings.*value.member = *parsed;
      },
      key.value);
}

constexpr const SettingKey* KeyOf(bool Settings::*member) {
  for (const SettingKey& key : kSettingKeys) {
    const auto* value = std::get_if<SettingValue<bool>>(&key.value);
    if (value && value->member == member) return &key;
  }
  return nullptr;
}
constexpr const SettingKey& kStartTipsKey = *KeyOf(&Settings::StartTips);

}  // namespace

std::wstring BoolText(bool value) { return value ? L"True" : L"False"; }

std::wstring ColourText(OleColor colour) { return ToDecimal(static_cast<std::int32_t>(colour)); }

Settings LoadSettings(const SettingsStore& store) {
  Settings s;
  for (const SettingKey& key : kSettingKeys) Read(store, key, s);
  return s;
}

bool SaveSettings(SettingsStore& store, const Settings& s) {
  bool ok = true;
  for (const SettingKey& key : kSettingKeys) {
    if (key.savedBy != SavedBy::Unload) continue;
    const std::wstring text = std::visit([&](const auto& value) { return TextOf(s.*value.member); }, key.value);
    ok = store.Write(key.section, key.name, text) && ok;
  }
  return ok;
}

bool ReadStartTips(const SettingsStore& store) {
  Settings s;
  Read(store, kStartTipsKey, s);
  return s.StartTips;
}

bool SaveStartTips(SettingsStore& store, bool show) {
  return store.Write(kStartTipsKey.section, kStartTipsKey.name, show ? L"1" : L"0");
}

namespace {
constexpr std::wstring_view kSectionReport = L"Report";
constexpr std::wstring_view kPendingReport = L"Pending";
}  // namespace

bool SaveDeferredReport(SettingsStore& store, std::wstring_view text) {
  return store.Write(kSectionReport, kPendingReport, text);
}

std::optional<std::wstring> TakeDeferredReport(SettingsStore& store) {
  auto text = store.Read(kSectionReport, kPendingReport);
  if (!text || text->empty()) return std::nullopt;
  store.Write(kSectionReport, kPendingReport, L"");
  return text;
}

WindowPosition LoadWindowPosition(const SettingsStore& store) {
  WindowPosition p;
  p.left = ReadOr(store, kSectionWindow, L"MainLeft", std::int32_t{0}, ParseInt32);
  p.top = ReadOr(store, kSectionWindow, L"MainTop", std::int32_t{0}, ParseInt32);
  return p;
}

bool SaveWindowPosition(SettingsStore& store, WindowPosition position) {
  const bool left = store.Write(kSectionWindow, L"MainLeft", ToDecimal(position.left));
  const bool top = store.Write(kSectionWindow, L"MainTop", ToDecimal(position.top));
  return left && top;
}

}  // namespace vornish
