#include "window/win32/frmMain.h"

#include <algorithm>

#include "buttons/ButtonInput.h"
#include "buttons/Launch.h"
#include "buttons/win32/Launching.h"
#include "core/Messages.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/WinText.h"
#include "res/resource.h"
#include "window/ControlBar.h"
#include "window/Placement.h"
#include "window/TrayIcon.h"

namespace vornish::win32 {

namespace {

// The frame is two pixels of raised border, 30 twips in from the left and top
// edges and 15 in from the right and bottom ones.
constexpr std::int32_t kFrameInset = 30;
constexpr std::int32_t kFrameFarInset = 15;
constexpr int kFrameThickness = 2;

// A new button's size before any layout: 40 pixels at 96 DPI.
constexpr std::int32_t kDesignedButtonSide = 600;

// The command timer: a tick every 100 ms while the launcher is shown.
constexpr UINT_PTR kTimerPopUp = 1;
constexpr UINT kTickMilliseconds = 100;
// Waits out the double-click time after a left press on the tray icon.
constexpr UINT_PTR kTimerTrayPress = 2;
// Fires once the window is shown: what can wait until then starts here.
constexpr UINT_PTR kTimerAfterShow = 3;

// Key codes the buttons act on.
constexpr int kKeyEnter = VK_RETURN;
constexpr int kKeyF5 = VK_F5;
constexpr int kKeyContextMenu = VK_APPS;

// A drag image: the icon of the resource turned into a cursor pointing at its
// centre.
UniqueCursor LoadDragCursor(HINSTANCE instance, int id) {
  const UniqueIcon icon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0)));
  if (!icon) return UniqueCursor();
  ICONINFO info{};
  if (!::GetIconInfo(icon.get(), &info)) return UniqueCursor();
  const UniqueBitmap mask(info.hbmMask);
  const UniqueBitmap colour(info.hbmColor);
  info.fIcon = FALSE;
  info.xHotspot = 16;
  info.yHotspot = 16;
  return UniqueCursor(::CreateIconIndirect(&info));
}

}  // namespace

bool frmMain::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_SIZEALL),
                               ::GetSysColorBrush(COLOR_BTNFACE));
}

frmMain::frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services)
    : instance_(instance), model_(model), services_(services), picControl_(*this) {}

frmMain::~frmMain() = default;

int frmMain::Dpi() const { return static_cast<int>(WindowDpi(hwnd())); }

RECT frmMain::ToPixels(const TwipsRect& r) const {
  const int dpi = Dpi();
  // Edges are converted, not sizes, so that neighbours meet without gaps.
  return RECT{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(std::int64_t{r.left} + r.width, dpi),
              TwipsToPixels(std::int64_t{r.top} + r.height, dpi)};
}

bool frmMain::Load() {
  if (!CreateWindowObject(WS_EX_TOOLWINDOW, kClassName, L"Vornish", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                          nullptr, instance_)) {
    return false;
  }
  tmrPopUp_ = CommandTimer(reinterpret_cast<std::intptr_t>(hwnd()));
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  trayImage_.reset(static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
  bigIcon_.reset(static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(trayImage_.get()));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  if (!picControl_.Create(instance_, hwnd(), nullptr)) return false;
  Form_Load();
  return true;
}

void frmMain::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  if (!ole_) ::SetTimer(hwnd(), kTimerAfterShow, USER_TIMER_MINIMUM, nullptr);
}

void frmMain::AfterShow() {
  ::KillTimer(hwnd(), kTimerAfterShow);
  if (ole_ || unloaded_) return;
  // The tray icon, OLE and the tool tips take noticeable time, while none of
  // them is of use before the user sees the window: they wait until it has
  // been painted.
  tray_.Add(hwnd(), trayImage_.get(), TrayTip(model_.DataFilePath, ProgramFolder()));
  // A tray that shows itself as a window of its own (Wine's, for one) must
  // not end up over the launcher the user has just seen appear.
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ole_.emplace();
  tooltip_ = CreateTooltip(instance_, hwnd());
  picControl_.AttachTooltip(tooltip_);
  for (auto& button : iconButtons_) {
    button->EnableFileDrops();
    button->AttachTooltip(tooltip_);
  }
}

