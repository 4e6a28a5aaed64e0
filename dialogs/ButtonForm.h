// The button settings dialog ("ボタン設定") without its window: what it shows
// of a button, how its controls behave, and what OK writes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Launcher.h"

namespace vornish {

// Shown in the parameter field of a system-object button, which cannot change.
inline constexpr std::wstring_view kUnchangeable = L"(変更できません)";

// The names a system-object button shows as its target (numbers 1 to 13).
std::wstring_view SystemObjectName(std::int32_t sys);

// A launch count as "#,##0 回".
std::wstring CountText(std::int32_t count);
// 1 + the number of buttons with a file that were launched more often;
// equal counts share a rank, empty buttons never count.
int Rank(const ButtonList& buttons, int index);

struct ButtonForm {
  std::wstring title, target, path, param;
  bool targetEnabled = false;  // the target field and the parameters and lock
  bool paramEnabled = false;   // of a system object cannot change
  bool lockEnabled = false;
  int stateItem = 0;           // "通常のｳｲﾝﾄﾞｳ", "最小化", "最大化"
  bool stateChosen = false;    // the user picked an item
  std::wstring iconSource;     // the Icon, or the File when there is none
  int iconNumber = 1;          // shown one-based
  int iconCount = 1;           // of the icon source, at least 1
  bool lock = false;
  OleColor colour = 0;
  bool coloursEnabled = true;  // individual colours allowed
  std::wstring count, rank;
};

// The form for button `index`; the icon count is the caller's to set.
ButtonForm LoadButtonForm(const LauncherModel& model, int index);

// The icon number after "<" and after ">": unchanged at either end.
int PreviousIcon(const ButtonForm& form);
int NextIcon(const ButtonForm& form);

// "標準(&H)": the colour of the button's kind as the form shows it.
OleColor StandardColour(const Settings& settings, std::int32_t sys, bool lockTicked);
// The lock box ticked or not: its caption, and with individual colours off
// the colour of a locked or an ordinary button.
std::wstring_view LockCaption(bool ticked);
void TickLock(ButtonForm& form, bool ticked, const Settings& settings);

// OK: title, folder, parameters (ordinary buttons only), window state (a
// stored state outside 1 to 3 stays unless another item was picked), icon
// (none when it is the button's own file, as the preview then showed), icon
// number, lock and colour. File, Count and Sys never change.
void SaveButtonForm(const ButtonForm& form, ButtonRecord& record);

}  // namespace vornish
