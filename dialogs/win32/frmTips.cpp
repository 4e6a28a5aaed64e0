#include "dialogs/win32/frmTips.h"

#include <chrono>

#include "dialogs/Tips.h"
#include "dialogs/win32/DialogIds.h"
#include "dialogs/win32/DialogParts.h"
#include "res/resource.h"

namespace vornish::win32 {

frmTips::frmTips(HINSTANCE instance, SettingsStore& store)
    : instance_(instance),
      store_(store),
      random_(static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count())) {}

void frmTips::Show(HWND owner) {
  ShowModal(instance_, owner, IDD_TIPS);
  // OK and the close box alike keep the box's state for the next start.
  SaveStartTips(store_, startTips_);
}

bool frmTips::OnInit() {
  TakeOwnerIcons(hwnd());
  onePoint_ = ShowIcon(instance_, Item(IDC_TIPS_ICON), IDI_ONEPOINT);
  startTips_ = ReadStartTips(store_);
  Check(IDC_TIPS_START, startTips_);
  tip_ = 0;
  cmdPaging_Click(static_cast<int>(Paging::Next));
  return true;
}

void frmTips::cmdPaging_Click(int Index) {
  tip_ = PageTip(tip_, Index, std::uniform_real_distribution<double>(0.0, 1.0)(random_));
  SetText(IDC_TIPS_NUMBER, TipNumber(tip_));
  SetText(IDC_TIPS_TEXT, Tip(tip_));
}

bool frmTips::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_TIPS_NEXT:
    case IDC_TIPS_PREVIOUS:
    case IDC_TIPS_RANDOM:
      cmdPaging_Click(id - IDC_TIPS_NEXT);
      return true;
    case IDC_TIPS_START:
      startTips_ = Checked(IDC_TIPS_START);
      return true;
    case IDOK:
      End(IDOK);
      return true;
    default:
      return false;
  }
}

std::optional<INT_PTR> frmTips::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CTLCOLORSTATIC) return std::nullopt;
  // The tip and its labels stand on white; the check box keeps the dialog's colours.
  if (reinterpret_cast<HWND>(lParam) == Item(IDC_TIPS_START)) return std::nullopt;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<INT_PTR>(white_.get());
}

}  // namespace vornish::win32
