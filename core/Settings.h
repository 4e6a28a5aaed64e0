// The launcher's options and window position, kept in a per-user settings
// store addressed by section and key, every value as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The setting variables, one per key of section "Set", with their defaults.
struct Settings {
  std::int32_t Size = 32;             // icon size in pixels: 16, 24 or 32
  std::int32_t Orient = 0;            // 0 row, 1 column
  OleColor DefColor = kColourButtonFace;
  OleColor LockColor = kColourButtonShadow;
  OleColor SystemColor = kColourDesktop;
  bool ColorChange = true;            // buttons may carry their own colour
  std::int32_t ControlDblClick = 0;   // 0 hide, 1 settings, 2 exit
  OleColor ControlColor = kControlColourBlue;
  bool WindowTop = false;
  bool CountEnable = true;
  std::int32_t Position = 0;          // 0 floating, 1 left, 2 top, 3 right, 4 bottom
  std::int32_t TaskBar = 4;           // edge of the task bar: 1 left, 2 top, 3 right, 4 bottom
  bool StartTips = true;

  bool operator==(const Settings&) const = default;
};

// The colour of a button's kind: system objects, then locked buttons, then
// the others.
inline OleColor KindColour(const Settings& s, const ButtonRecord& b) {
  return b.Sys != 0 ? s.SystemColor : b.Lock ? s.LockColor : s.DefColor;
}

// Reads the thirteen "Set" keys; an absent key or text that does not convert
// to the key's type gives the default.
Settings LoadSettings(const SettingsStore& store);

// Writes the twelve keys from Size to TaskBar (StartTips is written by the tips
// window). Every key is attempted; returns false when any write failed.
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
