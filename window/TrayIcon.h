// The task-tray icon's tip and what its mouse messages do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornish {

// "Vornish" for the default data file beside the program (compared exactly,
// letter case included), else "Vornish [<file name>]".
std::wstring TrayTip(std::wstring_view dataFilePath, std::wstring_view programFolder);

enum class TrayAction {
  Nothing,
  ButtonMenu,  // left press: the button pop-up menu for no button
  Show,        // left double-click: show the launcher
  TrayMenu,    // right press: the tray menu
};

// The action for the mouse message the tray reports (WM_LBUTTONDOWN 0x201,
// WM_LBUTTONDBLCLK 0x203, WM_RBUTTONDOWN 0x204; others do nothing).
TrayAction TrayActionFor(std::uint32_t mouseMessage);

}  // namespace vornish
