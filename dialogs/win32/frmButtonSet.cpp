#include "dialogs/win32/frmButtonSet.h"

#include "buttons/win32/ShellIcons.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/SystemLibraries.h"
#include "core/win32/WinFileSystem.h"
#include "dialogs/win32/DialogIds.h"
#include "dialogs/win32/DialogParts.h"

namespace vornish::win32 {

namespace {

constexpr int kPreviewPixels = 32;  // at 96 DPI
constexpr std::wstring_view kLockTip =
    L"ﾛｯｸを有効にすると、ﾄﾞﾛｯﾌﾟでｱﾌﾟﾘｹｰｼｮﾝを変更できないかわりに、ﾄﾞﾛｯﾌﾟされたﾌｧｲﾙをｱﾌﾟﾘｹｰｼｮﾝから開くことができます";
// Pairs of display text and pattern, each ended by a null.
constexpr wchar_t kIconFilter[] =
    L"ｱｲｺﾝﾌｧｲﾙ\0*.ico;*.exe;*.dll;*.cur\0ｱｲｺﾝ (*.ICO)\0*.ico\0ﾌﾟﾛｸﾞﾗﾑ (*.EXE)\0*.exe\0"
    L"ﾗｲﾌﾞﾗﾘ (*.DLL)\0*.dll\0すべてのﾌｧｲﾙ (*.*)\0*.*\0";

// The process's current folder, put back when the scope ends: the file dialog
// may change it, and the programs the launcher starts would inherit it.
class CurrentFolderScope {
 public:
  CurrentFolderScope() {
    folder_.resize(::GetCurrentDirectoryW(0, nullptr));
    folder_.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder_.size()), folder_.data()));
  }
  ~CurrentFolderScope() {
    if (!folder_.empty()) ::SetCurrentDirectoryW(folder_.c_str());
  }
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::wstring folder_;
};

// The file the user chose in the open dialog; empty when cancelled.
std::wstring AskIconFile(HWND owner, const std::wstring& current) {
  std::wstring file(32768, L'\0');
  const std::wstring folder = ProgramFolderOf(current);
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = kIconFilter;
  open.nFilterIndex = 1;
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  open.lpstrTitle = L"ｱｲｺﾝﾌｧｲﾙの参照";
  open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  const CurrentFolderScope keep;
  if (!ShowOpenFileDialog(open)) return {};
  file.resize(file.find(L'\0'));
  return file;
}

}  // namespace

frmButtonSet::frmButtonSet(HINSTANCE instance, LauncherModel& model, int index)
    : instance_(instance), model_(model), index_(index), form_(LoadButtonForm(model, index)) {}

bool frmButtonSet::Show(HWND owner) { return ShowModal(instance_, owner, IDD_BUTTONSET) == IDOK; }

int frmButtonSet::PreviewSize() const { return ScaleFromDefaultDpi(kPreviewPixels, static_cast<int>(WindowDpi(hwnd()))); }

bool frmButtonSet::OnInit() {
  TakeOwnerIcons(hwnd());
  // The preview is exactly as large as the icon it shows.
  RECT at{};
  ::GetWindowRect(Item(IDC_BS_ICON), &at);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&at), 2);
  ::SetWindowPos(Item(IDC_BS_ICON), nullptr, at.left, at.top, PreviewSize(), PreviewSize(), SWP_NOZORDER);

  IconDraw(form_.iconNumber - 1);
  SetText(IDC_BS_TITLE, form_.title);
  SetText(IDC_BS_TARGET, form_.target);
  SetText(IDC_BS_PARAM, form_.param);
  Enable(IDC_BS_TARGET, form_.targetEnabled);
  Enable(IDC_BS_PARAM, form_.paramEnabled);
  Enable(IDC_BS_LOCK, form_.lockEnabled);
  SetText(IDC_BS_FOLDER, form_.path);
  ::SendDlgItemMessageW(hwnd(), IDC_BS_FOLDER, EM_LIMITTEXT, MAX_PATH, 0);
  FillList(IDC_BS_STATE, {L"通常のｳｲﾝﾄﾞｳ", L"最小化", L"最大化"});
  Select(IDC_BS_STATE, form_.stateItem);
  Check(IDC_BS_LOCK, form_.lock);
  SetText(IDC_BS_LOCK, LockCaption(form_.lock));
  SetText(IDC_BS_LAUNCHES, form_.count);
  SetText(IDC_BS_RANK, form_.rank);
  Enable(IDC_BS_CHOOSE, form_.coloursEnabled);
  Enable(IDC_BS_STANDARD, form_.coloursEnabled);

  tooltip_ = CreateTooltip(instance_, hwnd());
  for (const int id : {IDC_BS_LOCK_LABEL, IDC_BS_LOCK}) {
    AddTool(tooltip_, Item(id));
    SetToolText(tooltip_, Item(id), std::wstring(kLockTip).c_str());
  }
  return true;
}

