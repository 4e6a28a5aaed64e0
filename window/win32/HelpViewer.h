// Opens the launcher's help: a VRN.hlp beside the program in WinHelp, as the
// launcher always did, else the compiled HTML help VRN.chm in HTML Help.
#pragma once

#include <windows.h>

#include <optional>

#include "core/FileSystem.h"
#include "core/Messages.h"
#include "core/StartUp.h"
#include "core/win32/Handles.h"
#include "window/Dispatcher.h"

namespace vornish::win32 {

class HelpViewer {
 public:
  HelpViewer() = default;
  // Closes what HTML Help still shows: its windows must not outlive it.
  ~HelpViewer() { CloseAll(); }
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Opens the help file beside the program (looked for now: one put there
  // later counts too) at its contents or its keyword index, with `owner` as
  // the caller; tells the user when there is none or it did not open.
  void Show(HWND owner, const FileSystem& fs, HelpRequest request);
  // Closes every HTML Help window of the launcher and ends HTML Help on
  // this thread.
  void CloseAll();
  // HTML Help's windows run on the launcher's thread: the launcher's message
  // loop hands it every message first, so that its keys (Tab between its
  // panes) work. True when it took the message.
  bool PreTranslate(MSG& message) const;

 private:
  // What to tell the user when `help` did not open.
  std::optional<Message> Open(HWND owner, const HelpChoice& help, HelpRequest request);
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  // HTML Help's entry, loaded from the system folder on first use and set up
  // for this thread: no import library is needed, and the launcher starts
  // without loading it.
  HtmlHelpFn HtmlHelpEntry();

  UniqueModule library_;
  HtmlHelpFn htmlHelp_ = nullptr;
  DWORD_PTR cookie_ = 0;  // from HH_INITIALIZE, for HH_UNINITIALIZE
};

}  // namespace vornish::win32
