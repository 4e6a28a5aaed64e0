// "ﾊﾞｰｼﾞｮﾝ情報": the product and its version from the program's version
// resource, two link labels that light up under the mouse, copy on a click
// and open on a double-click, and the system information program.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/FileSystem.h"
#include "core/win32/Dialog.h"
#include "core/win32/Dpi.h"
#include "core/win32/Handles.h"
#include "dialogs/About.h"

namespace vornish::win32 {

class frmAbout : public Dialog {
 public:
  frmAbout(HINSTANCE instance, const FileSystem& fs, std::wstring programFolder);
  // Shows the window over `owner` until OK or the close box.
  void Show(HWND owner);

 private:
  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreviewMessage(const MSG& message) override;

  void MakeIconsAndFonts();
  void PlaceLabels();
  void DrawTitle(const DRAWITEMSTRUCT& item);
  void Light(Link link);
  void lblInfo_Click(Link link);
  void lblInfo_DblClick(Link link);
  void RunSystemInfo();
  Link LinkOf(HWND control) const;

  HINSTANCE instance_;
  const FileSystem& fs_;
  std::wstring programFolder_;
  std::wstring title_;
  Link lit_ = Link::None;
  HWND tooltip_ = nullptr;  // owned by the dialog
  WindowIcons icons_;
  UniqueIcon appIcon_;
  UniqueFont titleFont_, linkFont_, litFont_;
};

}  // namespace vornish::win32
