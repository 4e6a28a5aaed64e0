// The icon button control: a square child window whose face shows the icon of
// what the button launches, with a one-pixel raised edge. It holds the
// button's eleven properties and reports input to its owner as events.
#pragma once

#include <windows.h>

#include <string>

#include "buttons/ButtonInput.h"
#include "buttons/IconButtonProps.h"
#include "buttons/win32/FileDropTarget.h"
#include "buttons/win32/IconImage.h"
#include "core/Settings.h"
#include "core/win32/Window.h"

namespace vornish::win32 {

// What the main window hears from its buttons; `Index` is the button's place
// in the control array. Coordinates are twips on the button's face.
class IconButtonEvents {
 public:
  virtual ~IconButtonEvents() = default;
  virtual void IconButton_FileDrop(int Index, const std::wstring& FileName) = 0;
  virtual void IconButton_FileChange(int Index) = 0;
  virtual void IconButton_Click(int Index) = 0;
  virtual void IconButton_KeyDown(int Index, int KeyCode, int Shift) = 0;
  virtual void IconButton_MouseDown(int Index, int Button, int Shift, float X, float Y) = 0;
  virtual void IconButton_MouseMove(int Index, int Button, int Shift, float X, float Y) = 0;
};

class IconButton : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.IconButton";
  static bool Register(HINSTANCE instance);

  // `settings` gives the icon size each refresh draws at.
  IconButton(int index, IconButtonEvents& events, const Settings& settings);

  // Creates the (hidden) child window at `bounds` (pixels in the parent) and
  // its tool tip entry in `tooltip`.
  bool Create(HINSTANCE instance, HWND parent, HWND tooltip, const RECT& bounds);

  int Index() const { return index_; }
  const IconButtonProps& Props() const { return props_; }
  ButtonRecord ToRecord() const { return props_.ToRecord(); }

  void SetExeTitle(std::wstring_view value);
  void SetExeColor(OleColor value);
  void SetExeCount(std::int32_t value) { props_.SetExeCount(value); }
  // Sets the eleven properties from a record, in property order. The icon is
  // redrawn only by IconRefresh.
  void Assign(const ButtonRecord& record);

  // Shows the title as a tip through `tooltip` from now on.
  void AttachTooltip(HWND tooltip);

  // Registers the face as an OLE drop target (OLE must be initialised on
  // this thread); until then files arrive only as WM_DROPFILES.
  void EnableFileDrops();

  // A file dropped on the face: a locked button raises FileDrop with it; any
  // other registers it (title, target, folder; the rest as new) and raises
  // FileChange.
  void FileDropped(const std::wstring& path);

  // Clears the face and draws the icon chosen by ExeIcon/ExeFile/ExeIconNo.
  // Resets an out-of-range ExeIconNo to 0 and then raises FileChange.
  void IconRefresh();

  const IconImage& FaceImage() const { return image_; }

  void Show();
  // Where the button is, in pixels of the parent's client area.
  const RECT& Bounds() const { return bounds_; }
  // Moves the button; nothing happens when it is already there.
  void MoveTo(const RECT& bounds);
  // For moves made by the caller in one batch (DeferWindowPos).
  void MovedTo(const RECT& bounds) { bounds_ = bounds; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  void UpdateTooltip();
  void OnButtonDown(int button, WPARAM keys, LPARAM point, bool doubleClick);
  void OnButtonUp(int button, LPARAM point);
  void OnMouseMove(WPARAM keys, LPARAM point);
  POINTFLOAT FacePoint(LPARAM point) const;
  void RepaintIfLookChanged(ButtonInput::Look before);

  int index_;
  IconButtonEvents& events_;
  const Settings& settings_;
  IconButtonProps props_;
  ButtonInput input_;
  IconImage image_;
  HWND tooltip_ = nullptr;
  RECT bounds_{};
  FileDropTarget dropTarget_{[this](const std::wstring& path) { FileDropped(path); }};
  bool clickPending_ = false;  // a left press on the face that may end as a click
};

}  // namespace vornish::win32
