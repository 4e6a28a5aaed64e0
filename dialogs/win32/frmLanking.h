// "起動ランキング": every button with a file, most launched first, with its
// count and rank; "クリア(&C)" sets every count to 0 after two Yes.
#pragma once

#include <windows.h>

#include "core/Launcher.h"
#include "core/win32/Dialog.h"

namespace vornish::win32 {

class frmLanking : public Dialog {
 public:
  frmLanking(HINSTANCE instance, LauncherModel& model) : instance_(instance), model_(model) {}
  // Shows the window over `owner` until OK, the close box or a reset.
  void Show(HWND owner);

 private:
  bool OnInit() override;
  bool OnCommand(int id, int code) override;

  void AddColumns();
  void FillList();
  void cmdFunc_Click(int Index);

  HINSTANCE instance_;
  LauncherModel& model_;
};

}  // namespace vornish::win32
