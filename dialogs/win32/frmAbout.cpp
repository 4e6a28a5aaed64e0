#include "dialogs/win32/frmAbout.h"

#include <shellapi.h>

#include <algorithm>

#include "buttons/Launch.h"
#include "buttons/win32/Launching.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/RegistryStore.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/SystemLibraries.h"
#include "dialogs/win32/DialogIds.h"
#include "dialogs/win32/DialogParts.h"
#include "res/resource.h"

namespace vornish::win32 {

namespace {

constexpr const wchar_t* kFace = L"ＭＳ Ｐゴシック";
constexpr int kTitleTenthPoints = 120;
constexpr int kLinkTenthPoints = 98;  // 9.75 points, as near as tenths go
// The title's white copy lies this far right of and below it.
constexpr std::int32_t kShadowTwipsX = 15;
constexpr std::int32_t kShadowTwipsY = 30;
constexpr COLORREF kLitColour = RGB(0, 0, 255);

constexpr const wchar_t* kMailTip = L"ｸﾘｯｸするとｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰし、ﾀﾞﾌﾞﾙｸﾘｯｸするとﾒｰﾗｰを起動します。";
constexpr const wchar_t* kWebTip = L"ｸﾘｯｸするとｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰし、ﾀﾞﾌﾞﾙｸﾘｯｸするとﾎｰﾑﾍﾟｰｼﾞへｼﾞｬﾝﾌﾟします。";

// The title from the program's own version resource; the bare name when it has none.
std::wstring ProgramTitle() {
  const auto info = FileVersion(ProgramPath().c_str());
  if (!info) return L"Vornish";
  return VersionTitle(HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS));
}

// The face at `tenthPoints` for `dpi`; a system without it picks a Japanese
// face of its own.
UniqueFont MakeFont(int tenthPoints, UINT dpi, bool bold, bool underline) {
  LOGFONTW font{};
  font.lfHeight = -TenthPointsToPixels(tenthPoints, static_cast<int>(dpi));
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  ::wcsncpy_s(font.lfFaceName, kFace, _TRUNCATE);
  return UniqueFont(::CreateFontIndirectW(&font));
}

SIZE TextSize(HWND window, HFONT font, const std::wstring& text) {
  const WindowDc dc(window);
  const SelectScope select(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

RECT RectIn(HWND parent, HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

frmAbout::frmAbout(HINSTANCE instance, const FileSystem& fs, std::wstring programFolder)
    : instance_(instance), fs_(fs), programFolder_(std::move(programFolder)) {}

void frmAbout::Show(HWND owner) { ShowModal(instance_, owner, IDD_ABOUT); }

bool frmAbout::OnInit() {
  title_ = ProgramTitle();
  SetText(IDC_ABOUT_TITLE, title_);
  SetText(IDC_ABOUT_MAIL, kContactAddresses);
  SetText(IDC_ABOUT_WEB, HelpLinkCaption(programFolder_));
  MakeIconsAndFonts();
  PlaceLabels();
  tooltip_ = CreateTooltip(instance_, hwnd());
  for (const auto& [id, tip] : {std::pair{IDC_ABOUT_MAIL, kMailTip}, std::pair{IDC_ABOUT_WEB, kWebTip}}) {
    AddTool(tooltip_, Item(id));
    SetToolText(tooltip_, Item(id), tip);
  }
  return true;
}

void frmAbout::MakeIconsAndFonts() {
  const UINT dpi = WindowDpi(hwnd());
  icons_ = LoadWindowIcons(instance_, IDI_WIN, dpi);
  SetWindowIcons(hwnd(), icons_);
  appIcon_ = ShowIcon(instance_, Item(IDC_ABOUT_ICON), IDI_APP);
  titleFont_ = MakeFont(kTitleTenthPoints, dpi, true, false);
  linkFont_ = MakeFont(kLinkTenthPoints, dpi, false, false);
  litFont_ = MakeFont(kLinkTenthPoints, dpi, false, true);
  for (const int id : {IDC_ABOUT_MAIL, IDC_ABOUT_WEB}) {
    ::SendDlgItemMessageW(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
  }
}

void frmAbout::PlaceLabels() {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  // The title and its shadow whole, whatever face the system gave.
  const HWND title = Item(IDC_ABOUT_TITLE);
  const SIZE text = TextSize(title, titleFont_.get(), title_);
  ::SetWindowPos(title, nullptr, 0, 0, text.cx + TwipsToPixels(kShadowTwipsX, dpi) + 1,
                 text.cy + TwipsToPixels(kShadowTwipsY, dpi) + 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Each link as wide as its text, short of the buttons; with no addresses the
  // web label takes the mail label's place.
  const RECT mailAt = RectIn(hwnd(), Item(IDC_ABOUT_MAIL));
  const int right = RectIn(hwnd(), Item(IDOK)).left - ScaleFromDefaultDpi(8, dpi);
  const bool mail = !kContactAddresses.empty();
  ::ShowWindow(Item(IDC_ABOUT_MAIL), mail ? SW_SHOWNA : SW_HIDE);
  int top = mailAt.top;
  for (const int id : {IDC_ABOUT_MAIL, IDC_ABOUT_WEB}) {
    if (id == IDC_ABOUT_MAIL && !mail) continue;
    const HWND label = Item(id);
    const SIZE size = TextSize(label, linkFont_.get(), Text(id));
    ::SetWindowPos(label, nullptr, mailAt.left, top, std::min<int>(size.cx + 1, right - mailAt.left), size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    top += size.cy + ScaleFromDefaultDpi(8, dpi);
  }
}

void frmAbout::DrawTitle(const DRAWITEMSTRUCT& item) {
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  FillSolid(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNFACE));
  const SelectScope font(item.hDC, titleFont_.get());
  ::SetBkMode(item.hDC, TRANSPARENT);
  const int length = static_cast<int>(title_.size());
  // The white copy first, below and to the right: the title stands out of the window.
  ::SetTextColor(item.hDC, RGB(255, 255, 255));
  ::TextOutW(item.hDC, item.rcItem.left + TwipsToPixels(kShadowTwipsX, dpi),
             item.rcItem.top + TwipsToPixels(kShadowTwipsY, dpi), title_.c_str(), length);
  ::SetTextColor(item.hDC, ::GetSysColor(COLOR_BTNTEXT));
  ::TextOutW(item.hDC, item.rcItem.left, item.rcItem.top, title_.c_str(), length);
}

Link frmAbout::LinkOf(HWND control) const {
  if (control == Item(IDC_ABOUT_MAIL)) return Link::Mail;
  if (control == Item(IDC_ABOUT_WEB)) return Link::Web;
  return Link::None;
}

void frmAbout::Light(Link link) {
  if (link == lit_) return;
  lit_ = link;
  for (const int id : {IDC_ABOUT_MAIL, IDC_ABOUT_WEB}) {
    const bool lit = LinkOf(Item(id)) == lit_;
    ::SendDlgItemMessageW(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(lit ? litFont_.get() : linkFont_.get()),
                          TRUE);
  }
}

bool frmAbout::PreviewMessage(const MSG& message) {
  if (message.message == WM_MOUSEMOVE) {
    const Link link = LinkOf(message.hwnd);
    const Pointer pointer = link == Link::Mail  ? Pointer::MailLabel
                            : link == Link::Web ? Pointer::WebLabel
                            : message.hwnd == hwnd() ? Pointer::Background
                                                     : Pointer::OtherLabel;
    Light(LitLink(lit_, pointer));
  }
  return false;
}

void frmAbout::lblInfo_Click(Link link) {
  const std::wstring caption = Text(link == Link::Mail ? IDC_ABOUT_MAIL : IDC_ABOUT_WEB);
  CopyToClipboard(hwnd(), LinkClipboardText(link, caption));
}

void frmAbout::lblInfo_DblClick(Link link) {
  const std::wstring caption = Text(link == Link::Mail ? IDC_ABOUT_MAIL : IDC_ABOUT_WEB);
  if (link == Link::Web) lblInfo_Click(link);
  // Whether it opened is not told: the user sees it.
  ::ShellExecuteW(hwnd(), L"open", LinkTarget(link, caption).c_str(), nullptr, fs_.CurrentDirectory().c_str(),
                  SW_SHOWNORMAL);
}

void frmAbout::RunSystemInfo() {
  const std::wstring program = SystemInfoProgram(WinRegistry(), fs_);
  if (program.empty()) return;
  LaunchPlan plan;
  plan.kind = LaunchPlan::Kind::Process;
  plan.program = program;
  plan.commandLine = ProcessCommandLine(program, {});
  plan.show = kStateNormal;
  // A program that does not start is as if none were registered.
  ShellStarter(hwnd()).CarryOut(plan);
}

bool frmAbout::OnCommand(int id, int code) {
  switch (id) {
    case IDC_ABOUT_MAIL:
    case IDC_ABOUT_WEB:
      if (code == STN_CLICKED) lblInfo_Click(LinkOf(Item(id)));
      if (code == STN_DBLCLK) lblInfo_DblClick(LinkOf(Item(id)));
      return code == STN_CLICKED || code == STN_DBLCLK;
    case IDC_ABOUT_SYSINFO:
      if (code == BN_CLICKED) RunSystemInfo();
      return code == BN_CLICKED;
    case IDOK:
      End(IDOK);
      return true;
    default:
      return false;
  }
}

std::optional<INT_PTR> frmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && wParam == IDC_ABOUT_TITLE) {
    DrawTitle(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == WM_CTLCOLORSTATIC) {
    const Link link = LinkOf(reinterpret_cast<HWND>(lParam));
    if (link == Link::None) return std::nullopt;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, link == lit_ ? kLitColour : ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
  }
  return std::nullopt;
}

}  // namespace vornish::win32
