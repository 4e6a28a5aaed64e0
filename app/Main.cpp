// The start routine: settles the data file and whether this launcher may run,
// then shows the main window and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "buttons/win32/IconButton.h"
#include "core/IniStore.h"
#include "core/Launcher.h"
#include "core/Messages.h"
#include "core/StartUp.h"
#include "core/win32/Com.h"
#include "core/win32/CrashHandler.h"
#include "core/win32/Handles.h"
#include "core/win32/RegistryStore.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/SystemLibraries.h"
#include "core/win32/Trace.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/WinSystemInfo.h"
#include "core/win32/WinText.h"
#include "window/win32/ControlBar.h"
#include "window/win32/frmMain.h"

namespace vornish::win32 {
namespace {

// Every running launcher holds this object, whatever its command line; one
// started without a data file ends when it already exists.
constexpr const wchar_t* kInstanceMutexName = L"Local\\Vornish.Launcher";

int RunLauncher(HINSTANCE instance) {
  const std::wstring_view arguments = CommandLineArguments(::GetCommandLineW());
  const UniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  const bool anotherInstance = instanceMutex && ::GetLastError() == ERROR_ALREADY_EXISTS;

  WinFileSystem fs;
  const std::wstring programFolder = ProgramFolder();
  const StartDecision start = DecideStart(arguments, anotherInstance, programFolder, fs);
  switch (start.action) {
    case StartDecision::Action::EndSilently:
      // A hidden launcher would be out of reach for good: the one running is
      // asked to show itself.
      frmMain::AskRunningToShow();
      return 0;
    case StartDecision::Action::RefuseNotFound:
      ShowMessage(nullptr, FileNotFoundMessage(start.dataFilePath, start.reason));
      return 0;
    case StartDecision::Action::RefuseNotDataFile:
      ShowMessage(nullptr, NotDataFileMessage(start.dataFilePath));
      return 0;
    case StartDecision::Action::Run:
      break;
  }

  // Shell calls (icons of shortcuts and internet links) need COM.
  const ComScope com;
  LauncherModel model;
  model.DataFilePath = start.dataFilePath;
  model.skipped.notesPath = CrashNotesPath();
  const std::vector<Message> crashes = TakeCrashNotes(model.skipped, fs);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (!frmMain::Register(instance) || !IconButton::Register(instance) || !ControlBar::Register(instance)) return 1;

  // A portable copy keeps its settings in the file beside it, when it has one.
  std::optional<IniSettingsStore> iniStore;
  std::optional<RegistryStore> registryStore;
  const std::wstring settingsFile = SettingsFilePath(programFolder);
  SettingsStore& store = fs.FileExists(settingsFile) ? static_cast<SettingsStore&>(iniStore.emplace(fs, settingsFile))
                                                     : registryStore.emplace();
  const AnsiCodec codec;
  const WinSystemInfo system;
  frmMain main(instance, model, LauncherServices{store, fs, codec, system});
  if (!main.Load()) return 1;
  // Owned by no window: closing it must not activate the window before it shows.
  for (const Message& crash : crashes) ShowMessage(nullptr, crash);
  main.Show();

  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (main.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace
}  // namespace vornish::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything can load a library by name (see SystemLibraries.h).
  vornish::win32::LoadLibrariesFromSystemOnly();
  // A data file on a drive without a medium must not bring up the system's
  // "insert a disk" box.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
  vornish::win32::InstallCrashHandler();
  try {
    return vornish::win32::RunLauncher(instance);
  } catch (...) {
    vornish::win32::TraceException(L"the launcher");
    return 1;
  }
}
