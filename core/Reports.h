// What the user is told after the launcher loaded and after it saved: the
// main window shows these messages, or keeps them for the next start when
// Windows is ending.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataFile.h"
#include "core/Launcher.h"
#include "core/Messages.h"

namespace vornish {

// After the load step, in this order: what kept the data file at `path` from
// loading whole, the `notShown` buttons the system gave no window, and the
// `deferred` report of a save that failed while Windows was ending.
std::vector<Message> LoadMessages(const DataFileLoad& load, std::wstring_view path, int notShown,
                                  const std::optional<std::wstring>& deferred);

// After the unload step: the copy kept of a data file another program had
// changed, then a save that failed, worded for the next start when it
// happened at the end of the Windows session, then a settings file that
// could not be written.
std::vector<Message> UnloadMessages(const UnloadReport& report, std::wstring_view path, bool endOfSession);

// After a save while the launcher runs: the copy kept of a data file another
// program had changed, and a failure when it is to be told.
std::vector<Message> RunSaveMessages(const DataFileSave& save, std::wstring_view path, bool tellFailure);

// Messages that could not be shown, as the one text kept for the next start.
std::wstring DeferredText(const std::vector<Message>& messages);

}  // namespace vornish
