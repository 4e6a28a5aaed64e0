// The launcher's main window: a caption-less strip holding the control bar and
// one icon button per entry of the button list.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "buttons/win32/IconButton.h"
#include "buttons/DragDrop.h"
#include "core/Editing.h"
#include "core/Launcher.h"
#include "core/Layout.h"
#include "core/win32/Com.h"
#include "core/win32/Handles.h"
#include "core/win32/Window.h"
#include "window/Commands.h"
#include "window/win32/ControlBar.h"
#include "window/win32/TrayIcon.h"
#include "window/win32/frmPopMenu.h"

namespace vornish::win32 {

class frmMain : public Window, private IconButtonEvents, private ControlBarEvents, private TickHost {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.frmMain";
  static bool Register(HINSTANCE instance);

  frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services);
  ~frmMain() override;

  // Creates the window and runs its load step; false when the window could not
  // be created.
  bool Load();
  // Shows and activates the window (also to bring a hidden launcher back).
  void Show();

  // Ends the launcher, whichever way the user chose: stops the timer, runs the
  // unload step (once) and closes the window.
  void CloseLauncher();

  // Sizes and places the buttons, the control bar and the window for the
  // settings Size and Orient and the number of buttons; ends with PlaceWindow.
  void ArrangeButtons();
  // Keeps a window fixed to a screen edge there, beside the task bar, and
  // refits the frame to the window's size.
  void PlaceWindow() override;

  // The edits of the button menu; also used by the settings dialog.
  void AddButton();
  void InsertButton();
  void ButtonDel();
  void InitButton();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void Unload();
  void tmrPopUp_Timer();
  void ShowButtonMenu();
  void ShowControlMenu();
  void OnTrayMessage(UINT mouseMessage);
  void OpenTrayButtonMenu();
  void Hide();
  void EnableTimer(bool enabled);
  // The tray icon, OLE drops and tool tips, set up right after the first paint.
  void AfterShow();

  // TickHost
  bool MainWindowActive() override;
  void ShowBarInactive() override;
  void ShowBarActive() override;
  void Run(Command command) override;

  void LaunchAndCount(int index, std::wstring_view parameters);
  void BeginButtonDrag(int source);
  void ContinueButtonDrag();
  void EndButtonDrag(bool drop);
  DragPlace PlaceAt(POINT screen, int& button) const;
  void IconButton_DragDrop(int Index, int Source);
  void ApplyEdit(const EditResult& edit);
  void RefreshButton(int index);
  void ApplySettings(std::int32_t oldSize, std::int32_t oldOrient);
  void CallHelp(UINT command);
  void RestoreWindowPosition();
  bool CreateIconButton(int index, const RECT& bounds);
  ButtonLayout CurrentLayout() const;
  void ReportDataFileLoad(const DataFileLoad& load);
  void PaintFrame(HDC dc) const;
  RECT ToPixels(const TwipsRect& rect) const;
  int Dpi() const;
  void FocusButton();

  // IconButtonEvents
  void IconButton_FileDrop(int Index, const std::wstring& FileName) override;
  void IconButton_FileChange(int Index) override;
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
  std::vector<std::unique_ptr<IconButton>> iconButtons_;
  frmPopMenu popMenu_;
  TrayIcon tray_;
  UniqueIcon trayImage_;
  UniqueIcon bigIcon_;
  UniqueCursor dragCursors_[3];  // imgDrag, imgDrop, imgUnDrop
  int dragSource_ = -1;          // the button being dragged, -1 for none
  DragFeedback dragFeedback_;
  CommandTimer tmrPopUp_{0};
  UINT taskbarCreated_ = 0;
  POINTFLOAT barPress_{0, 0};  // the last left press on the control bar
  bool trayMenuPending_ = false;  // a left press on the tray icon, not yet a double-click
  bool showTips_ = false;
  int focused_ = 0;  // the button that had the focus when the window lost it
  bool unloaded_ = false;
};

}  // namespace vornish::win32
