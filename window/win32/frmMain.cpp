#include "window/win32/frmMain.h"

#include <algorithm>

#include "core/Messages.h"
#include "core/Twips.h"
#include "core/win32/Controls.h"
#include "core/win32/Dpi.h"
#include "core/win32/SharedRoutines.h"
#include "window/ControlBar.h"

namespace vornish::win32 {

namespace {

// The frame is two pixels of raised border, 30 twips in from the left and top
// edges and 15 in from the right and bottom ones.
constexpr std::int32_t kFrameInset = 30;
constexpr std::int32_t kFrameFarInset = 15;
constexpr int kFrameThickness = 2;

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
  for (int i = 0; i <= model_.ButtonLast(); ++i) {
    // The system limits the windows of a process; buttons beyond that limit
    // stay in the list, and in the data file, without a control.
    if (!CreateIconButton(i)) break;
  }
  ArrangeButtons();
  RestoreWindowPosition();
  ReportDataFileLoad(load);
}

bool frmMain::CreateIconButton(int index) {
  auto button = std::make_unique<IconButton>(index, static_cast<IconButtonEvents&>(*this));
  if (!button->Create(instance_, hwnd(), tooltip_)) return false;
  button->Assign(model_.Buttons[static_cast<std::size_t>(index)]);
  button->IconRefresh();
  button->Show();
  iconButtons_.push_back(std::move(button));
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

void frmMain::ArrangeButtons() {
  const int dpi = Dpi();
  std::int32_t currentWidth = 0;
  std::int32_t currentHeight = 0;
  if (!iconButtons_.empty()) {
    RECT r{};
    ::GetWindowRect(iconButtons_.front()->hwnd(), &r);
    currentWidth = PixelsToTwips(r.right - r.left, dpi);
    currentHeight = PixelsToTwips(r.bottom - r.top, dpi);
  }
  const ButtonLayout layout = vornish::ArrangeButtons(model_.settings.Size, model_.settings.Orient,
                                                      model_.ButtonLast() + 1, currentWidth, currentHeight);
  picControl_.MoveTo(ToPixels(layout.controlBar));
  HDWP batch = ::BeginDeferWindowPos(static_cast<int>(iconButtons_.size()));
  for (std::size_t i = 0; i < iconButtons_.size(); ++i) {
    const RECT r = ToPixels(layout.Button(static_cast<std::int32_t>(i)));
    const HWND button = iconButtons_[i]->hwnd();
    if (batch) {
      batch = ::DeferWindowPos(batch, button, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      iconButtons_[i]->MoveTo(r);
    }
  }
  if (batch) ::EndDeferWindowPos(batch);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(layout.windowWidth, dpi),
                 TwipsToPixels(layout.windowHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceWindow();
}

void frmMain::PlaceWindow() {
  // The frame follows the window's size.
  ::InvalidateRect(hwnd(), nullptr, TRUE);
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

void frmMain::Form_Activate() {}

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
      if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
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
  if (Index >= 0 && Index < static_cast<int>(iconButtons_.size())) {
    model_.Buttons[static_cast<std::size_t>(Index)] = iconButtons_[static_cast<std::size_t>(Index)]->ToRecord();
  }
}
void frmMain::IconButton_Click(int) {}
void frmMain::IconButton_KeyDown(int, int, int) {}
void frmMain::IconButton_MouseDown(int, int, int, float, float) {}
void frmMain::IconButton_MouseMove(int, int, int, float, float) {}

}  // namespace vornish::win32
