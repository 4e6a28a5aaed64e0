#include "core/SystemObjects.h"

#include <array>
#include <string_view>

#include "core/Paths.h"

namespace vornish {

namespace {

struct Row {
  std::wstring_view title;
  std::wstring_view applet;  // control-panel applet file; empty for 1 and 2
  std::int32_t iconNo9x;
  std::int32_t iconNoNT;
};

// Indexed by number - 1.
constexpr std::array<Row, 13> kTable = {{
    {L"ﾃﾞｽｸﾄｯﾌﾟ", L"", 3, 3},
    {L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", L"", 35, 35},
    {L"ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ", L"SYSDM.CPL", 0, 0},
    {L"画面のﾌﾟﾛﾊﾟﾃｨ", L"DESK.CPL", 0, 1},
    {L"地域のﾌﾟﾛﾊﾟﾃｨ", L"INTL.CPL", 0, 0},
    {L"ﾏｳｽのﾌﾟﾛﾊﾟﾃｨ", L"MAIN.CPL", 0, 0},
    {L"ﾓﾃﾞﾑのﾌﾟﾛﾊﾟﾃｨ", L"MODEM.CPL", 0, 0},
    {L"ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ", L"INETCPL.CPL", 37, 37},
    {L"ﾏﾙﾁﾒﾃﾞｨｱのﾌﾟﾛﾊﾟﾃｨ", L"MMSYS.CPL", 1, 26},
    {L"日付と時刻のﾌﾟﾛﾊﾟﾃｨ", L"TIMEDATE.CPL", 0, 0},
    {L"ｱﾌﾟﾘｹｰｼｮﾝの追加と削除のﾌﾟﾛﾊﾟﾃｨ", L"APPWIZ.CPL", 0, 0},
    {L"ﾈｯﾄﾜｰｸ", L"NETCPL.CPL", 0, 3},  // NCPA.CPL on NT, see AppletFile
    {L"ODBC ﾃﾞｰﾀｿｰｽ ｱﾄﾞﾐﾆｽﾄﾚｰﾀ", L"ODBCCP32.CPL", 0, 0},
}};

constexpr std::int32_t kDesktop = 1;
constexpr std::int32_t kControlPanel = 2;
constexpr std::int32_t kNetwork = 12;

bool InTable(std::int32_t number) { return number >= kFirstSystemObject && number <= kLastSystemObject; }

std::wstring_view AppletFile(std::int32_t number, bool nt) {
  if (number == kNetwork && nt) return L"NCPA.CPL";
  return InTable(number) ? kTable[static_cast<std::size_t>(number - 1)].applet : std::wstring_view{};
}

}  // namespace

SystemObjectEntry DescribeSystemObject(std::int32_t number, const SystemInfo& system) {
  const std::wstring w = GetWindowsDir(system);
  const std::wstring s = GetSystemDir(system);
  const bool nt = system.PlatformId() == kPlatformWin32NT;
  const std::wstring& controlFolder = nt ? s : w;

  SystemObjectEntry e;
  if (number == kDesktop) {
    e.File = w + L"EXPLORER.EXE";
    e.Param = L",/root,";
    e.Path = w;
  } else {
    e.File = controlFolder + L"CONTROL.EXE";
    if (number != kControlPanel) e.Param = s + std::wstring(AppletFile(number, nt));
    if (InTable(number)) {
      e.Path = s;
      e.Icon = number == kControlPanel ? s + L"shell32.dll" : e.Param;
    }
  }
  if (InTable(number)) {
    const Row& row = kTable[static_cast<std::size_t>(number - 1)];
    e.Title = std::wstring(row.title);
    e.IconNo = nt ? row.iconNoNT : row.iconNo9x;
  }
  return e;
}

void RecomputeSystemObject(ButtonRecord& record, std::int32_t number, const SystemInfo& system) {
  SystemObjectEntry e = DescribeSystemObject(number, system);
  record.File = std::move(e.File);
  record.Param = std::move(e.Param);
}

ButtonRecord NewSystemObjectButton(std::int32_t number, const SystemInfo& system, OleColor systemColor) {
  SystemObjectEntry e = DescribeSystemObject(number, system);
  ButtonRecord r;
  r.Title = std::move(e.Title);
  r.File = std::move(e.File);
  r.Path = std::move(e.Path);
  r.Param = std::move(e.Param);
  r.State = kStateNormal;
  r.Icon = std::move(e.Icon);
  r.IconNo = e.IconNo;
  r.Lock = true;
  r.Color = systemColor;
  r.Count = 0;
  r.Sys = number;
  return r;
}

}  // namespace vornish