void frmMain::Form_Load() {
  const DataFileLoad load = LoadLauncher(model_, services_);
  showTips_ = model_.settings.StartTips;

  if (const auto tip = ControlBarTip(model_.settings.ControlDblClick)) picControl_.SetToolTipText(*tip);
  if (model_.settings.WindowTop) {
    WindowTopOn(hwnd());
  } else {
    WindowTopOff(hwnd());
  }

  iconButtons_.reserve(model_.Buttons.size());
  // Each button is made where the layout puts it, so arranging moves nothing.
  const ButtonLayout layout = CurrentLayout();
  for (int i = 0; i <= model_.ButtonLast(); ++i) {
    // The system limits the windows of a process; buttons beyond that limit
    // stay in the list, and in the data file, without a control.
    if (!CreateIconButton(i, ToPixels(layout.Button(i)))) break;
  }
  ArrangeButtons();
  RestoreWindowPosition();
  ReportDataFileLoad(load);
}

bool frmMain::CreateIconButton(int index, const RECT& bounds) {
  auto button = std::make_unique<IconButton>(index, static_cast<IconButtonEvents&>(*this), model_.settings);
  if (!button->Create(instance_, hwnd(), tooltip_, bounds)) return false;
  // In the array before its first refresh, which may already report a change.
  IconButton& created = *iconButtons_.emplace_back(std::move(button));
  created.Assign(model_.Buttons[static_cast<std::size_t>(index)]);
  created.IconRefresh();
  created.Show();
  return true;
}

void frmMain::ReportDataFileLoad(const DataFileLoad& load) {
  switch (load.status) {
    case DataFileLoad::Status::Unreadable:
      ShowMessage(hwnd(), DataFileReadFailedMessage(model_.DataFilePath, load.error.reason));
      break;
    case DataFileLoad::Status::Overflow:
      ShowMessage(hwnd(), DataFileTooLargeMessage(model_.DataFilePath));
      break;
    default:
      break;
  }
}

ButtonLayout frmMain::CurrentLayout() const {
  const int dpi = Dpi();
  // A button keeps its size when the icon size is not one of the three; a
  // new one has the control's designed size.
  std::int32_t width = kDesignedButtonSide;
  std::int32_t height = kDesignedButtonSide;
  if (!iconButtons_.empty()) {
    const RECT& r = iconButtons_.front()->Bounds();
    width = PixelsToTwips(r.right - r.left, dpi);
    height = PixelsToTwips(r.bottom - r.top, dpi);
  }
  return vornish::ArrangeButtons(model_.settings.Size, model_.settings.Orient, model_.ButtonLast() + 1, width,
                                 height);
}