void frmButtonSet::IconDraw(int n) {
  preview_.reset();
  form_.iconNumber = n + 1;
  // A file whose reading crashed the launcher is not read until it is chosen again.
  const bool skipped = model_.skipped.Skips(form_.iconSource);
  ShellIconSource source(instance_, PreviewSize());
  form_.iconCount = skipped ? 1 : std::max(source.Count(form_.iconSource), 1);
  SetText(IDC_BS_NUMBER, ToDecimal(form_.iconNumber));
  SetText(IDC_BS_COUNT_ICONS, ToDecimal(form_.iconCount));
  if (!skipped && !form_.iconSource.empty() &&
      ::GetFileAttributesW(ExtendedPath(form_.iconSource).c_str()) != INVALID_FILE_ATTRIBUTES) {
    preview_ = FileIcon(form_.iconSource, n, PreviewSize());
    // A document: the icon its type shows.
    if (!preview_) preview_ = TypeIcon(form_.iconSource, PreviewSize());
  }
  ::InvalidateRect(Item(IDC_BS_ICON), nullptr, TRUE);
}

void frmButtonSet::Browse() {
  const std::wstring file = AskIconFile(hwnd(), form_.iconSource);
  if (file.empty()) return;
  const bool skipped = model_.skipped.Skips(file);
  if (skipped) {
    WinFileSystem fs;
    ReadAgain(model_.skipped, fs, file);
  }
  if (file == form_.iconSource && !skipped) return;
  if (ShellIconSource(instance_, PreviewSize()).Count(file) == 0) {
    ShowMessage(hwnd(), NoIconsInFileMessage());
    return;
  }
  form_.iconSource = file;
  IconDraw(0);
}

void frmButtonSet::ChooseColour() {
  if (const auto colour = PickColour(hwnd(), form_.colour, customColours_)) {
    form_.colour = *colour;
    ShowColour();
  }
  ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
}

void frmButtonSet::ShowColour() { ::InvalidateRect(Item(IDC_BS_SWATCH), nullptr, FALSE); }

void frmButtonSet::Confirm() {
  if (index_ > model_.ButtonLast()) return End(IDCANCEL);
  form_.title = Text(IDC_BS_TITLE);
  form_.path = Text(IDC_BS_FOLDER);
  form_.param = Text(IDC_BS_PARAM);
  if (Selected(IDC_BS_STATE) >= 0) form_.stateItem = Selected(IDC_BS_STATE);
  SaveButtonForm(form_, model_.Buttons[static_cast<std::size_t>(index_)]);
  End(IDOK);
}

bool frmButtonSet::OnCommand(int id, int code) {
  switch (id) {
    case IDC_BS_PREVIOUS:
      if (PreviousIcon(form_) != form_.iconNumber) IconDraw(PreviousIcon(form_) - 1);
      return true;
    case IDC_BS_NEXT:
      if (NextIcon(form_) != form_.iconNumber) IconDraw(NextIcon(form_) - 1);
      return true;
    case IDC_BS_BROWSE:
      Browse();
      return true;
    case IDC_BS_CHOOSE:
      ChooseColour();
      return true;
    case IDC_BS_STANDARD:
      form_.colour = StandardColour(model_.settings, model_.Buttons[static_cast<std::size_t>(index_)].Sys,
                                    Checked(IDC_BS_LOCK));
      ShowColour();
      return true;
    case IDC_BS_LOCK:
      if (code != BN_CLICKED) return false;
      TickLock(form_, Checked(IDC_BS_LOCK), model_.settings);
      SetText(IDC_BS_LOCK, LockCaption(form_.lock));
      ShowColour();
      return true;
    case IDC_BS_STATE:
      if (code == CBN_SELCHANGE) form_.stateChosen = true;
      return code == CBN_SELCHANGE;
    case IDC_BS_TITLE:
    case IDC_BS_TARGET:
    case IDC_BS_FOLDER:
    case IDC_BS_PARAM:
      // Entering a field selects all of it (posted: a click places the caret after the focus).
      if (code == EN_SETFOCUS) ::PostMessageW(Item(id), EM_SETSEL, 0, -1);
      return code == EN_SETFOCUS;
    case IDOK:
      Confirm();
      return true;
    default:
      return false;
  }
}

std::optional<INT_PTR> frmButtonSet::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return std::nullopt;
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item.CtlID == IDC_BS_SWATCH) {
    DrawSwatch(item, form_.colour);
  } else if (item.CtlID == IDC_BS_ICON) {
    FillSolid(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNFACE));
    if (preview_) ::DrawIconEx(item.hDC, 0, 0, preview_.get(), PreviewSize(), PreviewSize(), 0, nullptr, DI_NORMAL);
  }
  return TRUE;
}

}  // namespace vornish::win32
