#include "dialogs/win32/frmSet.h"

#include <commctrl.h>

#include <stdexcept>

#include "core/Twips.h"
#include "core/Messages.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/SystemLibraries.h"
#include "dialogs/win32/DialogIds.h"
#include "dialogs/win32/DialogParts.h"
#include "res/resource.h"

namespace vornish::win32 {

namespace {

constexpr int kPositionSideTwips = 390;
constexpr std::array<const wchar_t*, 5> kPositionTips = {L"浮動", L"左揃え", L"上揃え", L"右揃え", L"下揃え"};
// Where each position button sits in the cross, in button sides from the middle.
constexpr std::array<POINT, 5> kPositionCross = {{{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

}  // namespace

frmSet::frmSet(HINSTANCE instance, LauncherModel& model, SystemObjectButtons& buttons, std::wstring programFolder)
    : instance_(instance),
      model_(model),
      launcher_(buttons),
      programFolder_(std::move(programFolder)),
      form_(LoadSettingsForm(model)) {}

bool frmSet::Show(HWND owner) { return ShowModal(instance_, owner, IDD_SET) == IDOK; }

bool frmSet::OnInit() {
  TakeOwnerIcons(hwnd());
  const HWND tabs = Item(IDC_SET_TABS);
  int index = 0;
  for (const wchar_t* name : {L"ボタン", L"ｼｽﾃﾑｵﾌﾞｼﾞｪｸﾄ", L"その他"}) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(name);
    ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&tab));
  }
  CreatePages();

  buttons_.FillList(IDC_SET_SIZE, {L"16 × 16", L"24 × 24", L"32 × 32"});
  buttons_.Select(IDC_SET_SIZE, form_.sizeItem);
  buttons_.Check(IDC_SET_COLOR_CHANGE, form_.colorChange);
  for (int k = 0; k < kSystemObjectCount; ++k) {
    system_.Check(IDC_SET_SYSTEM0 + k, form_.systemObject[static_cast<std::size_t>(k)]);
  }
  other_.FillList(IDC_SET_DBLCLICK, {L"ﾗﾝﾁｬｰ非表示", L"ﾗﾝﾁｬｰ設定", L"終了"});
  other_.Select(IDC_SET_DBLCLICK, form_.dblClickItem);
  other_.FillList(IDC_SET_BAR_COLOUR, {kBarColours[0].name, kBarColours[1].name, kBarColours[2].name,
                                       kBarColours[3].name, kBarColours[4].name, kBarColours[5].name,
                                       kBarColours[6].name});
  other_.Select(IDC_SET_BAR_COLOUR, form_.colourItem);
  other_.Check(IDC_SET_WINDOW_TOP, form_.windowTop);
  other_.Check(IDC_SET_COUNT, form_.countEnable);
  other_.Check(IDC_SET_STARTUP, form_.startup);
  other_.FillList(IDC_SET_TASKBAR, {L"左", L"上", L"右", L"下"});
  other_.Select(IDC_SET_TASKBAR, form_.taskBarItem);

  tooltip_ = CreateTooltip(instance_, hwnd());
  PlacePositionButtons();
  ShowOrientAndPosition();
  ShowPage(0);
  return true;
}

void frmSet::CreatePages() {
  const HWND tabs = Item(IDC_SET_TABS);
  RECT area{};
  ::GetWindowRect(tabs, &area);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  // Each page follows the tab strip in the Tab order, before OK and CANCEL.
  HWND after = tabs;
  for (const auto& [page, id] : {std::pair{&buttons_, IDD_SET_BUTTONS}, std::pair{&system_, IDD_SET_SYSTEM},
                                 std::pair{&other_, IDD_SET_OTHER}}) {
    if (!page->CreatePage(instance_, hwnd(), id)) throw std::runtime_error("settings page");
    UseTabBackground(page->hwnd());
    ::SetWindowPos(page->hwnd(), after, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOACTIVATE);
    after = page->hwnd();
  }
}

void frmSet::ShowPage(int page) {
  const HWND focus = ::GetFocus();
  int index = 0;
  for (const Page* p : {&buttons_, &system_, &other_}) {
    const bool shown = index++ == page;
    // The focus leaves a page that goes for the tab strip. A hidden page is
    // disabled too: no click, not even one another program posts, puts the
    // focus on a control the dialog manager cannot walk to.
    if (!shown && ::IsChild(p->hwnd(), focus)) ::SetFocus(Item(IDC_SET_TABS));
    ::EnableWindow(p->hwnd(), shown);
    ::ShowWindow(p->hwnd(), shown ? SW_SHOW : SW_HIDE);
  }
}

void frmSet::PlacePositionButtons() {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  const int side = TwipsToPixels(kPositionSideTwips, dpi);
  const int iconSize = MetricForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
  RECT frame{};
  ::GetWindowRect(other_.Item(IDC_SET_POSITION_FRAME), &frame);
  ::MapWindowPoints(nullptr, other_.hwnd(), reinterpret_cast<POINT*>(&frame), 2);
  // The frame's caption takes the top line: the cross sits in the rest.
  const int captionHeight = ScaleFromDefaultDpi(8, dpi);
  const int middleX = (frame.left + frame.right) / 2;
  const int middleY = (frame.top + captionHeight + frame.bottom) / 2;
  for (std::size_t i = 0; i < kPositionCross.size(); ++i) {
    const HWND button = other_.Item(IDC_SET_POSITION0 + static_cast<int>(i));
    ::SetWindowPos(button, nullptr, middleX - side / 2 + kPositionCross[i].x * side,
                   middleY - side / 2 + kPositionCross[i].y * side, side, side, SWP_NOZORDER | SWP_NOACTIVATE);
    positionIcons_[i] = LoadIconResource(instance_, IDI_CENTER + static_cast<int>(i), iconSize);
    ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(positionIcons_[i].get()));
    AddTool(tooltip_, button);
    SetToolText(tooltip_, button, kPositionTips[i]);
  }
}

