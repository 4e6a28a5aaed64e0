#include "window/win32/frmMain.h"

#include "buttons/ButtonInput.h"
#include "buttons/DragDrop.h"
#include "buttons/win32/Launching.h"
#include "core/Mouse.h"
#include "core/Reports.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dialog.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/Trace.h"
#include "dialogs/win32/frmAbout.h"
#include "dialogs/win32/frmButtonSet.h"
#include "dialogs/win32/frmLanking.h"
#include "dialogs/win32/frmSet.h"
#include "dialogs/win32/frmTips.h"
#include "res/resource.h"
#include "window/ControlBar.h"
#include "window/win32/Docking.h"
#include "window/win32/ShowRequest.h"

namespace vornish::win32 {

namespace {

// The command timer: a tick every 100 ms while one has something to do.
constexpr UINT_PTR kTimerPopUp = 1;
constexpr UINT kTickMilliseconds = 100;
// Fires once the window is shown: what can wait until then starts here.
constexpr UINT_PTR kTimerAfterShow = 3;

// The button menu asked for while a command waited for its tick: it opens once
// that command has run, on a message of the main window's own (the button
// that asked may be one the command removes).
constexpr UINT kButtonMenuMessage = WM_APP + 20;

}  // namespace

bool frmMain::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_SIZEALL),
                               ::GetSysColorBrush(COLOR_BTNFACE));
}

void frmMain::AskRunningToShow() { AskToShow(kClassName); }

frmMain::frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services, IconLoader::Maker faces)
    : instance_(instance), model_(model), services_(services), picControl_(*this), strip_(model, *this, std::move(faces)),
      drag_(instance, strip_, picControl_), ticks_(kTimerPopUp, kTickMilliseconds),
      popMenu_(tmrPopUp_), saver_(model, services) {}

frmMain::~frmMain() = default;

int frmMain::Dpi() const { return static_cast<int>(WindowDpi(hwnd())); }

bool frmMain::Load() {
  // The faces are made, or started, before the window: the data file first.
  const DataFileLoad load = LoadLauncher(model_, services_);
  strip_.MakeFacesAhead(model_.ButtonLast() + 1, CurrentLayout(), static_cast<int>(SystemDpi()));
  if (!CreateWindowObject(WS_EX_TOOLWINDOW, kClassName, L"Vornish", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                          nullptr, instance_)) {
    return false;
  }
  showRequest_ = ShowRequestMessage();
  if (!picControl_.Create(instance_, hwnd(), nullptr)) return false;
  Form_Load(load);
  return true;
}

void frmMain::Form_Load(const DataFileLoad& load) {
  showTips_ = model_.settings.StartTips;
  ApplyWindowSettings();
  // Each button is made where the layout puts it, so arranging moves nothing.
  ArrangeButtons();
  strip_.WaitForFaces();
  RestoreWindowPosition(hwnd(), LoadWindowPosition(services_.store), Dpi());
  StartFocusCues(hwnd());
  // What the load found, and a save that failed while Windows was ending.
  const int notShown = model_.ButtonLast() + 1 - strip_.Beyond() - strip_.Count();
  for (const Message& m : LoadMessages(load, model_.DataFilePath, notShown, TakeDeferredReport(services_.store))) {
    ShowMessage(m);
  }
}

void frmMain::Show() {
  ticks_.Enable(hwnd(), true);
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  if (!ole_) ::SetTimer(hwnd(), kTimerAfterShow, USER_TIMER_MINIMUM, nullptr);
}

void frmMain::AfterShow() {
  ::KillTimer(hwnd(), kTimerAfterShow);
  if (ole_ || unloaded_) return;
  // The tips asked for by the first activation open on a tick from now on.
  if (tipsDue_) ticks_.Soon(hwnd());
  // The tray icon, OLE and the tool tips take noticeable time, while none of
  // them is of use before the user sees the window: they wait until it has
  // been painted. The window's icons are seen only with the tray icon.
  MakeIcons();
  AddTrayIcon();
  // A tray that shows itself as a window of its own (Wine's, for one) must
  // not end up over the launcher the user has just seen appear.
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ole_.emplace();
  tooltip_ = CreateTooltip(instance_, hwnd());
  picControl_.AttachTooltip(tooltip_);
  strip_.AfterFirstPaint(tooltip_);
}

void frmMain::MakeIcons() {
  // The old pictures go only once the new ones are in place.
  WindowIcons icons = LoadWindowIcons(instance_, IDI_APP, WindowDpi(hwnd()));
  SetWindowIcons(hwnd(), icons);
  tray_.ChangeIcon(icons.smallIcon.get());
  icons_ = std::move(icons);
}

