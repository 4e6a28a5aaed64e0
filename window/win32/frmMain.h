// The launcher's main window: a caption-less strip holding the control bar and
// one icon button per entry of the button list.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "buttons/win32/IconButton.h"
#include "core/Launcher.h"
#include "core/Layout.h"
#include "core/win32/Handles.h"
#include "core/win32/Window.h"
#include "window/win32/ControlBar.h"

namespace vornish::win32 {

class frmMain : public Window, private IconButtonEvents {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.frmMain";
  static bool Register(HINSTANCE instance);

  frmMain(HINSTANCE instance, LauncherModel& model, LauncherServices services);
  ~frmMain() override;

  // Creates the window and runs its load step; false when the window could not
  // be created.
  bool Load();
  // Shows and activates the loaded window.
  void Show();

  // The unload step: saves everything, then closes the window. Runs once,
  // whichever way the launcher is left.
  void Unload();

  // Sizes and places the buttons, the control bar and the window for the
  // settings Size and Orient and the number of buttons; ends with PlaceWindow.
  void ArrangeButtons();
  // Keeps a window fixed to a screen edge there, beside the task bar, and
  // refits the frame to the window's size.
  void PlaceWindow();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void tmrPopUp_Timer();
  void ShowButtonMenu();

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

  HINSTANCE instance_;
  LauncherModel& model_;
  LauncherServices services_;
  HWND tooltip_ = nullptr;  // owned by the main window, destroyed with it
  ControlBar picControl_;
  std::vector<std::unique_ptr<IconButton>> iconButtons_;
  int focused_ = 0;  // the button that had the focus when the window lost it
  bool unloaded_ = false;
};

}  // namespace vornish::win32
