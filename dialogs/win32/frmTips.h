// "ﾜﾝﾎﾟｲﾝﾄ": the tips one at a time, paged forward, back or at random, and
// whether they open at the next start (StartTips, written as the window closes).
#pragma once

#include <windows.h>

#include <random>

#include "core/Settings.h"
#include "core/win32/Dialog.h"
#include "core/win32/Handles.h"

namespace vornish::win32 {

class frmTips : public Dialog {
 public:
  frmTips(HINSTANCE instance, SettingsStore& store);
  // Shows the window over `owner`, always at tip 1, until OK or the close box.
  void Show(HWND owner);

 private:
  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void cmdPaging_Click(int Index);

  HINSTANCE instance_;
  SettingsStore& store_;
  bool startTips_ = true;
  int tip_ = 0;  // the tip shown, from 1; 0 before the first
  std::mt19937 random_;
  UniqueIcon onePoint_;
  UniqueBrush white_{::CreateSolidBrush(RGB(255, 255, 255))};
};

}  // namespace vornish::win32