void frmMain::ArrangeButtons() {
  const int dpi = Dpi();
  const ButtonLayout layout = CurrentLayout();
  picControl_.MoveTo(ToPixels(layout.controlBar));
  // Only buttons that are not in place yet are moved, all in one batch.
  std::vector<std::pair<IconButton*, RECT>> moves;
  for (std::size_t i = 0; i < iconButtons_.size(); ++i) {
    const RECT r = ToPixels(layout.Button(static_cast<std::int32_t>(i)));
    if (!::EqualRect(&r, &iconButtons_[i]->Bounds())) moves.emplace_back(iconButtons_[i].get(), r);
  }
  HDWP batch = moves.empty() ? nullptr : ::BeginDeferWindowPos(static_cast<int>(moves.size()));
  for (const auto& [button, r] : moves) {
    button->MovedTo(r);
    if (batch) {
      batch = ::DeferWindowPos(batch, button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!batch) {
      ::SetWindowPos(button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (batch) ::EndDeferWindowPos(batch);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(layout.windowWidth, dpi),
                 TwipsToPixels(layout.windowHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceWindow();
}

void frmMain::PlaceWindow() {
  const int dpi = Dpi();
  ScreenMetrics screen;
  screen.width = ::GetSystemMetrics(SM_CXSCREEN);
  screen.height = ::GetSystemMetrics(SM_CYSCREEN);
  RECT work{0, 0, screen.width, screen.height};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  screen.workLeft = work.left;
  screen.workTop = work.top;
  screen.workRight = work.right;
  screen.workBottom = work.bottom;
  screen.dpi = dpi;
  const TaskBarSize task = GetTaskBar(screen, model_.settings.TaskBar);

  RECT before{};
  ::GetWindowRect(hwnd(), &before);
  std::int32_t buttonSide = 0;
  if (!iconButtons_.empty()) {
    const RECT& b = iconButtons_.front()->Bounds();
    const bool column = model_.settings.Position == kPositionLeft || model_.settings.Position == kPositionRight;
    buttonSide = PixelsToTwips(column ? b.right - b.left : b.bottom - b.top, dpi);
  }
  const auto placed = vornish::PlaceWindow(model_.settings.Position, model_.settings.TaskBar, task,
                                           PixelsToTwips(screen.width, dpi), PixelsToTwips(screen.height, dpi),
                                           buttonSide);
  if (placed) {
    const RECT r = ToPixels(*placed);
    // Moving a window to where it already is would only cost time each tick.
    if (!::EqualRect(&r, &before)) {
      ::SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // The frame follows the window's size.
  RECT after{};
  ::GetWindowRect(hwnd(), &after);
  if (!placed || after.right - after.left != before.right - before.left ||
      after.bottom - after.top != before.bottom - before.top) {
    ::InvalidateRect(hwnd(), nullptr, TRUE);
  }
}

void frmMain::RestoreWindowPosition() {
  const int dpi = Dpi();
  RECT window{};
  ::GetWindowRect(hwnd(), &window);
  const WindowPosition saved = LoadWindowPosition(services_.store);
  const WindowPosition p = VisibleWindowPosition(
      saved, PixelsToTwips(window.right - window.left, dpi), PixelsToTwips(window.bottom - window.top, dpi),
      PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(::GetSystemMetrics(SM_CYSCREEN), dpi));
  ::SetWindowPos(hwnd(), nullptr, TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::Form_Activate() {
  if (showTips_) {
    // Cleared first: the tips window's own activation must not open it again.
    showTips_ = false;
    tmrPopUp_.SetTag(HelpMenuCommand(3));
    tmrPopUp_Timer();
  }
  tmrPopUp_.SetMarker(kRepaintWhenActive);
  EnableTimer(true);
}

void frmMain::EnableTimer(bool enabled) {
  if (enabled) {
    ::SetTimer(hwnd(), kTimerPopUp, kTickMilliseconds, nullptr);
  } else {
    ::KillTimer(hwnd(), kTimerPopUp);
  }
}

void frmMain::tmrPopUp_Timer() { tmrPopUp_.Tick(*this, model_.settings.Position); }

bool frmMain::MainWindowActive() { return ::GetActiveWindow() == hwnd(); }

void frmMain::ShowBarInactive() { picControl_.SetBackColor(kColourInactiveCaption); }

void frmMain::ShowBarActive() {
  if (model_.settings.ControlColor == kControlColourStandard) {
    picControl_.SetBackColor(kColourActiveCaption);
    return;
  }
  RECT client{};
  ::GetClientRect(picControl_.hwnd(), &client);
  std::vector<std::uint32_t> rows =
      GradientRows(model_.settings.ControlColor, PixelsToTwips(client.bottom, Dpi()), client.bottom);
  // A colour that is no gradient paints nothing: the bar keeps what it shows.
  if (!rows.empty()) picControl_.PaintRows(std::move(rows));
}

void frmMain::Run(Command command) {
  switch (command) {
    case Command::AddButton:
      AddButton();
      break;
    case Command::InsertButton:
      InsertButton();
      break;
    case Command::DeleteButton:
      ButtonDel();
      break;
    case Command::InitButton:
      InitButton();
      break;
    case Command::ButtonSettings:
      if (model_.CurrentButton >= 0 && model_.CurrentButton < static_cast<int>(iconButtons_.size())) {
        ShowBarInactive();
        // Confirmed or not, the button shows its record again.
        const ButtonRecord& r = model_.Buttons[static_cast<std::size_t>(model_.CurrentButton)];
        IconButton& button = *iconButtons_[static_cast<std::size_t>(model_.CurrentButton)];
        ButtonRecord shown = button.ToRecord();
        shown.Title = r.Title;
        shown.Path = r.Path;
        shown.Param = r.Param;
        shown.State = r.State;
        shown.Icon = r.Icon;
        shown.IconNo = r.IconNo;
        shown.Lock = r.Lock;
        shown.Color = r.Color;
        button.Assign(shown);
        button.IconRefresh();
      }
      break;
    case Command::Ranking:
      if (model_.settings.CountEnable) {
        ShowBarInactive();
      } else {
        ShowMessage(hwnd(), CountingOffMessage());
      }
      break;
    case Command::LauncherSettings: {
      const std::int32_t oldSize = model_.settings.Size;
      const std::int32_t oldOrient = model_.settings.Orient;
      ShowBarInactive();
      ApplySettings(oldSize, oldOrient);
      break;
    }
    case Command::HelpContents:
      CallHelp(HELP_CONTENTS);
      break;
    case Command::HelpSearch:
      CallHelp(HELP_PARTIALKEY);
      break;
    case Command::Tips:
    case Command::About:
      ShowBarInactive();
      break;
    case Command::Exit:
      CloseLauncher();
      break;
    case Command::Nothing:
      break;
  }
}

void frmMain::CallHelp(UINT command) {
  if (!::WinHelpW(hwnd(), model_.HelpFile.c_str(), command, 0)) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_SUCCESS) ShowMessage(hwnd(), Message{ErrorText(error)});
  }
}

void frmMain::ApplySettings(std::int32_t oldSize, std::int32_t oldOrient) {
  const Settings& s = model_.settings;
  auto kindColour = [&](const ButtonRecord& b) { return b.Sys != 0 ? s.SystemColor : b.Lock ? s.LockColor : s.DefColor; };
  const bool sizeChanged = s.Size != oldSize;
  if (sizeChanged || s.Orient != oldOrient) ArrangeButtons();
  for (std::size_t i = 0; i < iconButtons_.size(); ++i) {
    ButtonRecord& record = model_.Buttons[i];
    const bool recolour = !s.ColorChange && record.Color != kindColour(record);
    if (recolour) {
      record.Color = kindColour(record);
      iconButtons_[i]->SetExeColor(record.Color);
    }
    if (sizeChanged || recolour) iconButtons_[i]->IconRefresh();
  }
  if (const auto tip = ControlBarTip(s.ControlDblClick)) picControl_.SetToolTipText(*tip);
  if (s.WindowTop) {
    WindowTopOn(hwnd());
  } else {
    WindowTopOff(hwnd());
  }
}

void frmMain::ShowButtonMenu() {
  if (tmrPopUp_.CommandRunning()) return;
  const std::wstring chosen = popMenu_.ShowButtonMenu(hwnd(), MenuStateFor(model_.Buttons, model_.CurrentButton));
  if (!chosen.empty()) {
    // Carried out on the next tick, after the menu has gone.
    tmrPopUp_.SetTag(chosen);
    EnableTimer(true);
  }
  ::SetActiveWindow(hwnd());
}

void frmMain::ShowControlMenu() {
  switch (popMenu_.ShowControlMenu(hwnd())) {
    case kControlHide:
      Hide();
      break;
    case kControlSettings:
      tmrPopUp_.SetTag(PopMenuCommand(8));
      tmrPopUp_Timer();
      break;
    case kControlExit:
      CloseLauncher();
      break;
    default:
      break;
  }
}

void frmMain::OnTrayMessage(UINT mouseMessage) {
  if (tmrPopUp_.CommandRunning()) return;
  switch (TrayActionFor(mouseMessage)) {
    case TrayAction::ButtonMenu:
      // A menu opened on the first press would swallow the second press of
      // a double-click; it opens once that second press has not come.
      trayMenuPending_ = true;
      ::SetTimer(hwnd(), kTimerTrayPress, ::GetDoubleClickTime(), nullptr);
      break;
    case TrayAction::Show:
      trayMenuPending_ = false;
      ::KillTimer(hwnd(), kTimerTrayPress);
      EnableTimer(true);
      Show();
      break;
    case TrayAction::TrayMenu: {
      const int chosen = popMenu_.ShowTrayMenu(hwnd());
      if (chosen == kTrayExit) {
        CloseLauncher();
        return;
      }
      if (chosen == kTrayShow) {
        EnableTimer(true);
        Show();
      }
      ::SetActiveWindow(hwnd());
      break;
    }
    case TrayAction::Nothing:
      break;
  }
}

void frmMain::OpenTrayButtonMenu() {
  ::KillTimer(hwnd(), kTimerTrayPress);
  if (!trayMenuPending_) return;
  trayMenuPending_ = false;
  model_.CurrentButton = -1;
  ShowButtonMenu();
}

void frmMain::Hide() {
  EnableTimer(false);
  ::ShowWindow(hwnd(), SW_HIDE);
}

void frmMain::CloseLauncher() {
  if (!hwnd()) return;
  EnableTimer(false);
  Unload();
  ::DestroyWindow(hwnd());
}

void frmMain::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Form_Unload();
}

void frmMain::Form_Unload() {
  tray_.Remove();
  std::optional<WindowPosition> position;
  if (!::IsIconic(hwnd())) {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const int dpi = Dpi();
    position = WindowPosition{PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi)};
  }
  const UnloadReport report = SaveLauncher(model_, services_, position);
  if (!report.dataFileSkipped && !report.dataFileWritten) {
    ShowMessage(hwnd(), DataFileWriteFailedMessage(model_.DataFilePath, report.dataFileError.reason));
  }
}

void frmMain::OnDestroyed() { ::PostQuitMessage(0); }

void frmMain::AddButton() { ApplyEdit(vornish::AddButton(model_)); }
void frmMain::InsertButton() { ApplyEdit(vornish::InsertButton(model_)); }
void frmMain::ButtonDel() { ApplyEdit(vornish::ButtonDel(model_)); }
void frmMain::InitButton() { ApplyEdit(vornish::InitButton(model_)); }

void frmMain::ApplyEdit(const EditResult& edit) {
  if (!edit.changed) return;
  const ButtonLayout layout = CurrentLayout();
  while (static_cast<int>(iconButtons_.size()) > edit.controls) iconButtons_.pop_back();
  while (static_cast<int>(iconButtons_.size()) < edit.controls) {
    const int index = static_cast<int>(iconButtons_.size());
    if (!CreateIconButton(index, ToPixels(layout.Button(index)))) break;
  }
  for (int i = edit.refreshFrom; i <= edit.refreshTo && i < static_cast<int>(iconButtons_.size()); ++i) {
    RefreshButton(i);
  }
  if (edit.arrange) ArrangeButtons();
}

void frmMain::RefreshButton(int index) {
  IconButton& button = *iconButtons_[static_cast<std::size_t>(index)];
  button.Assign(model_.Buttons[static_cast<std::size_t>(index)]);
  button.IconRefresh();
  button.Show();
}

void frmMain::PaintFrame(HDC dc) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int dpi = Dpi();
  const int nearEdge = TwipsToPixels(kFrameInset, dpi);
  const int farRight = client.right - TwipsToPixels(kFrameFarInset, dpi);
  const int farBottom = client.bottom - TwipsToPixels(kFrameFarInset, dpi);
  const int t = kFrameThickness;
  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  // Each line is centred on its position, as a two-pixel pen draws it.
  FillSolid(dc, RECT{nearEdge - t / 2, nearEdge - t / 2, farRight, nearEdge + t / 2}, light);
  FillSolid(dc, RECT{nearEdge - t / 2, nearEdge - t / 2, nearEdge + t / 2, farBottom}, light);
  FillSolid(dc, RECT{nearEdge - t / 2, farBottom - t / 2, farRight + t / 2, farBottom + t / 2}, shadow);
  FillSolid(dc, RECT{farRight - t / 2, nearEdge - t / 2, farRight + t / 2, farBottom + t / 2}, shadow);
}

void frmMain::FocusButton() {
  if (iconButtons_.empty()) return;
  const int index = std::clamp(focused_, 0, static_cast<int>(iconButtons_.size()) - 1);
  ::SetFocus(iconButtons_[static_cast<std::size_t>(index)]->hwnd());
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    tray_.Restore();
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(hwnd());
      PaintFrame(paint.dc());
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        for (const auto& button : iconButtons_) {
          if (button->hwnd() == focus) focused_ = button->Index();
        }
      } else {
        Form_Activate();
        FocusButton();
      }
      return 0;
    case WM_SETFOCUS:
      FocusButton();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerPopUp) tmrPopUp_Timer();
      if (wParam == kTimerTrayPress) OpenTrayButtonMenu();
      if (wParam == kTimerAfterShow) AfterShow();
      return 0;
    case kTrayMessage:
      OnTrayMessage(static_cast<UINT>(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (dragSource_ >= 0) ContinueButtonDrag();
      return 0;
    case WM_LBUTTONUP:
      if (dragSource_ >= 0) EndButtonDrag(true);
      return 0;
    case WM_CAPTURECHANGED:
      if (dragSource_ >= 0 && reinterpret_cast<HWND>(lParam) != hwnd()) EndButtonDrag(false);
      return 0;
    // A second press soon after the first arrives as a double-click (the
    // class asks for them); on the background it is just another press.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The background is a handle too: the system moves the window at once.
      ::ReleaseCapture();
      ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      model_.CurrentButton = -1;
      ShowButtonMenu();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && dragSource_ >= 0) {
        EndButtonDrag(false);
      } else if (wParam == kKeyContextMenu) {
        model_.CurrentButton = -1;
        ShowButtonMenu();
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
      // The session ends with the launcher open: save as on any exit.
      if (wParam) CloseLauncher();
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ArrangeButtons();
      // Icons are made for the size they are shown at, and the gradient has
      // as many rows as the bar has pixels.
      for (auto& button : iconButtons_) button->IconRefresh();
      ShowBarInactive();
      tmrPopUp_.SetMarker(kRepaintWhenActive);
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      ::InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

void frmMain::IconButton_FileDrop(int Index, const std::wstring& FileName) {
  ::SetActiveWindow(hwnd());
  LaunchAndCount(Index, DroppedFileParameter(FileName));
}

void frmMain::IconButton_FileChange(int Index) {
  if (Index < 0 || Index >= static_cast<int>(iconButtons_.size())) return;
  model_.Buttons[static_cast<std::size_t>(Index)] = iconButtons_[static_cast<std::size_t>(Index)]->ToRecord();
  // While loading, the window is not shown yet and must not be activated.
  if (::IsWindowVisible(hwnd())) ::SetActiveWindow(hwnd());
}

void frmMain::IconButton_Click(int Index) {
  if (Index < 0 || Index >= static_cast<int>(iconButtons_.size())) return;
  LaunchAndCount(Index, iconButtons_[static_cast<std::size_t>(Index)]->Props().ExeParam());
}

void frmMain::LaunchAndCount(int index, std::wstring_view parameters) {
  if (index < 0 || index >= static_cast<int>(iconButtons_.size())) return;
  IconButton& button = *iconButtons_[static_cast<std::size_t>(index)];
  const IconButtonProps& p = button.Props();
  const LaunchPlan plan = PlanLaunch(p.ExeFile(), p.ExePath(), parameters, p.ExeState(), services_.fs);
  if (!CarryOut(plan, hwnd()) || !model_.settings.CountEnable) return;
  ButtonRecord& record = model_.Buttons[static_cast<std::size_t>(index)];
  record.Count = CountAfterLaunch(record.Count);
  button.SetExeCount(record.Count);
}

void frmMain::IconButton_KeyDown(int Index, int KeyCode, int) {
  if (KeyCode == kKeyEnter || KeyCode == kKeyF5) {
    IconButton_Click(Index);
  } else if (KeyCode == kKeyContextMenu) {
    model_.CurrentButton = Index;
    ShowButtonMenu();
  }
}

void frmMain::IconButton_MouseDown(int Index, int Button, int, float, float) {
  if (Button == kRightButton) IconButton_KeyDown(Index, kKeyContextMenu, 0);
}

void frmMain::IconButton_MouseMove(int Index, int Button, int, float, float) {
  if (Button == kLeftButton && dragSource_ < 0) BeginButtonDrag(Index);
}

void frmMain::BeginButtonDrag(int source) {
  if (!dragCursors_[0]) {
    const int images[] = {IDI_DRAG, IDI_DROP, IDI_UNDROP};
    for (int i = 0; i < 3; ++i) dragCursors_[i] = LoadDragCursor(instance_, images[i]);
  }
  dragSource_ = source;
  dragFeedback_ = DragFeedback();
  // The main window follows the pointer until the button is released.
  ::SetCapture(hwnd());
  ::SetCursor(dragCursors_[0].get());
}

DragPlace frmMain::PlaceAt(POINT screen, int& button) const {
  const HWND under = ::WindowFromPoint(screen);
  button = -1;
  if (under == hwnd() || under == picControl_.hwnd()) return DragPlace::BarOrBackground;
  for (const auto& b : iconButtons_) {
    if (b->hwnd() == under) {
      button = b->Index();
      return button == dragSource_ ? DragPlace::SourceButton : DragPlace::OtherButton;
    }
  }
  return DragPlace::Outside;
}

void frmMain::ContinueButtonDrag() {
  POINT at{};
  ::GetCursorPos(&at);
  int button = -1;
  const DragPlace place = PlaceAt(at, button);
  const DragImage image = dragFeedback_.MoveTo(place, button);
  ::SetCursor(dragCursors_[static_cast<int>(image)].get());
}

void frmMain::EndButtonDrag(bool drop) {
  const int source = dragSource_;
  if (source < 0) return;
  dragSource_ = -1;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  if (!drop) return;
  POINT at{};
  ::GetCursorPos(&at);
  int target = -1;
  const DragPlace place = PlaceAt(at, target);
  // Over the control bar, the background or elsewhere nothing can be dropped.
  if (place == DragPlace::OtherButton || place == DragPlace::SourceButton) IconButton_DragDrop(target, source);
}

void frmMain::IconButton_DragDrop(int Index, int Source) {
  SwapButtons(model_.Buttons, Source, Index);
  // The buttons stay in place; both show their (new) contents.
  RefreshButton(Source);
  if (Index != Source) RefreshButton(Index);
}

void frmMain::picControl_MouseDown(int Button, int, float X, float Y) {
  if (Button == kLeftButton) {
    barPress_ = POINTFLOAT{X, Y};
  } else if (Button == kRightButton) {
    ShowControlMenu();
  }
}

void frmMain::picControl_MouseMove(int Button, int, float X, float Y) {
  if ((Button & kLeftButton) == 0) {
    picControl_.SetMovePointer(false);
    return;
  }
  if (!IsDragMove(barPress_.x, barPress_.y, X, Y)) return;
  picControl_.SetMovePointer(true);
  ::ReleaseCapture();
  ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void frmMain::picControl_DblClick() {
  switch (BarDoubleClickAction(model_.settings.ControlDblClick)) {
    case BarDoubleClick::Hide:
      Hide();
      break;
    case BarDoubleClick::Settings:
      tmrPopUp_.SetTag(PopMenuCommand(8));
      tmrPopUp_Timer();
      break;
    case BarDoubleClick::Exit:
      CloseLauncher();
      break;
    case BarDoubleClick::Nothing:
      break;
  }
}

}  // namespace vornish::win32
