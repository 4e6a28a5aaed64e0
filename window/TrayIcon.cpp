#include "window/TrayIcon.h"

#include "core/Messages.h"
#include "core/Paths.h"

namespace vornish {

std::wstring TrayTip(std::wstring_view dataFilePath, std::wstring_view programFolder) {
  std::wstring tip(kAppTitle);
  if (dataFilePath != DefaultDataFilePath(programFolder)) {
    tip += L" [";
    tip += GetFileName(dataFilePath);
    tip += L"]";
  }
  return tip;
}

TrayAction TrayActionFor(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case 0x201: return TrayAction::ButtonMenu;
    case 0x203: return TrayAction::Show;
    case 0x204: return TrayAction::TrayMenu;
    default: return TrayAction::Nothing;
  }
}

}  // namespace vornish
