// Texts the launcher shows in message boxes, with the kind of box each needs.
// Every box carries the application's title.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornish {

inline constexpr std::wstring_view kAppTitle = L"Vornish";

// Refusals and failures: exclamation icon and OK. Hints: information icon and
// OK. Questions: question icon, Yes and No.
enum class MessageStyle { Failure, Hint, Question };

struct Message {
  std::wstring text;
  MessageStyle style = MessageStyle::Failure;
  bool operator==(const Message&) const = default;
};

// Why a file could not be read or written: the causes a user can act on by
// name, anything else as Other with the system's error number.
enum class FileProblem { NotFound, PathNotFound, AccessDenied, SharingViolation, DiskFull, TooLarge, WriteProtected, Other };
// The reason given under a path in the messages below: a sentence, never a
// bare number (`code` appears only for Other, in parentheses, when not 0).
std::wstring FileProblemText(FileProblem problem, std::uint32_t code = 0);

// Start-up refusals of a data file named on the command line, with its path
// and, when it is there but cannot be read, the reason.
Message FileNotFoundMessage(std::wstring_view path, std::wstring_view reason);
Message NotDataFileMessage(std::wstring_view path);

// The data file could not be saved at exit; the old file is kept.
Message DataFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason);
// The same while the launcher runs: tried again at the next change and at exit.
Message DataFileRunSaveFailedMessage(std::wstring_view path, std::wstring_view reason);
// The same, when Windows was ending: told at the next start.
Message EndOfSessionSaveFailedMessage(std::wstring_view path, std::wstring_view reason);
// The data file exists but could not be read at start; this run will not
// write it, so nothing in it is lost.
Message DataFileReadFailedMessage(std::wstring_view path, std::wstring_view reason);
// The data file holds more buttons than the launcher can show.
Message DataFileTooLargeMessage(std::wstring_view path);
// Its first line is not the header: no data file of this program.
Message DataFileNotRecognisedMessage(std::wstring_view path);
// Some of its bytes are no character of its encoding.
Message DataFileDamagedMessage(std::wstring_view path);
// Another program changed the data file while the launcher ran: that version
// was kept as `kept` before the launcher saved its own.
Message DataFileChangedMessage(std::wstring_view path, std::wstring_view kept);
// The settings file beside the program could not be written; the old one is kept.
Message SettingsFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason);
// The system refused windows for `count` buttons; they stay in the data file.
Message ButtonsNotShownMessage(int count);
// Only the first `shown` of `total` buttons fit in the longest window the
// system makes; the others stay in the data file.
Message ButtonsBeyondLongestWindowMessage(int shown, int total);
// What a button launches is no longer at `path`; nothing was started.
Message TargetMissingMessage(std::wstring_view path);

// The ranking needs launch counting.
Message CountingOffMessage();
// Counting is being switched on again: clear the counts so far?
Message ClearCountsQuestion();
// The ranking's "クリア(&C)" asks twice.
Message ClearRankingQuestion();
Message ClearRankingAgainQuestion();

// Neither help file lies beside the program: `path` is the one looked for.
Message HelpFileMissingMessage(std::wstring_view path);
// The help viewer could not open the help file at `path`.
Message HelpFileNotOpenedMessage(std::wstring_view path);

// Told at the next start: the launcher crashed; the report is at
// `reportPath` (empty when it could not be written).
Message CrashMessage(std::wstring_view reportPath);
// The same, when the launcher was reading `file` then: it is not read again
// until the user chooses it again.
Message SkippedFileMessage(std::wstring_view file, std::wstring_view reportPath);

// The file chosen as a button's icon source holds no icon.
Message NoIconsInFileMessage();

// The system's shortcut interface is missing: two boxes, one after the other.
Message StartupLinkFailedMessage();
Message StartupLinkHowToMessage();

}  // namespace vornish
