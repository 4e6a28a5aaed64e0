// The control bar `picControl`: the strip at the start of the buttons that
// stands in for a caption bar. It shows a flat colour or a gradient, and
// reports presses, moves and double-clicks to the main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "core/win32/Window.h"

namespace vornish::win32 {

// Coordinates are twips on the bar.
class ControlBarEvents {
 public:
  virtual ~ControlBarEvents() = default;
  virtual void picControl_MouseDown(int Button, int Shift, float X, float Y) = 0;
  virtual void picControl_MouseMove(int Button, int Shift, float X, float Y) = 0;
  virtual void picControl_DblClick() = 0;
};

class ControlBar : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"Vornish.picControl";
  static bool Register(HINSTANCE instance);

  explicit ControlBar(ControlBarEvents& events) : events_(events) {}
  bool Create(HINSTANCE instance, HWND parent, HWND tooltip);

  // A flat colour. Setting it clears a painted gradient; setting the colour
  // the bar already shows flat does nothing at all.
  void SetBackColor(OleColor colour);
  // A gradient, one 0x00BBGGRR colour per pixel row, kept until the next
  // SetBackColor.
  void PaintRows(std::vector<std::uint32_t> rows);
  // The bar of an active window in the setting ControlColor: the system's
  // active caption colour, or a gradient as many rows high as the bar (a
  // colour that is no gradient leaves the bar as it is).
  void ShowActive(OleColor controlColor);
  void ShowInactive() { SetBackColor(kColourInactiveCaption); }

  // The bar's pointer: the arrow, or the move pointer while it drags the window.
  void SetMovePointer(bool move);

  void SetToolTipText(std::wstring_view text);
  // Shows the tip through `tooltip` from now on.
  void AttachTooltip(HWND tooltip);
  void MoveTo(const RECT& bounds);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  POINTFLOAT BarPoint(LPARAM point) const;

  ControlBarEvents& events_;
  OleColor backColor_ = kColourInactiveCaption;
  std::vector<std::uint32_t> rows_;
  bool movePointer_ = false;
  HWND tooltip_ = nullptr;
  std::wstring tip_;
};

}  // namespace vornish::win32
