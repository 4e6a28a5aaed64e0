// The launcher settings dialog ("ランチャー設定") without its window: what it
// shows of the settings, how its controls hang together, and what OK does.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/Colour.h"
#include "core/Launcher.h"

namespace vornish {

inline constexpr int kSystemObjectCount = 13;

// The control bar's colours offered, in their order.
struct BarColour {
  std::wstring_view name;
  OleColor colour;
};
inline constexpr std::array<BarColour, 7> kBarColours = {{
    {L"Windows標準", 0x000000},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ青", 0xFF0000},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ赤", 0x0000FF},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ緑", 0x00FF00},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ黄", 0x00FFFF},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ水", 0xFFFF00},
    {L"ｸﾞﾗﾃﾞｨｴｰｼｮﾝ紫", 0xFF00FF},
}};

// What "標準" gives each swatch: the default colours of standard, locked and
// system-object buttons.
inline constexpr std::array<OleColor, 3> kStandardSwatchColours = {Settings().DefColor, Settings().LockColor,
                                                                    Settings().SystemColor};

// The pages, in the order of their tabs.
inline constexpr int kSettingsPageCount = 3;
// The page Ctrl+Tab (or with `back` Ctrl+Shift+Tab) goes to: they wrap.
int SwitchPage(int current, bool back);

// The caption of the check box of system object `k` + 1.
std::wstring_view SystemObjectCaption(int k);

struct SettingsForm {
  int sizeItem = 2;  // "16 × 16", "24 × 24", "32 × 32"; -1 for none
  int orient = 0;    // 0 "横", 1 "縦"
  std::array<OleColor, 3> colours{};  // standard, locked, system objects
  bool colorChange = true;
  std::array<bool, kSystemObjectCount> systemObject{};
  // The button that shows each system object when the dialog opened, -1 for none.
  std::array<int, kSystemObjectCount> shownAt{};
  int dblClickItem = 0;  // -1 for none
  int colourItem = 0;
  bool windowTop = false;
  bool countEnable = true;
  bool startup = false;  // always unticked when the dialog opens
  int position = 0;      // the pressed position button, -1 for none
  int taskBarItem = 3;   // "左", "上", "右", "下"; -1 for none
};

SettingsForm LoadSettingsForm(const LauncherModel& model);

// A position button pressed: a left or right edge takes a column, a top or
// bottom edge a row.
void PressPosition(SettingsForm& form, int position);
// An orientation chosen: one that does not fit the edge pressed makes the
// launcher float.
void ChooseOrient(SettingsForm& form, int orient);

// The buttons OK adds and removes: the main window's.
class SystemObjectButtons {
 public:
  virtual ~SystemObjectButtons() = default;
  virtual void AddSystemObject(std::int32_t number) = 0;
  virtual void DeleteButton(int index) = 0;
};

// What OK asks of the windows: the buttons, and the start-up shortcut, whose
// failures the dialog tells as its own messages.
class SettingsHost : public SystemObjectButtons {
 public:
  virtual void CreateStartupLink(std::wstring_view arguments) = 0;
};

// OK asks first whether to clear the counts so far (ClearCountsQuestion()):
// when counting is being switched on.
bool AsksToClearCounts(const SettingsForm& form, const Settings& settings);

// OK, once that is answered (`clearCounts` the answer): counts cleared, the
// settings copied (a list without a selection leaves its setting), system
// objects added in number order or removed from the highest index, the
// start-up shortcut created (with the data file as argument unless it is the
// default one beside `programFolder`).
void SaveSettingsForm(const SettingsForm& form, LauncherModel& model, std::wstring_view programFolder,
                      SettingsHost& host, bool clearCounts);

}  // namespace vornish
