// The launcher's options and window position, kept in a per-user settings
// store addressed by section and key, every value as text. The table
// kSettingKeys says which key holds which option, its type and its default:
// loading, saving and the dialogs' defaults all read it, whatever the store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "core/ButtonRecord.h"
#include "core/Colour.h"

namespace vornish {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nullopt when the key (or the whole store) is absent.
  virtual std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const = 0;
  // Returns false when the value could not be stored.
  virtual bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) = 0;
  // A store kept in a file the user can see names it and says why a write
  // failed, so that the failure is told; the registry's never were.
  virtual std::wstring_view FilePath() const { return {}; }
  virtual std::wstring WriteFailure() const { return {}; }
};

inline constexpr std::wstring_view kSectionSet = L"Set";
inline constexpr std::wstring_view kSectionWindow = L"Window";

// Control-bar colours offered by the settings dialog; 0 means the system's
// caption colours, the others are gradients.
inline constexpr OleColor kControlColourStandard = 0x000000;
inline constexpr OleColor kControlColourBlue = 0xFF0000;

// Values of the settings Position (where the window sits) and TaskBar (the
// screen edge of the task bar).
inline constexpr std::int32_t kPositionFloating = 0;
inline constexpr std::int32_t kPositionLeft = 1;
inline constexpr std::int32_t kPositionTop = 2;
inline constexpr std::int32_t kPositionRight = 3;
inline constexpr std::int32_t kPositionBottom = 4;

inline constexpr std::int32_t kTaskBarLeft = 1;
inline constexpr std::int32_t kTaskBarTop = 2;
inline constexpr std::int32_t kTaskBarRight = 3;
inline constexpr std::int32_t kTaskBarBottom = 4;

// The setting variables, one per key of section "Set"; their keys and
// defaults are the rows of kSettingKeys.
struct Settings {
  std::int32_t Size{};             // icon size in pixels: 16, 24 or 32
  std::int32_t Orient{};           // 0 row, 1 column
  OleColor DefColor{};             // the colours of ordinary,
  OleColor LockColor{};            // locked
  OleColor SystemColor{};          // and system-object buttons
  bool ColorChange{};              // buttons may carry their own colour
  std::int32_t ControlDblClick{};  // 0 hide, 1 settings, 2 exit
  OleColor ControlColor{};         // kControlColourStandard or a gradient's
  bool WindowTop{};
  bool CountEnable{};
  std::int32_t Position{};         // 0 floating, 1 left, 2 top, 3 right, 4 bottom
  std::int32_t TaskBar{};          // edge of the task bar: 1 left, 2 top, 3 right, 4 bottom
  bool StartTips{};

  // Every setting at its default.
  constexpr Settings();
  bool operator==(const Settings&) const = default;
};

// The setting a key holds and its default. The member's type is the value's:
// a 32-bit integer (stored as decimal text), a colour value (its 32 bits as a
// signed decimal: 0x8000000F is "-2147483633") or a boolean ("True"/"False";
// numbers read too, 0 being false).
template <typename T>
struct SettingValue {
  T Settings::*member;
  T byDefault;
};
template <typename T>
SettingValue(T Settings::*, std::type_identity_t<T>) -> SettingValue<T>;

// Who writes a key: the unload step, or the tips window (StartTips, as "1" or
// "0", when it closes).
enum class SavedBy { Unload, TipsWindow };

struct SettingKey {
  std::wstring_view section;
  std::wstring_view name;
  std::variant<SettingValue<std::int32_t>, SettingValue<OleColor>, SettingValue<bool>> value;
  SavedBy savedBy = SavedBy::Unload;
};

// Every setting, in the order they are read at start and written at exit.
inline constexpr SettingKey kSettingKeys[] = {
    {kSectionSet, L"Size", SettingValue{&Settings::Size, 32}},
    {kSectionSet, L"Orient", SettingValue{&Settings::Orient, 0}},
    {kSectionSet, L"DefColor", SettingValue{&Settings::DefColor, kColourButtonFace}},
    {kSectionSet, L"LockColor", SettingValue{&Settings::LockColor, kColourButtonShadow}},
    {kSectionSet, L"SystemColor", SettingValue{&Settings::SystemColor, kColourDesktop}},
    {kSectionSet, L"ColorChange", SettingValue{&Settings::ColorChange, true}},
    {kSectionSet, L"ControlDblClick", SettingValue{&Settings::ControlDblClick, 0}},
    {kSectionSet, L"ControlColor", SettingValue{&Settings::ControlColor, kControlColourBlue}},
    {kSectionSet, L"WindowTop", SettingValue{&Settings::WindowTop, false}},
    {kSectionSet, L"CountEnable", SettingValue{&Settings::CountEnable, true}},
    {kSectionSet, L"Position", SettingValue{&Settings::Position, kPositionFloating}},
    {kSectionSet, L"TaskBar", SettingValue{&Settings::TaskBar, kTaskBarBottom}},
    {kSectionSet, L"StartTips", SettingValue{&Settings::StartTips, true}, SavedBy::TipsWindow},
};

constexpr Settings::Settings() {
  for (const SettingKey& key : kSettingKeys) {
    std::visit([this](const auto& value) { this->*value.member = value.byDefault; }, key.value);
  }
}

// The colour of a button's kind: system objects, then locked buttons, then
// the others.
inline OleColor KindColour(const Settings& s, const ButtonRecord& b) {
  return b.Sys != 0 ? s.SystemColor : b.Lock ? s.LockColor : s.DefColor;
}

// Reads every key; an absent key or text that does not convert to the key's
// type gives the default.
Settings LoadSettings(const SettingsStore& store);

// Writes the keys the unload step writes, Size to TaskBar. Every key is
// attempted; returns false when any write failed.
bool SaveSettings(SettingsStore& store, const Settings& settings);

// StartTips as the tips window keeps it: "1" or "0", read with default "1".
bool ReadStartTips(const SettingsStore& store);
bool SaveStartTips(SettingsStore& store, bool show);

// A problem that could not be shown when it happened (while Windows was
// ending), kept to be told at the next start; taking it clears it.
bool SaveDeferredReport(SettingsStore& store, std::wstring_view text);
std::optional<std::wstring> TakeDeferredReport(SettingsStore& store);

// The main window's saved left and top edges in twips (0 when absent).
struct WindowPosition {
  std::int32_t left = 0;
  std::int32_t top = 0;
  bool operator==(const WindowPosition&) const = default;
};
WindowPosition LoadWindowPosition(const SettingsStore& store);
bool SaveWindowPosition(SettingsStore& store, WindowPosition position);

// Text forms of stored values.
std::wstring BoolText(bool value);         // "True" / "False"
std::wstring ColourText(OleColor colour);  // signed decimal: 0x8000000F -> "-2147483633"

}  // namespace vornish
