#include "window/win32/frmMain.h"

#include <algorithm>

#include "buttons/Launch.h"
#include "buttons/win32/Launching.h"
#include "core/Messages.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "window/ControlBar.h"
#include "window/Placement.h"

namespace vornish::win32 {

namespace {

// The frame is two pixels of raised border, 30 twips in from the left and top
// edges and 15 in from the right and bottom ones.
constexpr std::int32_t kFrameInset = 30;
constexpr std::int32_t kFrameFarInset = 15;
constexpr int kFrameThickness = 2;

// A new button's size before any layout: 40 pixels at 96 DPI.
constexpr std::int32_t kDesignedButtonSide = 600;

// The command timer: a tick every 100 ms from the first activation.
constexpr UINT_PTR kTimerPopUp = 1;
constexpr UINT kTickMilliseconds = 100;

// Key codes the buttons act on.
constexpr int kKeyEnter = VK_RETURN;
constexpr int kKeyF5 = VK_F5;
constexpr int kKeyContextMenu = VK_APPS;

}  // namespace

bool frmMain::Register(HINSTANCE instance) {
  return Window::RegisterClass(instance, kClassName, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_SIZEALL),
                               ::GetSysColorBrush(COLOR_BTNFACE));
}

frmMain::frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services)
    : instance_(instance), model_(model), services_(services) {}

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
  tooltip_ = CreateTooltip(instance_, hwnd());
  if (!picControl_.Create(instance_, hwnd(), tooltip_)) return false;
  Form_Load();
  return true;
}

void frmMain::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
}

void frmMain::Form_Load() {
  const DataFileLoad load = LoadLauncher(model_, services_);

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
      ShowMessage(hwnd(), DataFileReadFailedMessage(model_.DataFilePath, load.error.reason), MB_ICONEXCLAMATION);
      break;
    case DataFileLoad::Status::Overflow:
      ShowMessage(hwnd(), DataFileTooLargeMessage(model_.DataFilePath), MB_ICONEXCLAMATION);
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

void frmMain::Form_Activate() { ::SetTimer(hwnd(), kTimerPopUp, kTickMilliseconds, nullptr); }

void frmMain::tmrPopUp_Timer() {
  if (model_.settings.Position != kPositionFloating) PlaceWindow();
}

void frmMain::ShowButtonMenu() {}

void frmMain::FocusButton() {
  if (iconButtons_.empty()) return;
  const int index = std::clamp(focused_, 0, static_cast<int>(iconButtons_.size()) - 1);
  ::SetFocus(iconButtons_[static_cast<std::size_t>(index)]->hwnd());
}

void frmMain::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Form_Unload();
}

void frmMain::Form_Unload() {
  std::optional<WindowPosition> position;
  if (!::IsIconic(hwnd())) {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const int dpi = Dpi();
    position = WindowPosition{PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi)};
  }
  const UnloadReport report = SaveLauncher(model_, services_, position);
  if (!report.dataFileSkipped && !report.dataFileWritten) {
    ShowMessage(hwnd(), DataFileWriteFailedMessage(model_.DataFilePath, report.dataFileError.reason),
                MB_ICONEXCLAMATION);
  }
}

void frmMain::OnDestroyed() { ::PostQuitMessage(0); }

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

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
      return 0;
    case WM_LBUTTONDOWN:
      // The background is a handle too: the system moves the window.
      ::ReleaseCapture();
      ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_CLOSE:
      Unload();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends with the launcher open: save as on any exit.
      if (wParam) {
        Unload();
        ::DestroyWindow(hwnd());
      }
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ArrangeButtons();
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      ::InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

void frmMain::IconButton_FileDrop(int, const std::wstring&) {}

void frmMain::IconButton_FileChange(int Index) {
  if (Index < 0 || Index >= static_cast<int>(iconButtons_.size())) return;
  model_.Buttons[static_cast<std::size_t>(Index)] = iconButtons_[static_cast<std::size_t>(Index)]->ToRecord();
  // While loading, the window is not shown yet and must not be activated.
  if (::IsWindowVisible(hwnd())) ::SetActiveWindow(hwnd());
}

void frmMain::IconButton_Click(int Index) {
  if (Index < 0 || Index >= static_cast<int>(iconButtons_.size())) return;
  IconButton& button = *iconButtons_[static_cast<std::size_t>(Index)];
  const IconButtonProps& p = button.Props();
  const LaunchPlan plan = PlanLaunch(p.ExeFile(), p.ExePath(), p.ExeParam(), p.ExeState(), services_.fs);
  if (!CarryOut(plan, hwnd()) || !model_.settings.CountEnable) return;
  ButtonRecord& record = model_.Buttons[static_cast<std::size_t>(Index)];
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

void frmMain::IconButton_MouseMove(int, int, int, float, float) {}

}  // namespace vornish::win32
