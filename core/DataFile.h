// The button data file (VRN.dat): a header line "[Vornish Ver.1.0]" and one
// line per button of eleven ESC-terminated fields, CR LF line ends, in the
// system's ANSI code page. A file whose text the code page cannot hold is
// written as UTF-8 with a byte-order mark instead, and read back as such.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ButtonRecord.h"
#include "core/FileSystem.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"

namespace vornish {

inline constexpr std::string_view kDataFileHeader = "[Vornish Ver.1.0]";
inline constexpr char kFieldEnd = '\x1B';
inline constexpr int kFieldCount = 11;
inline constexpr std::string_view kSystemObjectFile = "SysObj";

// True when `firstLine` (the file's first line, without its line end; a UTF-8
// byte-order mark in front is allowed) is the header once leading and trailing
// spaces are removed. Letter case counts.
bool IsDataFileHeader(std::string_view firstLine);

// The first line of `bytes`, without its line end (see ParseDataFile).
std::string_view FirstLine(std::string_view bytes);

struct ParsedDataFile {
  ButtonList buttons;     // one entry per line after the first
  bool unicode = false;   // the file began with a UTF-8 byte-order mark
  bool overflow = false;  // more lines than kMaxButtons; the rest were not read
  bool damaged = false;   // some bytes had no character: they were replaced
};

// Splits `bytes` into buttons, one a line. The first line is skipped whatever
// it holds. Lines end in CR LF or LF (as a file edited elsewhere may have
// them); a CR anywhere else, like a NUL, is part of its field. Fields end in
// ESC. Lines and fields are found in the raw bytes (none of these bytes is
// ever part of a multi-byte character), so a damaged character damages only
// its own field. Numeric fields whose text is not a number that fits take the
// value of an empty button (`defColor` for Color); a negative Sys counts as an
// ordinary button. Fields after the eleventh are ignored; missing fields keep
// a fresh record's values.
ParsedDataFile ParseDataFile(std::string_view bytes, const TextCodec& codec, OleColor defColor);

// The file's bytes for `buttons`. System-object buttons are written with File
// "SysObj" and an empty Param. Text fields are written as they are, CR and NUL
// included; ESC and LF cannot be told from the field and line ends and are
// written as spaces. When every text has an exact form in the ANSI code page
// the file is ANSI; otherwise the whole file is UTF-8 with a byte-order mark.
std::string FormatDataFile(const ButtonList& buttons, const TextCodec& codec);

// Outcome of loading the data file at start.
struct DataFileLoad {
  enum class Status {
    Loaded,      // read (also an empty or header-only file)
    Missing,     // no file: one empty button, the file is created at exit
    Unreadable,  // exists but could not be read: one empty button, never written
    NotDataFile, // the first line is no header: one empty button, never written
    Damaged,     // bytes without a character: the buttons as read, never written
    Overflow,    // more than kMaxButtons buttons: the first ones, never written
  };
  Status status = Status::Missing;
  FileResult error;  // set for Unreadable
  // ContentHash of the version read, to tell later whether another program
  // changed it; none when there was no file.
  std::optional<std::uint64_t> hash;

  // The file must not be overwritten in this run: writing would lose what was
  // never read, or was read only in part.
  bool protectsFile() const { return status != Status::Loaded && status != Status::Missing; }
};

// A 64-bit fingerprint of a file's bytes, to tell its versions apart (not
// made to resist someone who wants two alike).
std::uint64_t ContentHash(std::string_view bytes);

// Reads `path` into `buttons` (which ends up holding at least one button) and
// recomputes File and Param of every system-object entry for this machine.
DataFileLoad ReadDataFile(std::wstring_view path, ButtonList& buttons, const FileSystem& fs,
                          const TextCodec& codec, const SystemInfo& system, OleColor defColor);

// Writes `buttons` to `path` through FileSystem::ReplaceContents. On success
// `hash` becomes the ContentHash of the file now there.
FileResult WriteDataFile(std::wstring_view path, const ButtonList& buttons, FileSystem& fs,
                         const TextCodec& codec, std::optional<std::uint64_t>& hash);

}  // namespace vornish
