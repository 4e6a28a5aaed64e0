// "ランチャー設定": every launcher-wide setting on three tabbed pages. OK
// writes the settings into the model and adds or removes system-object
// buttons through the main window; the caller applies what changed. Its
// question and messages are its own: modal to it, not to the main window.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/Launcher.h"
#include "core/win32/Dialog.h"
#include "core/win32/Handles.h"
#include "dialogs/SettingsForm.h"

namespace vornish::win32 {

class frmSet : public Dialog, private SettingsHost {
 public:
  frmSet(HINSTANCE instance, LauncherModel& model, SystemObjectButtons& buttons, std::wstring programFolder);
  // Shows the dialog over `owner`; true when OK wrote the settings.
  bool Show(HWND owner);

 private:
  // One page: its controls' notifications go to the dialog.
  class Page : public Dialog {
   public:
    explicit Page(frmSet& dialog) : dialog_(dialog) {}
    using Dialog::Check;
    using Dialog::Checked;
    using Dialog::FillList;
    using Dialog::Item;
    using Dialog::Select;
    using Dialog::Selected;

   private:
    bool OnCommand(int id, int code) override { return dialog_.OnPageCommand(id, code); }
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    frmSet& dialog_;
  };

  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreviewMessage(const MSG& message) override;
  bool OnPageCommand(int id, int code);

  void CreatePages();
  void ShowPage(int page);
  void PlacePositionButtons();
  void ShowOrientAndPosition();
  void Confirm();

  // SettingsHost
  void AddSystemObject(std::int32_t number) override { launcher_.AddSystemObject(number); }
  void DeleteButton(int index) override { launcher_.DeleteButton(index); }
  void CreateStartupLink(std::wstring_view arguments) override;

  HINSTANCE instance_;
  LauncherModel& model_;
  SystemObjectButtons& launcher_;
  std::wstring programFolder_;
  SettingsForm form_;
  Page buttons_{*this};
  Page system_{*this};
  Page other_{*this};
  HWND tooltip_ = nullptr;  // owned by the dialog
  std::array<UniqueIcon, 5> positionIcons_;
  std::array<COLORREF, 16> customColours_{};
  bool confirming_ = false;  // OK is under way (its question may be up)
};

}  // namespace vornish::win32
