#include "window/win32/HelpViewer.h"

#include <utility>

#include "core/win32/SharedRoutines.h"
#include "core/win32/SystemLibraries.h"
#include "core/win32/WinText.h"

namespace vornish::win32 {

namespace {

// HTML Help's commands, as <htmlhelp.h> numbers them (that header's
// HtmlHelp macro would rename everything of that name here).
constexpr UINT kDisplayContents = 0x0001;  // HH_DISPLAY_TOC
constexpr UINT kDisplayIndex = 0x0002;     // HH_DISPLAY_INDEX
constexpr UINT kCloseAll = 0x0012;         // HH_CLOSE_ALL
constexpr UINT kInitialize = 0x001C;       // HH_INITIALIZE
constexpr UINT kUninitialize = 0x001D;     // HH_UNINITIALIZE
constexpr UINT kPreTranslate = 0x00FD;     // HH_PRETRANSLATEMESSAGE

}  // namespace

HelpViewer::HtmlHelpFn HelpViewer::HtmlHelpEntry() {
  if (!library_) {
    library_.reset(LoadSystemLibrary(L"hhctrl.ocx"));
    if (!library_) return nullptr;
    htmlHelp_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(library_.get(), "HtmlHelpW")));
  }
  // Its windows then live on this thread, with the launcher's own, instead
  // of on a thread of its own.
  if (htmlHelp_ && cookie_ == 0) htmlHelp_(nullptr, nullptr, kInitialize, reinterpret_cast<DWORD_PTR>(&cookie_));
  return htmlHelp_;
}

std::optional<Message> HelpViewer::Open(HWND owner, const HelpChoice& help, HelpRequest request) {
  switch (help.viewer) {
    case HelpChoice::Viewer::WinHelp: {
      const UINT command = request == HelpRequest::Search ? HELP_PARTIALKEY : HELP_CONTENTS;
      ::SetLastError(ERROR_SUCCESS);
      if (::WinHelpW(owner, help.file.c_str(), command, 0)) return std::nullopt;
      const DWORD error = ::GetLastError();
      if (error == ERROR_SUCCESS) return std::nullopt;
      return Message{ErrorText(error)};
    }
    case HelpChoice::Viewer::HtmlHelp: {
      const HtmlHelpFn htmlHelp = HtmlHelpEntry();
      if (!htmlHelp) return Message{ErrorText(::GetLastError())};
      // The index opens with an empty keyword: the list from its start.
      const bool index = request == HelpRequest::Search;
      const HWND shown = htmlHelp(owner, help.file.c_str(), index ? kDisplayIndex : kDisplayContents,
                                  index ? reinterpret_cast<DWORD_PTR>(L"") : 0);
      if (shown) return std::nullopt;
      return HelpFileNotOpenedMessage(help.file);
    }
    case HelpChoice::Viewer::Missing:
      break;
  }
  return HelpFileMissingMessage(help.file);
}

void HelpViewer::Show(HWND owner, const FileSystem& fs, HelpRequest request) {
  if (const auto problem = Open(owner, ChooseHelp(ProgramFolder(), fs), request)) ShowMessage(owner, *problem);
}

void HelpViewer::CloseAll() {
  if (!htmlHelp_) return;
  htmlHelp_(nullptr, nullptr, kCloseAll, 0);
  if (cookie_ != 0) htmlHelp_(nullptr, nullptr, kUninitialize, std::exchange(cookie_, 0));
}

bool HelpViewer::PreTranslate(MSG& message) const {
  return cookie_ != 0 && htmlHelp_(nullptr, nullptr, kPreTranslate, reinterpret_cast<DWORD_PTR>(&message)) != nullptr;
}

}  // namespace vornish::win32
