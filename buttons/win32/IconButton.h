// The icon button control: a square child window whose face shows the icon of
// what the button launches, with a one-pixel raised edge. It holds the
// button's eleven properties and reports input to its owner as events.
#pragma once

#include <windows.h>

#include <string>

#include "buttons/IconButtonProps.h"
#include "core/win32/Window.h"

namespace vornish::win32 {

// What the main window hears from its buttons; `Index` is the button's place
// in the control array.
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

  IconButton(int index, IconButtonEvents& events);

  // Creates the (hidden) child window and its tool tip entry in `tooltip`.
  bool Create(HINSTANCE instance, HWND parent, HWND tooltip);

  int Index() const { return index_; }
  const IconButtonProps& Props() const { return props_; }
  ButtonRecord ToRecord() const { return props_.ToRecord(); }

  void SetExeTitle(std::wstring_view value);
  void SetExeColor(OleColor value);
  // Sets the eleven properties from a record, in property order. The icon is
  // redrawn only by IconRefresh.
  void Assign(const ButtonRecord& record);

  // Clears the face and draws the icon chosen by ExeIcon/ExeFile/ExeIconNo.
  void IconRefresh();

  void Show();
  void MoveTo(const RECT& bounds);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  void UpdateTooltip();

  int index_;
  IconButtonEvents& events_;
  IconButtonProps props_;
  HWND tooltip_ = nullptr;
  bool pressed_ = false;
};

}  // namespace vornish::win32
