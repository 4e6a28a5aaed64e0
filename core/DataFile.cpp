#include "core/DataFile.h"

#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Utf8.h"

#include "core/SystemObjects.h"

namespace vornish {

namespace {

constexpr wchar_t kFieldEndW = L'\x1B';
constexpr std::string_view kLineEnd = "\r\n";

void SetField(ButtonRecord& r, int k, std::wstring_view text, OleColor defColor) {
  switch (k) {
    case 1: r.Title.assign(text); break;
    case 2: r.File.assign(text); break;
    case 3: r.Path.assign(text); break;
    case 4: r.Param.assign(text); break;
    case 5: r.State = ParseInt32(text).value_or(kStateNormal); break;
    case 6: r.Icon.assign(text); break;
    case 7: r.IconNo = ParseInt32(text).value_or(0); break;
    case 8: r.Lock = ParseBool(text).value_or(false); break;
    case 9: r.Color = ParseColour(text).value_or(defColor); break;
    case 10: r.Count = ParseInt32(text).value_or(0); break;
    case 11: {
      // A negative number is no system object; keeping it would make the
      // writer replace the button's File by "SysObj".
      const std::int32_t sys = ParseInt32(text).value_or(0);
      r.Sys = sys < 0 ? 0 : sys;
      break;
    }
    default: break;
  }
}

// There is no quoting: an ESC would end the field early and an LF the line,
// shifting every field after it, so they are written as spaces (a field read
// from a file never holds an LF, nor a CR before one).
void AppendTextField(std::wstring& line, std::wstring_view text) {
  for (wchar_t c : text) {
    line.push_back((c == kFieldEndW || c == L'\n') ? L' ' : c);
  }
  line.push_back(kFieldEndW);
}

void AppendNumberField(std::wstring& line, std::int64_t value) {
  line += ToDecimal(value);
  line.push_back(kFieldEndW);
}

std::wstring FormatButtonLine(const ButtonRecord& b) {
  const bool systemObject = b.Sys != 0;
  std::wstring line;
  line.reserve(b.Title.size() + b.File.size() + b.Path.size() + b.Param.size() + b.Icon.size() + 64);
  AppendTextField(line, b.Title);
  AppendTextField(line, systemObject ? Widen(kSystemObjectFile) : b.File);
  AppendTextField(line, b.Path);
  AppendTextField(line, systemObject ? std::wstring_view{} : std::wstring_view{b.Param});
  AppendNumberField(line, b.State);
  AppendTextField(line, b.Icon);
  AppendNumberField(line, b.IconNo);
  AppendNumberField(line, b.Lock ? 1 : 0);
  AppendNumberField(line, static_cast<std::int32_t>(b.Color));
  AppendNumberField(line, b.Count);
  AppendNumberField(line, b.Sys);
  return line;
}

// Builds the file in one encoding; fails (ANSI only) when a line has no exact
// form in the code page.
bool BuildFile(const ButtonList& buttons, const TextCodec& codec, bool utf8, std::string& out) {
  out.clear();
  // Room for the usual case (two bytes per character at most in the code
  // page), so the file is not copied again and again while it grows.
  std::size_t estimate = kUtf8Bom.size() + kDataFileHeader.size() + kLineEnd.size();
  for (const ButtonRecord& b : buttons) {
    estimate += 2 * (b.Title.size() + b.File.size() + b.Path.size() + b.Param.size() + b.Icon.size()) + 64;
  }
  out.reserve(estimate);
  if (utf8) out += kUtf8Bom;
  out += kDataFileHeader;
  out += kLineEnd;
  std::string encoded;
  for (const ButtonRecord& b : buttons) {
    const std::wstring line = FormatButtonLine(b);
    if (utf8) {
      out += ToUtf8(line);
    } else {
      if (!codec.ToAnsi(line, encoded)) return false;
      out += encoded;
    }
    out += kLineEnd;
  }
  return true;
}

// Takes the next line off `rest`. Lines end at LF; a CR right before it (or at
// the very end of the data) belongs to the line end, any other CR is text.
// CR and LF are never part of a multi-byte character in the code page or in
// UTF-8, nor is ESC, so lines and fields are found in the raw bytes.
std::string_view TakeLine(std::string_view& rest) {
  const auto lf = rest.find('\n');
  std::string_view line = rest.substr(0, lf);
  rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

std::string_view FirstLine(std::string_view bytes) { return TakeLine(bytes); }

bool IsDataFileHeader(std::string_view firstLine) {
  if (StartsWithUtf8Bom(firstLine)) firstLine.remove_prefix(kUtf8Bom.size());
  return TrimSpaces(firstLine) == kDataFileHeader;
}

ParsedDataFile ParseDataFile(std::string_view bytes, const TextCodec& codec, OleColor defColor) {
  ParsedDataFile out;
  if (StartsWithUtf8Bom(bytes)) {
    out.unicode = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  TakeLine(bytes);  // the header, whatever it holds
  while (!bytes.empty()) {
    std::string_view line = TakeLine(bytes);
    if (out.buttons.size() == kMaxButtons) {
      out.overflow = true;
      break;
    }
    ButtonRecord& r = out.buttons.emplace_back();
    for (int k = 1; k <= kFieldCount; ++k) {
      const auto fieldEnd = line.find(kFieldEnd);
      if (fieldEnd == std::string_view::npos) break;
      const std::string_view field = line.substr(0, fieldEnd);
      SetField(r, k, out.unicode ? FromUtf8(field, &out.damaged) : codec.FromAnsi(field, &out.damaged), defColor);
      line.remove_prefix(fieldEnd + 1);
    }
  }
  return out;
}

std::string FormatDataFile(const ButtonList& buttons, const TextCodec& codec) {
  std::string out;
  if (!BuildFile(buttons, codec, false, out)) BuildFile(buttons, codec, true, out);
  return out;
}

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
  return hash;
}

DataFileLoad ReadDataFile(std::wstring_view path, ButtonList& buttons, const FileSystem& fs,
                          const TextCodec& codec, const SystemInfo& system, OleColor defColor) {
  DataFileLoad load;
  buttons.clear();
  load.stamp = fs.Stamp(path);
  if (load.stamp || fs.FileExists(path)) {
    std::string bytes;
    const FileResult read = fs.ReadAll(path, bytes);
    load.hash = ContentHash(bytes);
    if (read.ok()) {
      ParsedDataFile parsed = ParseDataFile(bytes, codec, defColor);
      // A file that is no data file of this program holds no buttons to show.
      if (!bytes.empty() && !IsDataFileHeader(FirstLine(bytes))) {
        load.status = DataFileLoad::Status::NotDataFile;
      } else {
        buttons = std::move(parsed.buttons);
        load.status = parsed.overflow  ? DataFileLoad::Status::Overflow
                      : parsed.damaged ? DataFileLoad::Status::Damaged
                                       : DataFileLoad::Status::Loaded;
      }
    } else if (read.status == FileResult::Status::Failed) {
      load.status = DataFileLoad::Status::Unreadable;
      load.error = read;
    }
  }
  for (ButtonRecord& b : buttons) {
    if (b.Sys >= kFirstSystemObject) RecomputeSystemObject(b, b.Sys, system);
  }
  if (buttons.empty()) buttons.push_back(EmptyButton(defColor));
  return load;
}

FileResult WriteDataFile(std::wstring_view path, const ButtonList& buttons, FileSystem& fs,
                         const TextCodec& codec) {
  return fs.ReplaceContents(path, FormatDataFile(buttons, codec));
}

}  // namespace vornish
