// "ボタン設定": edits one button's record; the caller shows the button again
// afterwards.
#pragma once

#include <windows.h>

#include <array>

#include "core/Launcher.h"
#include "core/win32/Dialog.h"
#include "core/win32/Handles.h"
#include "dialogs/ButtonForm.h"

namespace vornish::win32 {

class frmButtonSet : public Dialog {
 public:
  frmButtonSet(HINSTANCE instance, LauncherModel& model, int index);
  // Shows the dialog over `owner`; true when OK wrote the record.
  bool Show(HWND owner);

 private:
  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Shows icon `n` (zero-based) of the chosen icon source and its count.
  void IconDraw(int n);
  int PreviewSize() const;
  void Browse();
  void ChooseColour();
  void ShowColour();
  void Confirm();

  HINSTANCE instance_;
  LauncherModel& model_;
  int index_;
  ButtonForm form_;
  UniqueIcon preview_;
  HWND tooltip_ = nullptr;  // owned by the dialog
  std::array<COLORREF, 16> customColours_{};
};

}  // namespace vornish::win32
