#include "dialogs/win32/frmLanking.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/Twips.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "dialogs/Ranking.h"
#include "dialogs/win32/DialogIds.h"
#include "dialogs/win32/DialogParts.h"

namespace vornish::win32 {

namespace {

struct Column {
  const wchar_t* caption;
  int format;
  std::int32_t twips;
  const wchar_t* widest;  // the longest text it must show whole
};
constexpr Column kColumns[] = {
    {L"ﾀｲﾄﾙ", LVCFMT_LEFT, 2500, L""},
    {L"起動回数", LVCFMT_RIGHT, 700, L"2147483647"},
    {L"順位", LVCFMT_RIGHT, 400, L"9999"},
};

void SetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void frmLanking::Show(HWND owner) { ShowModal(instance_, owner, IDD_LANKING); }

bool frmLanking::OnInit() {
  TakeOwnerIcons(hwnd());
  const HWND list = Item(IDC_LANK_LIST);
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumns();
  FillList();
  ::SetFocus(list);
  return false;
}

void frmLanking::AddColumns() {
  const HWND list = Item(IDC_LANK_LIST);
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  // Room for the header's or the widest cell's text, whichever is longer,
  // beside the margins the list view keeps.
  const auto fitting = [&](const Column& c) {
    const int margin = ScaleFromDefaultDpi(16, dpi);
    const auto width = [&](const wchar_t* text) {
      return static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))) + margin;
    };
    return std::max({TwipsToPixels(c.twips, dpi), width(c.caption), width(c.widest)});
  };
  RECT client{};
  ::GetClientRect(list, &client);
  // The title takes what the numbers leave, so that no horizontal scroll bar shows.
  int title = client.right - MetricForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi));
  for (std::size_t i = 1; i < std::size(kColumns); ++i) title -= fitting(kColumns[i]);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    const Column& c = kColumns[i];
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = c.format;
    column.cx = i == 0 ? std::max(title, fitting(c)) : fitting(c);
    column.pszText = const_cast<wchar_t*>(c.caption);
    column.iSubItem = i;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void frmLanking::FillList() {
  const HWND list = Item(IDC_LANK_LIST);
  const std::vector<RankingRow> rows = RankingRows(model_.Buttons);
  int row = 0;
  for (const RankingRow& r : rows) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(r.title.c_str());
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(list, row, 1, r.count);
    SetCell(list, row, 2, r.rank);
    ++row;
  }
  if (rows.empty()) return;
  LVITEMW first{};
  first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
}

void frmLanking::cmdFunc_Click(int Index) {
  if (Index == 0) return End(IDOK);
  if (ClearRanking(model_, [&](const Message& question) { return ShowMessage(hwnd(), question); })) {
    return End(IDOK);
  }
  ::SetFocus(Item(IDC_LANK_LIST));
}

bool frmLanking::OnCommand(int id, int code) {
  if (code != BN_CLICKED || (id != IDOK && id != IDC_LANK_CLEAR)) return false;
  cmdFunc_Click(id == IDOK ? 0 : 1);
  return true;
}

}  // namespace vornish::win32
