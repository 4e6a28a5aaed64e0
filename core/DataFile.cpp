#include "core/DataFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/Numbers.h"
#include "core/SystemObjects.h"
#include "core/Text.h"
#include "core/Utf8.h"

namespace vornish {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

// The lines in `bytes`, counted up to `limit`.
std::size_t CountLines(std::string_view bytes, std::size_t limit) {
  std::size_t lines = 0;
  for (; !bytes.empty() && lines < limit; ++lines) TakeLine(bytes);
  return lines;
}

// Bytes below 0x80 are the same characters in every ANSI code page and in
// UTF-8: such text needs no converter.
bool IsAscii(std::string_view bytes) {
  unsigned char any = 0;
  for (char c : bytes) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

void WidenAscii(std::string_view bytes, std::wstring& out) {
  out.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<wchar_t>(bytes[i]);
}

// Decodes the fields of one file, each on its own, so that a damaged character
// damages only its own field. A text field that is not plain ASCII is decoded
// in one call into a buffer that is reused and then copied, so that each
// string holds exactly its characters (decoded in place it would keep room
// for one a byte).
class FieldReader {
 public:
  FieldReader(const TextCodec& codec, bool utf8, OleColor defColor)
      : codec_(codec), utf8_(utf8), defColor_(defColor) {}

  void Read(ButtonRecord& r, int k, std::string_view bytes) {
    switch (k) {
      case 1: return Text(bytes, r.Title);
      case 2: return Text(bytes, r.File);
      case 3: return Text(bytes, r.Path);
      case 4: return Text(bytes, r.Param);
      case 5: r.State = Number(bytes, ParseInt32).value_or(kStateNormal); return;
      case 6: return Text(bytes, r.Icon);
      case 7: r.IconNo = Number(bytes, ParseInt32).value_or(0); return;
      case 8: r.Lock = Number(bytes, ParseBool).value_or(false); return;
      case 9: r.Color = Number(bytes, ParseColour).value_or(defColor_); return;
      case 10: r.Count = Number(bytes, ParseInt32).value_or(0); return;
      case 11: {
        // A negative number is no system object; keeping it would make the
        // writer replace the button's File by "SysObj".
        const std::int32_t sys = Number(bytes, ParseInt32).value_or(0);
        r.Sys = sys < 0 ? 0 : sys;
        return;
      }
      default: return;
    }
  }

  bool damaged() const { return damaged_; }

 private:
  // Numbers as the launcher writes them (digits and a minus sign, within 32
  // bits) are taken straight from the bytes; any other text goes through
  // `parse`, which gives these the same values.
  template <typename T>
  std::optional<T> Number(std::string_view bytes, std::optional<T> (*parse)(std::wstring_view)) {
    const bool negative = !bytes.empty() && bytes.front() == '-';
    const std::string_view digits = bytes.substr(negative ? 1 : 0);
    std::int64_t value = 0;
    bool plain = !digits.empty() && digits.size() <= 10;
    for (std::size_t i = 0; plain && i < digits.size(); ++i) {
      plain = digits[i] >= '0' && digits[i] <= '9';
      value = value * 10 + (digits[i] - '0');
    }
    if (negative) value = -value;
    if (plain && value >= INT32_MIN && value <= INT32_MAX) return static_cast<T>(static_cast<std::int32_t>(value));
    return parse(Decode(bytes));
  }

  const std::wstring& Decode(std::string_view bytes) {
    if (IsAscii(bytes)) {
      WidenAscii(bytes, buffer_);
    } else if (utf8_) {
      FromUtf8(bytes, buffer_, &damaged_);
    } else {
      codec_.FromAnsi(bytes, buffer_, &damaged_);
    }
    return buffer_;
  }

  void Text(std::string_view bytes, std::wstring& out) {
    if (IsAscii(bytes)) {
      WidenAscii(bytes, out);
    } else {
      out.assign(Decode(bytes));
    }
  }

  const TextCodec& codec_;
  const bool utf8_;
  const OleColor defColor_;
  std::wstring buffer_;
  bool damaged_ = false;
};

// Appends the fields of one file's lines to `out`, in the code page or in
// UTF-8. Once a text has no form in the code page, ok() stays false.
class FieldWriter {
 public:
  FieldWriter(std::string& out, const TextCodec& codec, bool utf8) : out_(out), codec_(codec), utf8_(utf8) {}

  // There is no quoting: an ESC would end the field early and an LF the line,
  // shifting every field after it, so they are written as spaces (a field
  // read from a file never holds an LF, nor a CR before one). Only these
  // characters give these bytes, so they are replaced in the bytes.
  void Text(std::wstring_view text) {
    if (!ok_) return;
    std::uint32_t any = 0;
    std::uint32_t breaks = 0;
    for (wchar_t c : text) {
      const auto u = static_cast<std::uint32_t>(c);
      any |= u;
      breaks |= static_cast<std::uint32_t>(u == 0x1B) | static_cast<std::uint32_t>(u == '\n');
    }
    const std::size_t start = out_.size();
    if (any < 0x80) {
      out_.resize(start + text.size());
      for (std::size_t i = 0; i < text.size(); ++i) out_[start + i] = static_cast<char>(text[i]);
    } else if (utf8_) {
      AppendUtf8(text, out_);
    } else if (!codec_.AppendAnsi(text, out_)) {
      ok_ = false;
      return;
    }
    if (breaks != 0) std::replace_if(out_.begin() + static_cast<std::ptrdiff_t>(start), out_.end(), IsBreak, ' ');
    out_.push_back(kFieldEnd);
  }

  void Ascii(std::string_view text) {
    out_ += text;
    out_.push_back(kFieldEnd);
  }

  void Number(std::int32_t value) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
    out_.push_back(kFieldEnd);
  }

  bool ok() const { return ok_; }

 private:
  static bool IsBreak(char c) { return c == kFieldEnd || c == '\n'; }

  std::string& out_;
  const TextCodec& codec_;
  const bool utf8_;
  bool ok_ = true;
};

// Builds the file in one encoding; fails (ANSI only) when a text has no exact
// form in the code page.
bool BuildFile(const ButtonList& buttons, const TextCodec& codec, bool utf8, std::string& out) {
  out.clear();
  // Room for the usual case (two bytes a character at most in the code page,
  // three in UTF-8), so the file is not copied again and again while it grows.
  const std::size_t perChar = utf8 ? 3 : 2;
  std::size_t estimate = kUtf8Bom.size() + kDataFileHeader.size() + kLineEnd.size();
  for (const ButtonRecord& b : buttons) {
    estimate += perChar * (b.Title.size() + b.File.size() + b.Path.size() + b.Param.size() + b.Icon.size()) + 64;
  }
  out.reserve(estimate);
  if (utf8) out += kUtf8Bom;
  out += kDataFileHeader;
  out += kLineEnd;
  FieldWriter field(out, codec, utf8);
  for (const ButtonRecord& b : buttons) {
    const bool systemObject = b.Sys != 0;
    field.Text(b.Title);
    if (systemObject) {
      field.Ascii(kSystemObjectFile);
    } else {
      field.Text(b.File);
    }
    field.Text(b.Path);
    field.Text(systemObject ? std::wstring_view{} : std::wstring_view{b.Param});
    field.Number(b.State);
    field.Text(b.Icon);
    field.Number(b.IconNo);
    field.Number(b.Lock ? 1 : 0);
    field.Number(static_cast<std::int32_t>(b.Color));
    field.Number(b.Count);
    field.Number(b.Sys);
    if (!field.ok()) return false;
    out += kLineEnd;
  }
  return true;
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
  // A button a line: room for all at once rather than a list moved as it grows.
  out.buttons.reserve(CountLines(bytes, kMaxButtons));
  FieldReader field(codec, out.unicode, defColor);
  while (!bytes.empty()) {
    if (out.buttons.size() == kMaxButtons) {
      out.overflow = true;
      break;
    }
    std::string_view line = TakeLine(bytes);
    ButtonRecord& r = out.buttons.emplace_back();
    for (int k = 1; k <= kFieldCount; ++k) {
      const auto end = line.find(kFieldEnd);
      if (end == std::string_view::npos) break;
      field.Read(r, k, line.substr(0, end));
      line.remove_prefix(end + 1);
    }
  }
  out.damaged = field.damaged();
  return out;
}

std::string FormatDataFile(const ButtonList& buttons, const TextCodec& codec) {
  std::string out;
  if (!BuildFile(buttons, codec, false, out)) BuildFile(buttons, codec, true, out);
  return out;
}

std::uint64_t ContentHash(std::string_view bytes) {
  // Eight bytes a step (a save reads the file and hashes it every time).
  // Each step is a bijection of the hash for a given word, so content that
  // differs in one word always hashes differently; the rotation carries the
  // product's high bits down, where the next multiplication spreads them.
  const auto step = [](std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return (hash << 31) | (hash >> 33);
  };
  std::uint64_t hash = 0xCBF29CE484222325ull ^ bytes.size();
  for (; bytes.size() >= 8; bytes.remove_prefix(8)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data(), 8);
    hash = step(hash, word);
  }
  std::uint64_t tail = 0;
  if (!bytes.empty()) std::memcpy(&tail, bytes.data(), bytes.size());
  return step(hash, tail);
}

