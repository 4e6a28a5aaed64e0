#include "window/win32/Saver.h"

#include <optional>

#include "core/Messages.h"
#include "core/Reports.h"
#include "core/win32/Dialog.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/Trace.h"
#include "window/win32/Docking.h"

namespace vornish::win32 {

namespace {
// A timer of the owner's: the main window's others are 1 and 3, the tray icon's 2 and 4.
constexpr UINT_PTR kTimerSave = 5;
}  // namespace

void Saver::Changed(HWND owner) {
  // A file this run must leave alone is never written, not even later.
  if (stopped_ || !model_.writeDataFile || !owner) return;
  if (const auto wait = scheduler_.Changed(::GetTickCount64())) {
    ::SetTimer(owner, kTimerSave, static_cast<UINT>(*wait), nullptr);
  }
}

bool Saver::OnTimer(HWND owner, UINT_PTR timer) {
  if (timer != kTimerSave) return false;
  ::KillTimer(owner, kTimerSave);
  if (stopped_ || !scheduler_.TakeDue()) return true;
  DataFileSave save;
  save.error = {FileResult::Status::Failed, 0, FileProblemText(FileProblem::Other)};  // should it throw
  Guarded(L"saving the data file", [&] { save = SaveDataFile(model_, services_); });
  const bool tellFailure = scheduler_.Saved(::GetTickCount64(), !save.failed());
  // Over a dialog that is up, modal to it: it takes no input meanwhile.
  for (const Message& m : RunSaveMessages(save, model_.DataFilePath, tellFailure)) ShowMessage(WindowUp(owner), m);
  return true;
}

void Saver::AtExit(HWND owner, bool endOfSession) {
  stopped_ = true;
  ::KillTimer(owner, kTimerSave);
  std::optional<WindowPosition> position;
  Guarded(L"measuring the window", [&] {
    if (!::IsIconic(owner)) position = CurrentWindowPosition(owner);
  });
  const UnloadReport report = SaveLauncher(model_, services_, position);
  TraceException(L"saving the data file", report.dataFileThrew);
  TraceException(L"saving the window position", report.positionThrew);
  TraceException(L"saving the settings", report.settingsThrew);
  const std::vector<Message> problems = UnloadMessages(report, model_.DataFilePath, endOfSession);
  if (!endOfSession) {
    for (const Message& problem : problems) ShowMessage(owner, problem);
  } else if (!problems.empty()) {
    // While Windows ends no box may hold the session up: told next time.
    Guarded(L"keeping the report", [&] { SaveDeferredReport(services_.store, DeferredText(problems)); });
  }
}

}  // namespace vornish::win32
