#include "dialogs/SettingsForm.h"

#include "core/Editing.h"
#include "core/Paths.h"

namespace vornish {

namespace {

constexpr std::array<std::wstring_view, kSystemObjectCount> kCaptions = {
    L"ﾃﾞｽｸﾄｯﾌﾟ：",         L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ：",        L"ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ：",  L"画面のﾌﾟﾛﾊﾟﾃｨ：",
    L"地域のﾌﾟﾛﾊﾟﾃｨ",       L"ﾏｳｽのﾌﾟﾛﾊﾟﾃｨ：",        L"ﾓﾃﾞﾑのﾌﾟﾛﾊﾟﾃｨ：",  L"ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ：",
    L"ﾏﾙﾁﾒﾃﾞｨｱのﾌﾟﾛﾊﾟﾃｨ：", L"日付と時刻のﾌﾟﾛﾊﾟﾃｨ：", L"ｱﾌﾟﾘｹｰｼｮﾝの追加と削除：", L"ﾈｯﾄﾜｰｸ：",
    L"ODBC ﾃﾞｰﾀｿｰｽ：",
};

constexpr std::int32_t kSizes[] = {16, 24, 32};

// The index of `value` in 0..count-1, -1 when it is none of them.
int Item(std::int32_t value, int count) { return value >= 0 && value < count ? value : -1; }

}  // namespace

int SwitchPage(int current, bool back) {
  return (current + (back ? kSettingsPageCount - 1 : 1)) % kSettingsPageCount;
}

std::wstring_view SystemObjectCaption(int k) { return kCaptions[static_cast<std::size_t>(k)]; }

SettingsForm LoadSettingsForm(const LauncherModel& model) {
  const Settings& s = model.settings;
  SettingsForm f;
  f.sizeItem = s.Size == 16 ? 0 : s.Size == 24 ? 1 : s.Size == 32 ? 2 : -1;
  f.orient = s.Orient == 0 ? 0 : 1;
  f.colours = {s.DefColor, s.LockColor, s.SystemColor};
  f.colorChange = s.ColorChange;
  f.shownAt.fill(-1);
  for (int i = 0; i <= model.ButtonLast(); ++i) {
    const std::int32_t sys = model.Buttons[static_cast<std::size_t>(i)].Sys;
    if (sys >= 1 && sys <= kSystemObjectCount) {
      f.systemObject[static_cast<std::size_t>(sys - 1)] = true;
      f.shownAt[static_cast<std::size_t>(sys - 1)] = i;
    }
  }
  f.dblClickItem = Item(s.ControlDblClick, 3);
  f.colourItem = 0;
  for (std::size_t i = 0; i < kBarColours.size(); ++i) {
    if (kBarColours[i].colour == s.ControlColor) {
      f.colourItem = static_cast<int>(i);
      break;
    }
  }
  f.windowTop = s.WindowTop;
  f.countEnable = s.CountEnable;
  f.position = Item(s.Position, 5);
  f.taskBarItem = Item(s.TaskBar - 1, 4);
  return f;
}

void PressPosition(SettingsForm& form, int position) {
  form.position = position;
  if (position == kPositionLeft || position == kPositionRight) form.orient = 1;
  if (position == kPositionTop || position == kPositionBottom) form.orient = 0;
}

void ChooseOrient(SettingsForm& form, int orient) {
  form.orient = orient;
  const bool column = form.position == kPositionLeft || form.position == kPositionRight;
  const bool row = form.position == kPositionTop || form.position == kPositionBottom;
  if ((orient == 1 && row) || (orient == 0 && column)) form.position = kPositionFloating;
}

bool AsksToClearCounts(const SettingsForm& form, const Settings& settings) {
  return !settings.CountEnable && form.countEnable;
}

void SaveSettingsForm(const SettingsForm& form, LauncherModel& model, std::wstring_view programFolder,
                      SettingsHost& host, bool clearCounts) {
  // What OK does to the buttons and their counts is undone as one change.
  const UndoHistory::Change change(model.history);
  Settings& s = model.settings;
  if (clearCounts && AsksToClearCounts(form, s)) ClearCounts(model);
  if (form.sizeItem >= 0) s.Size = kSizes[form.sizeItem];
  s.Orient = form.orient;
  s.DefColor = form.colours[0];
  s.LockColor = form.colours[1];
  s.SystemColor = form.colours[2];
  s.ColorChange = form.colorChange;
  for (int k = 0; k < kSystemObjectCount; ++k) {
    const std::int32_t number = k + 1;
    const bool ticked = form.systemObject[static_cast<std::size_t>(k)];
    const bool shown = form.shownAt[static_cast<std::size_t>(k)] >= 0;
    if (ticked && !shown) host.AddSystemObject(number);
    if (!ticked && shown) {
      for (int i = model.ButtonLast(); i >= 0; --i) {
        if (model.Buttons[static_cast<std::size_t>(i)].Sys == number) {
          host.DeleteButton(i);
          break;
        }
      }
    }
  }
  if (form.dblClickItem >= 0) s.ControlDblClick = form.dblClickItem;
  s.ControlColor = kBarColours[static_cast<std::size_t>(form.colourItem)].colour;
  s.WindowTop = form.windowTop;
  s.CountEnable = form.countEnable;
  if (form.startup) {
    host.CreateStartupLink(model.DataFilePath == DefaultDataFilePath(programFolder) ? std::wstring_view{}
                                                                                     : model.DataFilePath);
  }
  if (form.position >= 0) s.Position = form.position;
  if (form.taskBarItem >= 0) s.TaskBar = form.taskBarItem + 1;
}

}  // namespace vornish
