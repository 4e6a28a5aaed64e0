#include "dialogs/ButtonForm.h"

#include <array>

#include "core/Text.h"

namespace vornish {

namespace {

constexpr std::array<std::wstring_view, 13> kSystemObjectNames = {
    L"ﾃﾞｽｸﾄｯﾌﾟ",          L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ",         L"ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ",   L"画面のﾌﾟﾛﾊﾟﾃｨ",
    L"地域のﾌﾟﾛﾊﾟﾃｨ",      L"ﾏｳｽのﾌﾟﾛﾊﾟﾃｨ",         L"ﾓﾃﾞﾑのﾌﾟﾛﾊﾟﾃｨ",   L"ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ",
    L"ﾏﾙﾁﾒﾃﾞｨｱのﾌﾟﾛﾊﾟﾃｨ",  L"日付と時刻のﾌﾟﾛﾊﾟﾃｨ", L"ｱﾌﾟﾘｹｰｼｮﾝの追加と削除のﾌﾟﾛﾊﾟﾃｨ",
    L"ﾈｯﾄﾜｰｸ",            L"ODBC ﾃﾞｰﾀｿｰｽ ｱﾄﾞﾐﾆｽﾄﾚｰﾀ",
};

}  // namespace

std::wstring_view SystemObjectName(std::int32_t sys) {
  return sys >= 1 && sys <= 13 ? kSystemObjectNames[static_cast<std::size_t>(sys - 1)] : std::wstring_view{};
}

std::wstring CountText(std::int32_t count) {
  const std::wstring digits = ToDecimal(count < 0 ? -static_cast<std::int64_t>(count) : count);
  std::wstring grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += L',';
    grouped += digits[i];
  }
  return (count < 0 ? L"-" : L"") + grouped + L" 回";
}

int Rank(const ButtonList& buttons, int index) {
  const std::int32_t count = buttons[static_cast<std::size_t>(index)].Count;
  int rank = 1;
  for (const ButtonRecord& b : buttons) rank += !b.File.empty() && b.Count > count ? 1 : 0;
  return rank;
}

ButtonForm LoadButtonForm(const LauncherModel& model, int index) {
  const ButtonRecord& r = model.Buttons[static_cast<std::size_t>(index)];
  ButtonForm f;
  f.iconSource = r.Icon.empty() ? r.File : r.Icon;
  f.iconNumber = r.IconNo + 1;
  f.title = r.Title;
  if (r.Sys == 0) {
    f.targetEnabled = f.paramEnabled = f.lockEnabled = true;
    f.target = r.File;
    f.param = r.Param;
  } else {
    f.target = std::wstring(SystemObjectName(r.Sys));
    f.param = std::wstring(kUnchangeable);
  }
  f.path = r.Path;
  // A stored state outside the three shows as a normal window.
  f.stateItem = r.State >= kStateNormal && r.State <= kStateMaximised ? r.State - 1 : 0;
  f.lock = r.Lock;
  f.colour = r.Color;
  f.count = CountText(r.Count);
  f.coloursEnabled = model.settings.ColorChange;
  f.rank = ToDecimal(Rank(model.Buttons, index)) + L" 位";
  return f;
}

int PreviousIcon(const ButtonForm& form) { return form.iconNumber > 1 ? form.iconNumber - 1 : form.iconNumber; }
int NextIcon(const ButtonForm& form) { return form.iconNumber < form.iconCount ? form.iconNumber + 1 : form.iconNumber; }

OleColor StandardColour(const Settings& s, std::int32_t sys, bool lockTicked) {
  return sys != 0 ? s.SystemColor : lockTicked ? s.LockColor : s.DefColor;
}

std::wstring_view LockCaption(bool ticked) { return ticked ? L"有効" : L"無効"; }

void TickLock(ButtonForm& form, bool ticked, const Settings& settings) {
  form.lock = ticked;
  if (!settings.ColorChange) form.colour = ticked ? settings.LockColor : settings.DefColor;
}

void SaveButtonForm(const ButtonForm& form, ButtonRecord& r) {
  r.Title = form.title;
  r.Path = form.path;
  if (r.Sys == 0) r.Param = form.param;
  const bool stateShown = r.State >= kStateNormal && r.State <= kStateMaximised;
  if (stateShown || form.stateChosen) r.State = form.stateItem + 1;
  r.Icon = form.iconSource == r.File ? std::wstring() : form.iconSource;
  r.IconNo = form.iconNumber - 1;
  r.Lock = form.lock;
  r.Color = form.colour;
}

}  // namespace vornish