void frmMain::AddTrayIcon() {
  tray_.Add(hwnd(), icons_.smallIcon.get(), TrayTip(model_.DataFilePath, ProgramFolder()));
}

void frmMain::ApplyWindowSettings() {
  if (const auto tip = ControlBarTip(model_.settings.ControlDblClick)) picControl_.SetToolTipText(*tip);
  (model_.settings.WindowTop ? WindowTopOn : WindowTopOff)(hwnd());
}

ButtonLayout frmMain::CurrentLayout() const {
  // A button keeps its size when the icon size is not one of the three; a
  // new one has the control's designed size. The window holds the controls.
  const int dpi = Dpi();
  return vornish::ArrangeButtons(model_.settings.Size, model_.settings.Orient, strip_.Count(), strip_.Width(dpi),
                                 strip_.Height(dpi));
}

void frmMain::ArrangeButtons() {
  const int dpi = Dpi();
  // A new size or DPI may change how many buttons the longest window holds.
  strip_.Resize(instance_, hwnd(), tooltip_, model_.ButtonLast() + 1, CurrentLayout(), dpi);
  const ButtonLayout layout = CurrentLayout();
  picControl_.MoveTo(ToRect(ToPixels(layout.controlBar, dpi)));
  strip_.Arrange(layout, dpi);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(layout.windowWidth, dpi), TwipsToPixels(layout.windowHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceWindow();
  if (strip_.MoreBeyondToTell()) ShowMessage(ButtonsBeyondLongestWindowMessage(strip_.Count(), model_.ButtonLast() + 1));
}

void frmMain::PlaceWindow() {
  // Moving the window brings WM_WINDOWPOSCHANGED, which would place it again.
  if (placing_) return;
  const PlacingScope placing(placing_);
  const int dpi = Dpi();
  const bool column = model_.settings.Position == kPositionLeft || model_.settings.Position == kPositionRight;
  DockWindow(hwnd(), model_.settings, column ? strip_.Width(dpi) : strip_.Height(dpi), dpi);
}

void frmMain::FollowDisplay() {
  if (model_.settings.Position == kPositionFloating) {
    KeepOnAMonitor(hwnd(), Dpi());
  } else {
    PlaceWindow();
  }
  strip_.FollowWindow();  // the screens may show more of it, or less
}

void frmMain::Form_Activate() {
  // Not from inside the activation: the tips' own loop would run before the
  // tray icon, the drops and the tool tips exist. A tick opens them once this
  // and the set-up after the first paint are over (cleared first: the tips
  // window's own activation must not open it again).
  if (std::exchange(showTips_, false)) tipsDue_ = true;
  tmrPopUp_.SetMarker(BarMarker::RepaintWhenActive);
  ticks_.Enable(hwnd(), true);
}

void frmMain::tmrPopUp_Timer() {
  if (tipsDue_ && ole_ && !tmrPopUp_.Pending()) {
    tipsDue_ = false;
    tmrPopUp_.Post({Command::Tips});
  }
  tmrPopUp_.Tick(*this, model_.settings.Position);
  ticks_.StopUnlessDue(hwnd(), tipsDue_ || tmrPopUp_.Due(MainWindowActive()));
}

void frmMain::StartCommand(const ChosenCommand& chosen) {
  tmrPopUp_.Start(*this, chosen, model_.settings.Position);
  // The bar shows the activation again on a tick of its own.
  ticks_.Soon(hwnd());
}

bool frmMain::MayStart() { return win32::MayStart(hwnd(), tmrPopUp_.CommandRunning()); }

bool frmMain::MainWindowActive() { return ::GetActiveWindow() == hwnd(); }

void frmMain::ShowBarInactive() { picControl_.ShowInactive(); }

void frmMain::ShowBarActive() { picControl_.ShowActive(model_.settings.ControlColor); }

// What the commands change in the buttons and their counts is recorded for
// undoing; so the history tells when there is something to save. Nothing runs
// once the launcher has been closed (by the system, say, while a dialog of the
// command before was open).
void frmMain::Run(const ChosenCommand& chosen) {
  if (!hwnd()) return;
  const std::uint64_t version = model_.history.Version();
  RunCommand(chosen, model_, *this);
  if (model_.history.Version() != version) saver_.Changed(hwnd());
}

// The launcher may have been closed while a command's dialog was open (the
// system ending, an installer asking): what follows the dialog then finds no
// window and does nothing.
void frmMain::ApplyEdit(const EditResult& edit) {
  if (!edit.changed || !hwnd()) return;
  strip_.Resize(instance_, hwnd(), tooltip_, edit.controls, CurrentLayout(), Dpi());
  strip_.Refresh(edit.refreshFrom, edit.refreshTo);
  if (edit.arrange) ArrangeButtons();
}

// A button shows its record anew after a drop, a swap or its settings.
void frmMain::RefreshButton(int index) {
  if (hwnd()) strip_.Refresh(index, index);
  saver_.Changed(hwnd());
}

void frmMain::ShowMessage(const Message& message) { win32::ShowMessage(hwnd(), message); }

void frmMain::OpenButtonSettings(int index) { frmButtonSet(instance_, model_, index).Show(hwnd()); }

void frmMain::OpenSettings() { frmSet(instance_, model_, *this, ProgramFolder()).Show(hwnd()); }

void frmMain::AddSystemObject(std::int32_t number) {
  ApplyEdit(vornish::AddSystemObject(model_, number, services_.system));
}

void frmMain::DeleteButton(int index) { ApplyEdit(ButtonDel(model_, index)); }

void frmMain::OpenRanking() { frmLanking(instance_, model_).Show(hwnd()); }

void frmMain::OpenTips() { frmTips(instance_, services_.store).Show(hwnd()); }

void frmMain::OpenAbout() { frmAbout(instance_, services_.fs, ProgramFolder()).Show(hwnd()); }

void frmMain::ApplySettings(const SettingsChange& change) {
  if (!hwnd()) return;
  if (change.arrange) ArrangeButtons();
  if (change.refreshAll) {
    strip_.Refresh(0, strip_.Count() - 1);
  } else {
    for (int index : change.recoloured) strip_.Refresh(index, index);
  }
  if (!change.recoloured.empty()) saver_.Changed(hwnd());
  ApplyWindowSettings();
}

void frmMain::OpenHelp(HelpRequest request) { help_.Show(hwnd(), services_.fs, request); }

void frmMain::Exit() { CloseLauncher(); }

void frmMain::ShowButtonMenu(int button, HWND beside) {
  if (!MayStart()) return;
  if (tmrPopUp_.Pending()) {
    ::PostMessageW(hwnd(), kButtonMenuMessage, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(beside));
    return;
  }
  // Carried out on the next tick, after the menu has gone.
  if (popMenu_.ShowButtonMenu(hwnd(), MenuStateFor(model_.Buttons, button, model_.history.CanUndo()), button, beside,
                              model_.settings.Orient != 0)) {
    ticks_.Enable(hwnd(), true);
  }
  ActivateOwner(hwnd());
}

void frmMain::RunKeyCommand(int keyCode, int shift) {
  const Command command = KeyCommand(keyCode, shift);
  if (command != Command::Nothing && MayStart()) StartCommand({command});
}

void frmMain::RunBarAction(BarAction action) {
  switch (action) {
    case BarAction::Hide:
      Hide();
      break;
    case BarAction::Settings:
      StartCommand({Command::LauncherSettings});
      break;
    case BarAction::Exit:
      CloseLauncher();
      break;
    case BarAction::Nothing:
      break;
  }
}

void frmMain::OnTray(TrayAction action) {
  if (action == TrayAction::Nothing || !MayStart()) return;
  switch (action) {
    case TrayAction::ButtonMenu:
      ShowButtonMenu(-1);
      break;
    case TrayAction::Show:
      Show();
      break;
    case TrayAction::TrayMenu: {
      const int chosen = popMenu_.ShowTrayMenu(hwnd());
      if (chosen == kTrayExit) {
        CloseLauncher();
        return;
      }
      if (chosen == kTrayShow) Show();
      ActivateOwner(hwnd());
      break;
    }
    case TrayAction::Nothing:
      break;
  }
}

void frmMain::Hide() {
  // Without a tray icon a hidden launcher could only be found again by
  // starting it a second time: it stays in sight until the icon is there.
  if (!tray_.Shown()) AddTrayIcon();
  if (!tray_.Shown()) return;
  ticks_.Enable(hwnd(), false);
  ::ShowWindow(hwnd(), SW_HIDE);
}

void frmMain::CloseLauncher(bool endOfSession) {
  if (!hwnd()) return;
  // A launch under way is counted first; the close comes after it.
  if (!endOfSession && !tmrPopUp_.MayClose()) return ticks_.Enable(hwnd(), true);
  ticks_.Enable(hwnd(), false);
  if (!unloaded_) {
    unloaded_ = true;
    Guarded(L"removing the tray icon", [&] { tray_.Remove(); });
    saver_.AtExit(hwnd(), endOfSession);
  }
  // HTML Help's windows live in this process and must go before it ends.
  Guarded(L"closing the help", [&] { help_.CloseAll(); });
  ::DestroyWindow(hwnd());
}

void frmMain::OnDestroyed() { ::PostQuitMessage(0); }

LRESULT frmMain::HandleException(UINT message, WPARAM wParam, LPARAM lParam) {
  // The default handling of a close would destroy the window without saving.
  if (message == WM_CLOSE || (message == WM_ENDSESSION && wParam)) {
    CloseLauncher(message == WM_ENDSESSION);
    return 0;
  }
  return Window::HandleException(message, wParam, lParam);
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto action = tray_.OnMessage(message, wParam, lParam)) {
    OnTray(*action);
    return 0;
  }
  if (message == showRequest_ && showRequest_ != 0) {
    // A second start asks to see the launcher; while a dialog is up, that.
    if (MayStart()) Show();
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(hwnd());
      PaintFrame(hwnd(), paint.dc(), Dpi());
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        strip_.RememberFocus();
      } else {
        Form_Activate();
        strip_.RestoreFocus();
      }
      // The bar follows the activation on the next tick, once it has settled.
      ticks_.Soon(hwnd());
      return 0;
    case WM_ACTIVATEAPP:
      // Back from another program, where a file may have been put back (the
      // launcher's own boxes and dialogs do not count: a face that arrives
      // activates the window again).
      if (wParam) strip_.RefreshBroken();
      ticks_.Soon(hwnd());
      return 0;
    case WM_WINDOWPOSCHANGED:
      // Whatever moved or resized a window fixed to an edge, it goes back at
      // once; the placement's own move does not come here again.
      if (model_.settings.Position != kPositionFloating && MovedOrResized(lParam) && ::IsWindowVisible(hwnd())) {
        PlaceWindow();
      }
      if (MovedOrResized(lParam)) strip_.FollowWindow();
      return Window::HandleMessage(message, wParam, lParam);
    case WM_SETFOCUS:
      strip_.RestoreFocus();
      return 0;
    case WM_TIMER:
      if (wParam == ticks_.Id()) tmrPopUp_Timer();
      if (wParam == kTimerAfterShow) AfterShow();
      saver_.OnTimer(hwnd(), wParam);
      return 0;
    case kButtonMenuMessage:
      // The command that waited runs first; one that cannot run now drops
      // the menu rather than ask again.
      tmrPopUp_Timer();
      if (hwnd() && !tmrPopUp_.Pending()) ShowButtonMenu(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (drag_.Active()) drag_.Move(hwnd());
      return 0;
    case WM_LBUTTONUP:
      if (drag_.Active()) EndButtonDrag(true);
      return 0;
    case WM_CAPTURECHANGED:
      if (drag_.Active() && reinterpret_cast<HWND>(lParam) != hwnd()) EndButtonDrag(false);
      return 0;
    // A second press soon after the first arrives as a double-click (the
    // class asks for them); on the background it is just another press.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The background is a handle too: the system moves the window at once.
      MoveWithPointer(hwnd());
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      ShowButtonMenu(-1);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && drag_.Active()) {
        EndButtonDrag(false);
      } else if (IsMenuKey(static_cast<int>(wParam), ShiftState())) {
        ShowButtonMenu(-1, hwnd());
      } else {
        RunKeyCommand(static_cast<int>(wParam), ShiftState());
      }
      return 0;
    case WM_CONTEXTMENU:
      return 0;  // the menus open on the press itself
    case WM_CLOSE:
      CloseLauncher();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends with the launcher open: save as on any exit, and say
      // why the launcher is still busy while it does.
      if (wParam) {
        ::ShutdownBlockReasonCreate(hwnd(), L"ﾎﾞﾀﾝを保存しています。");
        CloseLauncher(true);
      }
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ArrangeButtons();
      // Icons are made for the size they are shown at, and the gradient has
      // as many rows as the bar has pixels.
      strip_.RefreshIcons();
      MakeIcons();
      SetTooltipDpi(tooltip_, Dpi());
      ShowBarInactive();
      tmrPopUp_.SetMarker(BarMarker::RepaintWhenActive);
      ticks_.Soon(hwnd());
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      ::InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_DISPLAYCHANGE:
      FollowDisplay();
      return 0;
    case WM_SETTINGCHANGE:
      // A task bar moved, appeared or was resized.
      if (wParam == SPI_SETWORKAREA) FollowDisplay();
      return Window::HandleMessage(message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

void frmMain::LaunchButton(int index, std::wstring_view parameters) {
  // No command runs while the start may pump messages, nor a close: the
  // launch is counted in what the close saves.
  const CommandTimer::Launch launch(tmrPopUp_);
  ShellStarter starter(hwnd());
  const Launched launched = vornish::LaunchButton(model_, index, parameters, services_.fs, starter);
  if (launched == Launched::Started && model_.settings.CountEnable) saver_.Changed(hwnd());
  if (launched == Launched::Missing) ShowMessage(TargetMissingMessage(model_.Buttons.at(index).File));
  // Once the box is gone: a face that arrives may activate the window.
  strip_.ShowMissing(index, launched == Launched::Missing);
}

bool frmMain::IconButton_AcceptsDrop(int Index) {
  return FileDropOn(model_.Buttons, Index, WritesButtonRecords(tmrPopUp_.Running())) != FileDrop::Ignored;
}

void frmMain::IconButton_FileDrop(int Index, const std::wstring& FileName) {
  const FileDrop drop = FileDropOn(model_.Buttons, Index, WritesButtonRecords(tmrPopUp_.Running()));
  if (drop == FileDrop::Ignored) return;
  ActivateOwner(hwnd());
  if (drop == FileDrop::OpenWithButton) return LaunchButton(Index, DroppedFileParameter(FileName));
  model_.Buttons[static_cast<std::size_t>(Index)] =
      RegisterDroppedFile(FileName, model_.settings.DefColor, services_.fs.CurrentDirectory());
  ReadAgain(model_.skipped, services_.fs, FileName);
  RefreshButton(Index);
}

void frmMain::IconButton_IconReset(int Index) {
  if (Index < 0 || Index > model_.ButtonLast()) return;
  model_.Buttons[static_cast<std::size_t>(Index)].IconNo = 0;
  // While loading, the window is not shown yet and must not be activated.
  if (::IsWindowVisible(hwnd())) ActivateOwner(hwnd());
}

void frmMain::IconButton_Click(int Index) {
  if (Index < 0 || Index > model_.ButtonLast()) return;
  LaunchButton(Index, model_.Buttons[static_cast<std::size_t>(Index)].Param);
}

void frmMain::IconButton_KeyDown(int Index, int KeyCode, int Shift) {
  if (KeyCode == VK_RETURN || KeyCode == VK_F5) {
    IconButton_Click(Index);
  } else if (IsMenuKey(KeyCode, Shift)) {
    if (Index < strip_.Count()) ShowButtonMenu(Index, strip_[Index].hwnd());
  } else {
    RunKeyCommand(KeyCode, Shift);
  }
}

void frmMain::IconButton_MouseDown(int Index, int Button, int, float, float) {
  if (Button == kRightButton) ShowButtonMenu(Index);
}

void frmMain::IconButton_MouseMove(int Index, int Button, int, float, float) {
  if (Button == kLeftButton && !drag_.Active()) drag_.Begin(hwnd(), Index);
}

void frmMain::EndButtonDrag(bool drop) {
  const int source = drag_.Source();
  const int target = drag_.End(hwnd(), drop);
  if (target < 0) return;
  SwapButtons(model_.Buttons, source, target);
  // The buttons stay in place; both show their (new) contents.
  RefreshButton(source);
  if (target != source) RefreshButton(target);
}

void frmMain::picControl_MouseDown(int Button, int, float X, float Y) {
  if (Button == kLeftButton) {
    barPress_ = POINTFLOAT{X, Y};
  } else if (Button == kRightButton && MayStart()) {
    RunBarAction(popMenu_.ShowControlMenu(hwnd()));
  }
}

void frmMain::picControl_MouseMove(int Button, int, float X, float Y) {
  if ((Button & kLeftButton) == 0) {
    picControl_.SetMovePointer(false);
    return;
  }
  if (!IsDragMove(barPress_.x, barPress_.y, X, Y)) return;
  picControl_.SetMovePointer(true);
  MoveWithPointer(hwnd());
}

void frmMain::picControl_DblClick() {
  if (MayStart()) RunBarAction(BarDoubleClickAction(model_.settings.ControlDblClick));
}

}  // namespace vornish::win32
