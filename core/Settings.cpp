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

std::int32_t ReadInt(const SettingsStore& store, std::wstring_view key, std::int32_t fallback) {
  return ReadOr(store, kSectionSet, key, fallback, ParseInt32);
}
OleColor ReadColour(const SettingsStore& store, std::wstring_view key, OleColor fallback) {
  return ReadOr(store, kSectionSet, key, fallback, ParseColour);
}
bool ReadBool(const SettingsStore& store, std::wstring_view key, bool fallback) {
  return ReadOr(store, kSectionSet, key, fallback, ParseBool);
}

}  // namespace

std::wstring BoolText(bool value) { return value ? L"True" : L"False"; }

std::wstring ColourText(OleColor colour) { return ToDecimal(static_cast<std::int32_t>(colour)); }

Settings LoadSettings(const SettingsStore& store) {
  const Settings d;
  Settings s;
  s.Size = ReadInt(store, L"Size", d.Size);
  s.Orient = ReadInt(store, L"Orient", d.Orient);
  s.DefColor = ReadColour(store, L"DefColor", d.DefColor);
  s.LockColor = ReadColour(store, L"LockColor", d.LockColor);
  s.SystemColor = ReadColour(store, L"SystemColor", d.SystemColor);
  s.ColorChange = ReadBool(store, L"ColorChange", d.ColorChange);
  s.ControlDblClick = ReadInt(store, L"ControlDblClick", d.ControlDblClick);
  s.ControlColor = ReadColour(store, L"ControlColor", d.ControlColor);
  s.WindowTop = ReadBool(store, L"WindowTop", d.WindowTop);
  s.CountEnable = ReadBool(store, L"CountEnable", d.CountEnable);
  s.Position = ReadInt(store, L"Position", d.Position);
  s.TaskBar = ReadInt(store, L"TaskBar", d.TaskBar);
  s.StartTips = ReadBool(store, L"StartTips", d.StartTips);
  return s;
}

bool SaveSettings(SettingsStore& store, const Settings& s) {
  bool ok = true;
  auto put = [&](std::wstring_view key, const std::wstring& value) {
    ok = store.Write(kSectionSet, key, value) && ok;
  };
  put(L"Size", ToDecimal(s.Size));
  put(L"Orient", ToDecimal(s.Orient));
  put(L"DefColor", ColourText(s.DefColor));
  put(L"LockColor", ColourText(s.LockColor));
  put(L"SystemColor", ColourText(s.SystemColor));
  put(L"ColorChange", BoolText(s.ColorChange));
  put(L"ControlDblClick", ToDecimal(s.ControlDblClick));
  put(L"ControlColor", ColourText(s.ControlColor));
  put(L"WindowTop", BoolText(s.WindowTop));
  put(L"CountEnable", BoolText(s.CountEnable));
  put(L"Position", ToDecimal(s.Position));
  put(L"TaskBar", ToDecimal(s.TaskBar));
  return ok;
}

bool ReadStartTips(const SettingsStore& store) { return ReadBool(store, L"StartTips", true); }

bool SaveStartTips(SettingsStore& store, bool show) {
  return store.Write(kSectionSet, L"StartTips", show ? L"1" : L"0");
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
