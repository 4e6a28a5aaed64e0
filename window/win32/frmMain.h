// The launcher's main window: a caption-less strip holding the control bar and
// one icon button per entry of the button list. It routes the window's
// messages to its parts, loads the launcher and saves it again.
#pragma once

#include <windows.h>

#include <optional>

#include "core/Launcher.h"
#include "core/win32/Com.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"
#include "core/win32/Window.h"
#include "dialogs/SettingsForm.h"
#include "window/Commands.h"
#include "window/Dispatcher.h"
#include "window/win32/ButtonDrag.h"
#include "window/win32/ButtonStrip.h"
#include "window/win32/ControlBar.h"
#include "window/win32/HelpViewer.h"
#include "window/win32/Saver.h"
#include "window/win32/TickTimer.h"
#include "window/win32/TrayIcon.h"
#include "window/win32/frmPopMenu.h"

namespace vornish::win32 {

class frmMain : public Window,
                private IconButtonEvents,
                private ControlBarEvents,
                private TickHost,
                private CommandHost,
                private SystemObjectButtons {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.frmMain";
  static bool Register(HINSTANCE instance);
  // Asks the launchers running in this session to show themselves.
  static void AskRunningToShow();

  // `faces` makes the buttons' faces (the shell's icons unless given).
  frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services, IconLoader::Maker faces = {});
  ~frmMain() override;

  // Creates the window and runs its load step; false when the window could not
  // be created.
  bool Load();
  // Shows and activates the window (also to bring a hidden launcher back).
  void Show();
  // Ends the launcher, whichever way the user chose: stops the timer, runs the
  // unload step (once: the tray icon goes, then Saver::AtExit) and closes the
  // window. At the end of the Windows session a failed save is told at the
  // next start instead of in a box that would hold the session up.
  void CloseLauncher(bool endOfSession = false);
  // The message loop's first step: the help's own keys (HelpViewer).
  bool PreTranslateMessage(MSG& message) { return help_.PreTranslate(message); }

  // Sizes and places the buttons, the control bar and the window for the
  // settings Size and Orient and the number of buttons; ends with PlaceWindow.
  void ArrangeButtons();
  // Keeps a window fixed to a screen edge there, beside the task bar, and
  // refits the frame to the window's size.
  void PlaceWindow() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleException(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  int Dpi() const;
  // `load`: what reading the settings and the data file found.
  void Form_Load(const DataFileLoad& load);
  void Form_Activate();
  // The tray icon, OLE drops and tool tips, set up right after the first paint.
  void AfterShow();
  // The window's and the tray's icons, made for the window's DPI.
  void MakeIcons();
  void AddTrayIcon();

  // A resolution, monitor or task bar changed: a docked window follows its
  // edge, a floating one stays on a monitor.
  void FollowDisplay();
  ButtonLayout CurrentLayout() const;
  void ApplyWindowSettings();
  void LaunchButton(int index, std::wstring_view parameters);

  void tmrPopUp_Timer();
  // Runs `chosen` now, after any command still waiting for its tick.
  void StartCommand(const ChosenCommand& chosen);
  // Every way in that starts a command or a window asks first: the menus, the
  // bar, the tray, the keyboard and a second start. False while a command or
  // a launch is under way, which is then refused where the user sees it.
  bool MayStart();
  // The button menu for button `button` (-1: the background or the tray), at
  // the pointer or, asked for from the keyboard, beside the window `beside`.
  void ShowButtonMenu(int button, HWND beside = nullptr);
  // A key on the strip that asks for a command (Ctrl+Z) runs it at once.
  void RunKeyCommand(int keyCode, int shift);
  // Hides the launcher, opens its settings or exits, as the bar's
  // double-click or its control menu asks.
  void RunBarAction(BarAction action);
  void OnTray(TrayAction action);
  void Hide();

  // A button dragged onto another (or let go elsewhere) swaps with it.
  void EndButtonDrag(bool drop);

  // TickHost
  bool MainWindowActive() override;
  void ShowBarInactive() override;
  void ShowBarActive() override;
  void Run(const ChosenCommand& chosen) override;

  // CommandHost
  void ApplyEdit(const EditResult& edit) override;
  void RefreshButton(int index) override;
  void ShowMessage(const Message& message) override;
  void OpenButtonSettings(int index) override;
  void OpenRanking() override;
  void OpenSettings() override;
  void OpenTips() override;
  void OpenAbout() override;
  void ApplySettings(const SettingsChange& change) override;
  void OpenHelp(HelpRequest request) override;
  void Exit() override;

  // SystemObjectButtons
  void AddSystemObject(std::int32_t number) override;
  void DeleteButton(int index) override;

  // IconButtonEvents
  bool IconButton_AcceptsDrop(int Index) override;
  void IconButton_FileDrop(int Index, const std::wstring& FileName) override;
  void IconButton_IconReset(int Index) override;
  void IconButton_Click(int Index) override;
  void IconButton_KeyDown(int Index, int KeyCode, int Shift) override;
  void IconButton_MouseDown(int Index, int Button, int Shift, float X, float Y) override;
  void IconButton_MouseMove(int Index, int Button, int Shift, float X, float Y) override;

  // ControlBarEvents
  void picControl_MouseDown(int Button, int Shift, float X, float Y) override;
  void picControl_MouseMove(int Button, int Shift, float X, float Y) override;
  void picControl_DblClick() override;

  HINSTANCE instance_;
  LauncherModel& model_;
  LauncherServices services_;
  HWND tooltip_ = nullptr;  // owned by the main window, destroyed with it
  ControlBar picControl_;
  // Before the buttons: OLE ends only after their drop targets are revoked.
  std::optional<OleScope> ole_;
  ButtonStrip strip_;
  ButtonDrag drag_;
  CommandTimer tmrPopUp_;
  TickTimer ticks_;  // the system timer that brings tmrPopUp_'s ticks
  frmPopMenu popMenu_;  // holds the timer while a menu is open
  TrayIcon tray_;
  HelpViewer help_;
  WindowIcons icons_;
  Saver saver_;
  UINT showRequest_ = 0;
  POINTFLOAT barPress_{0, 0};  // the last left press on the control bar
  bool showTips_ = false;
  bool tipsDue_ = false;  // the first activation asked for the tips
  bool unloaded_ = false;
  bool placing_ = false;
};

}  // namespace vornish::win32