DataFileLoad ReadDataFile(std::wstring_view path, ButtonList& buttons, const FileSystem& fs,
                          const TextCodec& codec, const SystemInfo& system, OleColor defColor) {
  DataFileLoad load;
  buttons.clear();
  if (fs.FileExists(path)) {
    std::string bytes;
    const FileResult read = fs.ReadAll(path, bytes);
    if (read.status == FileResult::Status::Failed) {
      load.status = DataFileLoad::Status::Unreadable;
      load.error = read;
    } else if (read.ok()) {  // else gone since: as if there had been none
      load.hash = ContentHash(bytes);
      if (!bytes.empty() && !IsDataFileHeader(FirstLine(bytes))) {
        // A file that is no data file of this program holds no buttons to show.
        load.status = DataFileLoad::Status::NotDataFile;
      } else {
        ParsedDataFile parsed = ParseDataFile(bytes, codec, defColor);
        buttons = std::move(parsed.buttons);
        load.status = parsed.overflow  ? DataFileLoad::Status::Overflow
                      : parsed.damaged ? DataFileLoad::Status::Damaged
                                       : DataFileLoad::Status::Loaded;
      }
    }
  }
  for (ButtonRecord& b : buttons) {
    if (b.Sys >= kFirstSystemObject) RecomputeSystemObject(b, b.Sys, system);
  }
  if (buttons.empty()) buttons.push_back(EmptyButton(defColor));
  return load;
}

FileResult WriteDataFile(std::wstring_view path, const ButtonList& buttons, FileSystem& fs,
                         const TextCodec& codec, std::optional<std::uint64_t>& hash) {
  const std::string bytes = FormatDataFile(buttons, codec);
  FileResult result = fs.ReplaceContents(path, bytes);
  if (result.ok()) hash = ContentHash(bytes);
  return result;
}

}  // namespace vornish
