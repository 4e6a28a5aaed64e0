// The report the launcher leaves when it crashes: what failed where, and the
// return addresses that led there, each as a module and an offset into it so
// that the symbols kept beside the release turn it into file and line
// (docs/crash-reports.md). Also the notes the crash leaves for the next start:
// which report to tell the user about, and which file the crashed thread was
// reading, so that it is not read again.
//
// The crash handler formats with nothing but the buffers it is given: at
// crash time the heap may be what broke.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/Messages.h"

namespace vornish {

struct CrashFrame {
  std::uint64_t address = 0;
  std::wstring_view module;  // the module's file name; empty when none holds the address
  std::uint64_t moduleBase = 0;
};

struct CrashInfo {
  std::uint32_t code = 0;  // the exception code, 0xC0000005 for an access violation
  CrashFrame where;        // the faulting instruction
  std::span<const CrashFrame> stack;
  std::string_view version;
  std::string_view commit;
  std::string_view time;  // "2026-12-07 03:15:00"
  std::uint32_t processId = 0;
  std::wstring_view reading;  // the file the thread was reading; empty for none
};

// Text put together in a buffer of fixed size: what does not fit is left out.
class FixedText {
 public:
  explicit FixedText(std::span<char> buffer) : buffer_(buffer) {}
  FixedText& Add(std::string_view text);
  FixedText& Add(std::wstring_view text);  // as UTF-8; unpaired surrogates become U+FFFD
  FixedText& Hex(std::uint64_t value, int digits);  // "0x" and at least `digits` digits
  FixedText& Decimal(std::uint64_t value);
  std::string_view text() const { return {buffer_.data(), size_}; }

 private:
  void Put(char c);
  std::span<char> buffer_;
  std::size_t size_ = 0;
};

// The report as UTF-8 text with CR LF line ends, written into `buffer`.
std::string_view FormatCrashReport(const CrashInfo& info, std::span<char> buffer);

// The report's name in its folder for time stamp "20261207-031500" and
// process 1234: "crash-20261207-031500-1234.txt".
std::wstring CrashReportFileName(std::wstring_view timeStamp, std::uint32_t processId);

// The notes file beside the reports. The crash handler adds one line for
// each crash: the report's path (empty when none could be written) and the
// file the thread was reading (empty for none). The next start tells the
// user about each crash once and keeps, from then on, one line for each file
// that is not read.
inline constexpr std::wstring_view kCrashNotesFileName = L"notes.txt";
std::string_view FormatCrashNote(std::wstring_view reportPath, std::wstring_view reading, std::span<char> buffer);

// Files whose reading crashed the launcher: their icons are not read (the
// button shows its colour only) until the user chooses them again.
struct SkippedFiles {
  std::wstring notesPath;  // the notes file; empty when there is none
  std::vector<std::wstring> files;

  bool Skips(std::wstring_view file) const;
};

// Reads the notes at `skipped.notesPath` into `skipped`; the messages for the
// crashes since the last start, each told only this once.
std::vector<Message> TakeCrashNotes(SkippedFiles& skipped, FileSystem& fs);
// The user chose `file` again: it is read from now on.
void ReadAgain(SkippedFiles& skipped, FileSystem& fs, std::wstring_view file);

}  // namespace vornish
