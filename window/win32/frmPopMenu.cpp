#include "window/win32/frmPopMenu.h"

#include <initializer_list>
#include <optional>

#include "window/win32/Docking.h"

namespace vornish::win32 {

namespace {

// Menu item identifiers: a base per menu plus the item's index.
constexpr UINT kPopBase = 1000;
constexpr UINT kHelpBase = 1100;
constexpr UINT kControlBase = 2000;
constexpr UINT kTrayBase = 3000;
constexpr int kPopHelpItem = 10;

// Items of the button menu whose enabled state depends on where it opened.
constexpr int kItemInsert = 1;
constexpr int kItemDelete = 2;
constexpr int kItemInit = 3;
constexpr int kItemSettings = 5;
constexpr int kItemUndo = 15;

constexpr const wchar_t* kSeparator = L"-";

HMENU BuildMenu(UINT base, std::initializer_list<const wchar_t*> captions, HMENU submenuAt10 = nullptr) {
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return nullptr;
  int index = 0;
  for (const wchar_t* caption : captions) {
    if (std::wstring_view(caption) == kSeparator) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (submenuAt10 && index == kPopHelpItem) {
      ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenuAt10), caption);
    } else {
      ::AppendMenuW(menu, MF_STRING, base + static_cast<UINT>(index), caption);
    }
    ++index;
  }
  return menu;
}

int IndexIn(UINT chosen, UINT base) { return chosen >= base && chosen < base + 100 ? static_cast<int>(chosen - base) : -1; }

}  // namespace

UINT frmPopMenu::Track(HMENU menu, HWND owner, const std::optional<MenuAnchor>& anchor) {
  const CommandTimer::Hold menuOpen(timer_);
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN;
  POINT at{};
  TPMPARAMS beside{sizeof beside, {}};
  if (anchor) {
    at = POINT{anchor->x, anchor->y};
    beside.rcExclude = RECT{anchor->exclude.left, anchor->exclude.top, anchor->exclude.right, anchor->exclude.bottom};
    flags |= anchor->vertical ? TPM_VERTICAL : TPM_HORIZONTAL;
  } else {
    ::GetCursorPos(&at);
  }
  // A menu of a window that is not in the foreground would not close when
  // the user clicks elsewhere.
  ::SetForegroundWindow(owner);
  const UINT chosen =
      static_cast<UINT>(::TrackPopupMenuEx(menu, flags, at.x, at.y, owner, anchor ? &beside : nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

frmPopMenu::frmPopMenu(CommandTimer& timer) : timer_(timer) {
  HMENU help = BuildMenu(kHelpBase, {L"目次(&C)", L"ﾄﾋﾟｯｸの検索(&S)...", kSeparator, L"ﾜﾝﾎﾟｲﾝﾄを表示(&T)...", kSeparator,
                                     L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."});
  mnuPop_.reset(BuildMenu(kPopBase,
                          {L"ﾎﾞﾀﾝ追加(&T)", L"ﾎﾞﾀﾝ挿入(&I)", L"ﾎﾞﾀﾝ削除(&D)", L"ﾎﾞﾀﾝ初期化(&C)", kSeparator,
                           L"ﾎﾞﾀﾝ設定(&B)...", kSeparator, L"起動ﾗﾝｷﾝｸﾞ(&L)...", L"ﾗﾝﾁｬｰ設定(&S)...", kSeparator,
                           L"ﾍﾙﾌﾟ(&H)...", kSeparator, L"終了(&X)", kSeparator, L"ｷｬﾝｾﾙ", L"元に戻す(&U)"},
                          help));
  if (!mnuPop_ && help) ::DestroyMenu(help);  // the button menu would have owned it
  mnuControl_.reset(BuildMenu(kControlBase, {L"ｷｬﾝｾﾙ", kSeparator, L"ﾗﾝﾁｬｰ非表示(&N)", L"ﾗﾝﾁｬｰ設定(&S)...", L"終了(&X)"}));
  mnuSysTray_.reset(BuildMenu(kTrayBase, {L"ﾗﾝﾁｬｰ表示(&D)", kSeparator, L"終了(&X)", kSeparator, L"ｷｬﾝｾﾙ"}));
  // A double-click on the tray icon does what the bold item does.
  ::SetMenuDefaultItem(mnuSysTray_.get(), 0, TRUE);
}

HMENU frmPopMenu::ButtonMenu(const ButtonMenuState& state) {
  const std::pair<int, bool> items[] = {
      {kItemInsert, state.insert},     {kItemDelete, state.remove}, {kItemInit, state.init},
      {kItemSettings, state.settings}, {kItemUndo, state.undo}};
  for (const auto& [index, enabled] : items) {
    ::EnableMenuItem(mnuPop_.get(), static_cast<UINT>(index), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  return mnuPop_.get();
}

bool frmPopMenu::ShowButtonMenu(HWND owner, const ButtonMenuState& state, int button, HWND beside, bool column) {
  // A button may have gone while the menu waited for a command to run first.
  const bool anchored = beside && ::IsWindow(beside);
  const UINT chosen =
      Track(ButtonMenu(state), owner, anchored ? std::optional(MenuAnchorBeside(beside, column)) : std::nullopt);
  std::optional<Command> command;
  if (const int item = IndexIn(chosen, kPopBase); item >= 0) command = PopMenuCommand(item);
  if (const int item = IndexIn(chosen, kHelpBase); item >= 0) command = HelpMenuCommand(item);
  if (command) timer_.Post({*command, button});
  return command.has_value();
}

BarAction frmPopMenu::ShowControlMenu(HWND owner) {
  switch (IndexIn(Track(mnuControl_.get(), owner), kControlBase)) {
    case 2: return BarAction::Hide;      // "ﾗﾝﾁｬｰ非表示(&N)"
    case 3: return BarAction::Settings;  // "ﾗﾝﾁｬｰ設定(&S)..."
    case 4: return BarAction::Exit;      // "終了(&X)"
    default: return BarAction::Nothing;
  }
}

int frmPopMenu::ShowTrayMenu(HWND owner) { return IndexIn(Track(mnuSysTray_.get(), owner), kTrayBase); }

}  // namespace vornish::win32
