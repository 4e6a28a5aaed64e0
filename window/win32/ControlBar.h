// The control bar `picControl`: the strip at the start of the buttons that
// stands in for a caption bar. It shows a flat colour or a gradient.
#pragma once

#include <windows.h>

#include <string>

#include "core/Colour.h"
#include "core/win32/Window.h"

namespace vornish::win32 {

class ControlBar : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.picControl";
  static bool Register(HINSTANCE instance);

  bool Create(HINSTANCE instance, HWND parent, HWND tooltip);

  // A flat colour; setting it clears whatever was painted.
  void SetBackColor(OleColor colour);
  OleColor BackColor() const { return backColor_; }

  void SetToolTipText(std::wstring_view text);
  void MoveTo(const RECT& bounds);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  OleColor backColor_ = kColourInactiveCaption;
  HWND tooltip_ = nullptr;
  std::wstring tip_;
};

}  // namespace vornish::win32
