// Small helpers shared by the launcher's controls: tool tips and flat fills.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/Colour.h"

namespace vornish::win32 {

// A tool tip control owned by `owner` that shows tips for its child windows,
// wrapping long tips at a width that follows the DPI.
HWND CreateTooltip(HINSTANCE instance, HWND owner);
void SetTooltipDpi(HWND tooltip, UINT dpi);

// Registers `tool` (a child of the tool tip's owner) with an empty text.
void AddTool(HWND tooltip, HWND tool);
// Takes `tool` out of the tool tip again.
void RemoveTool(HWND tooltip, HWND tool);
// The tip shown over `tool`; an empty text shows no tip. The tool tip keeps
// its own copy of the text.
void SetToolText(HWND tooltip, HWND tool, const wchar_t* text);

// Focus cues (focus rectangles) of top-level window `window` and its
// controls: shown from the start only when the user asked the system for
// them, and from the moment the keyboard is used. A control draws its focus
// rectangle only while they are shown.
void StartFocusCues(HWND window);
void ShowFocusCues(HWND window);
bool FocusCuesShown(HWND window);

// The RGB value of a colour value, system colours resolved now.
COLORREF ToColorRef(OleColor colour);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Empties the clipboard and puts `text` on it; true when it is there.
bool CopyToClipboard(HWND owner, std::wstring_view text);

// The mouse buttons held from a mouse message's wParam, and the shift keys
// down now, as the controls' events report them (core/Mouse.h).
int MouseButtons(WPARAM keys);
int ShiftState();

}  // namespace vornish::win32
