// The icon button control: a square child window whose face shows the icon of
// what the button launches, with a one-pixel raised edge. It is a view of one
// entry of the launcher's button list, found by its index, and reports input
// to its owner as events.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "buttons/ButtonInput.h"
#include "buttons/win32/FileDropTarget.h"
#include "buttons/win32/IconImage.h"
#include "buttons/win32/IconLoader.h"
#include "core/Launcher.h"
#include "core/win32/Window.h"

namespace vornish::win32 {

// What the main window hears from its buttons; `Index` is the button's place
// in the strip. Coordinates are twips on the button's face.
class IconButtonEvents {
 public:
  virtual ~IconButtonEvents() = default;
  // Whether a file dropped on the face now would be taken (the drag shows it).
  virtual bool IconButton_AcceptsDrop(int Index) = 0;
  // A file dropped on the face (the first of those dropped).
  virtual void IconButton_FileDrop(int Index, const std::wstring& FileName) = 0;
  // The record's icon number is beyond its source's icons.
  virtual void IconButton_IconReset(int Index) = 0;
  virtual void IconButton_Click(int Index) = 0;
  virtual void IconButton_KeyDown(int Index, int KeyCode, int Shift) = 0;
  virtual void IconButton_MouseDown(int Index, int Button, int Shift, float X, float Y) = 0;
  virtual void IconButton_MouseMove(int Index, int Button, int Shift, float X, float Y) = 0;
};

class IconButton : public Window, private FileDropReceiver {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.IconButton";
  static bool Register(HINSTANCE instance);

  IconButton(int index, const LauncherModel& model, IconButtonEvents& events, IconLoader& icons);
  // Revokes the drop target and removes the tip while this object still
  // exists, before the window goes.
  ~IconButton() override;

  // Creates the child window at `bounds` (pixels in the parent), titled with
  // its record's title and visible unless `shown` is false, its entry in
  // `tooltip`, and with `oleDrops` its OLE drop target (OLE must be
  // initialised on this thread). Its face is asked for with IconRefresh.
  bool Create(HINSTANCE instance, HWND parent, HWND tooltip, const RECT& bounds, bool shown = true,
              bool oleDrops = true);

  int Index() const { return index_; }
  const ButtonRecord& Record() const { return model_.Buttons[static_cast<std::size_t>(index_)]; }

  // Shows the record again: title (tip and window text), colour and icon.
  void Refresh();
  // Makes the icon again, at the icon size and DPI of now. The face shows it
  // once it is ready (the record's icon number may then turn out to be
  // beyond its source: IconReset).
  void IconRefresh();

  // Shows the title as a tip through `tooltip` from now on.
  void AttachTooltip(HWND tooltip);
  // Registers the face as an OLE drop target (OLE must be initialised on
  // this thread); until then files arrive only as WM_DROPFILES.
  void EnableFileDrops();

  // Whether the window is visible, as the caller last made it (in one batch
  // of moves, say: ShownAs records it).
  bool Shown() const { return shown_; }
  void ShownAs(bool shown) { shown_ = shown; }
  // The face shows that what the button launches has gone (as learnt when
  // its icon was last made).
  bool Broken() const { return broken_; }
  // Where the button is, in pixels of the parent's client area.
  const RECT& Bounds() const { return bounds_; }
  // For moves made by the caller in one batch (DeferWindowPos).
  void MovedTo(const RECT& bounds) { bounds_ = bounds; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  void Detach();
  // FileDropReceiver
  bool AcceptsFiles() override { return events_.IconButton_AcceptsDrop(index_); }
  void FileDropped(const std::wstring& firstFile) override;
  void OnButtonDown(int button, LPARAM point, bool doubleClick);
  void OnButtonUp(int button, LPARAM point);
  void OnMouseMove(WPARAM keys, LPARAM point);
  POINTFLOAT FacePoint(LPARAM point) const;
  void SetLook(ButtonInput::Look before);

  int index_;
  const LauncherModel& model_;
  IconButtonEvents& events_;
  IconLoader& icons_;
  ButtonInput input_;
  IconImage image_;
  HWND tooltip_ = nullptr;
  RECT bounds_{};
  // Files an OLE drop handed over, delivered once the drop call has returned.
  std::vector<std::wstring> dropped_;
  ComPtr<FileDropTarget> dropTarget_;
  bool clickPending_ = false;  // a left press on the face that may end as a click
  bool broken_ = false;
  bool shown_ = false;
};

}  // namespace vornish::win32