void frmSet::ShowOrientAndPosition() {
  buttons_.Check(IDC_SET_ROW, form_.orient == 0);
  buttons_.Check(IDC_SET_COLUMN, form_.orient == 1);
  for (int i = 0; i < static_cast<int>(kPositionCross.size()); ++i) {
    other_.Check(IDC_SET_POSITION0 + i, form_.position == i);
  }
}

bool frmSet::PreviewMessage(const MSG& message) {
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, wherever the focus is.
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) >= 0) return false;
  const HWND tabs = Item(IDC_SET_TABS);
  const int page = SwitchPage(static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0)), ::GetKeyState(VK_SHIFT) < 0);
  ::SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  ShowPage(page);
  return true;
}

std::optional<INT_PTR> frmSet::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return std::nullopt;
  const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
  if (header.idFrom != IDC_SET_TABS || header.code != TCN_SELCHANGE) return std::nullopt;
  ShowPage(static_cast<int>(::SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
  return TRUE;
}

std::optional<INT_PTR> frmSet::Page::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return std::nullopt;
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const int swatch = static_cast<int>(item.CtlID) - IDC_SET_SWATCH0;
  if (swatch < 0 || swatch >= 3) return std::nullopt;
  DrawSwatch(item, dialog_.form_.colours[static_cast<std::size_t>(swatch)]);
  return TRUE;
}

bool frmSet::OnCommand(int id, int) {
  if (id != IDOK) return false;
  Confirm();
  return true;
}

bool frmSet::OnPageCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_SET_ROW || id == IDC_SET_COLUMN) {
    ChooseOrient(form_, id == IDC_SET_COLUMN ? 1 : 0);
  } else if (id >= IDC_SET_POSITION0 && id < IDC_SET_POSITION0 + 5) {
    PressPosition(form_, id - IDC_SET_POSITION0);
  } else if (id >= IDC_SET_CHOOSE0 && id <= IDC_SET_STANDARD2) {
    const bool choose = id <= IDC_SET_CHOOSE2;
    const auto swatch = static_cast<std::size_t>(choose ? id - IDC_SET_CHOOSE0 : id - IDC_SET_STANDARD0);
    OleColor& colour = form_.colours[swatch];
    if (!choose) {
      colour = kStandardSwatchColours[swatch];
    } else if (const auto chosen = PickColour(hwnd(), colour, customColours_)) {
      colour = *chosen;
    }
    ::InvalidateRect(buttons_.Item(IDC_SET_SWATCH0 + static_cast<int>(swatch)), nullptr, FALSE);
    if (choose) ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    return true;
  } else if (id == IDC_SET_SELECT_ALL || id == IDC_SET_CLEAR_ALL) {
    // Only the boxes: buttons change on OK.
    for (int k = 0; k < kSystemObjectCount; ++k) system_.Check(IDC_SET_SYSTEM0 + k, id == IDC_SET_SELECT_ALL);
    ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(system_.Item(IDC_SET_SYSTEM0)), TRUE);
    return true;
  } else {
    return false;
  }
  ShowOrientAndPosition();
  return true;
}

void frmSet::Confirm() {
  // OK again while its question is up (another program may press it: the
  // dialog itself takes no input then) does nothing.
  if (confirming_) return;
  confirming_ = true;
  const struct Done {
    bool& confirming;
    ~Done() { confirming = false; }
  } done{confirming_};
  form_.sizeItem = buttons_.Selected(IDC_SET_SIZE);
  form_.colorChange = buttons_.Checked(IDC_SET_COLOR_CHANGE);
  for (int k = 0; k < kSystemObjectCount; ++k) {
    form_.systemObject[static_cast<std::size_t>(k)] = system_.Checked(IDC_SET_SYSTEM0 + k);
  }
  form_.dblClickItem = other_.Selected(IDC_SET_DBLCLICK);
  form_.colourItem = std::max(other_.Selected(IDC_SET_BAR_COLOUR), 0);
  form_.windowTop = other_.Checked(IDC_SET_WINDOW_TOP);
  form_.countEnable = other_.Checked(IDC_SET_COUNT);
  form_.startup = other_.Checked(IDC_SET_STARTUP);
  form_.taskBarItem = other_.Selected(IDC_SET_TASKBAR);
  bool clearCounts = false;
  if (AsksToClearCounts(form_, model_.settings)) {
    clearCounts = ShowMessage(hwnd(), ClearCountsQuestion());
    // CANCEL pressed while the question was up: nothing applies.
    if (Ended()) return;
  }
  const BusyCursor busy;
  SaveSettingsForm(form_, model_, programFolder_, *this, clearCounts);
  End(IDOK);
}

void frmSet::CreateStartupLink(std::wstring_view arguments) {
  win32::CreateStartupLink(hwnd(), kStartupFolder, kAppTitle, ProgramPath(), arguments);
}

}  // namespace vornish::win32
