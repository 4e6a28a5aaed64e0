#include "core/CrashReport.h"

#include <algorithm>

#include "core/Text.h"
#include "core/Utf8.h"

namespace vornish {

namespace {

constexpr std::string_view kCrashLine = "crash\t";
constexpr std::string_view kSkipLine = "skip\t";

// "0x00007FF6A1B21234  vornish.exe+0x1234", or "(no module)" after the address.
void AddFrame(FixedText& text, const CrashFrame& frame) {
  text.Hex(frame.address, 16).Add("  ");
  if (frame.module.empty()) {
    text.Add("(no module)");
  } else {
    text.Add(frame.module).Add("+").Hex(frame.address - frame.moduleBase, 1);
  }
}

// The lines of the notes, without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

// Keeps what the next start needs: one line for each skipped file.
void WriteNotes(const SkippedFiles& skipped, FileSystem& fs) {
  if (skipped.files.empty()) {
    fs.Remove(skipped.notesPath);
    return;
  }
  std::string text;
  for (const std::wstring& file : skipped.files) text += std::string(kSkipLine) + ToUtf8(file) + "\r\n";
  fs.ReplaceContents(skipped.notesPath, text);
}

}  // namespace

void FixedText::Put(char c) {
  if (size_ < buffer_.size()) buffer_[size_++] = c;
}

FixedText& FixedText::Add(std::string_view text) {
  for (char c : text) Put(c);
  return *this;
}

FixedText& FixedText::Add(std::wstring_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      const bool high = c >= 0xD800 && c <= 0xDBFF;
      const bool lowNext = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      if (high && lowNext) {
        c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
      } else if (c >= 0xD800 && c <= 0xDFFF) {
        c = 0xFFFD;
      }
    }
    // Lead byte, then six bits a byte from the top.
    const int trailing = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    Put(static_cast<char>(kLead[trailing] | (c >> (6 * trailing))));
    for (int k = trailing - 1; k >= 0; --k) Put(static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F)));
  }
  return *this;
}

FixedText& FixedText::Hex(std::uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  int length = 1;
  while (length < 16 && (value >> (4 * length)) != 0) ++length;
  Add("0x");
  for (int i = std::max(length, digits) - 1; i >= 0; --i) Put(i < 16 ? kDigits[(value >> (4 * i)) & 0xF] : '0');
  return *this;
}

FixedText& FixedText::Decimal(std::uint64_t value) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) Put(digits[--count]);
  return *this;
}

std::string_view FormatCrashReport(const CrashInfo& info, std::span<char> buffer) {
  FixedText text(buffer);
  text.Add("Vornish ").Add(info.version).Add(" (commit ").Add(info.commit).Add(") stopped on an unhandled exception.\r\n");
  text.Add("Time: ").Add(info.time).Add("  Process: ").Decimal(info.processId).Add("\r\n");
  text.Add("Exception: ").Hex(info.code, 8).Add(" at ");
  AddFrame(text, info.where);
  text.Add("\r\n");
  if (!info.where.module.empty()) text.Add("Module base: ").Hex(info.where.moduleBase, 16).Add("\r\n");
  if (!info.reading.empty()) text.Add("Reading: ").Add(info.reading).Add("\r\n");
  text.Add("Return addresses:\r\n");
  for (const CrashFrame& frame : info.stack) {
    text.Add("  ");
    AddFrame(text, frame);
    text.Add("\r\n");
  }
  return text.text();
}

std::wstring CrashReportFileName(std::wstring_view timeStamp, std::uint32_t processId) {
  return L"crash-" + std::wstring(timeStamp) + L"-" + ToDecimal(static_cast<std::int64_t>(processId)) + L".txt";
}

std::string_view FormatCrashNote(std::wstring_view reportPath, std::wstring_view reading, std::span<char> buffer) {
  FixedText text(buffer);
  text.Add(kCrashLine).Add(reportPath).Add("\t").Add(reading).Add("\r\n");
  // A note cut short would name another file: none then.
  return text.text().ends_with("\r\n") ? text.text() : std::string_view();
}

bool SkippedFiles::Skips(std::wstring_view file) const {
  return !file.empty() && std::find(files.begin(), files.end(), file) != files.end();
}

std::vector<Message> TakeCrashNotes(SkippedFiles& skipped, FileSystem& fs) {
  std::string bytes;
  if (skipped.notesPath.empty() || !fs.ReadAll(skipped.notesPath, bytes).ok()) return {};
  std::vector<Message> messages;
  const auto skip = [&](std::wstring file) {
    if (!file.empty() && !skipped.Skips(file)) skipped.files.push_back(std::move(file));
  };
  for (std::string_view line : Lines(bytes)) {
    if (line.starts_with(kSkipLine)) {
      skip(FromUtf8(line.substr(kSkipLine.size())));
    } else if (line.starts_with(kCrashLine)) {
      line.remove_prefix(kCrashLine.size());
      const std::size_t tab = std::min(line.find('\t'), line.size());
      const std::wstring report = FromUtf8(line.substr(0, tab));
      std::wstring reading = FromUtf8(line.substr(std::min(tab + 1, line.size())));
      messages.push_back(reading.empty() ? CrashMessage(report) : SkippedFileMessage(reading, report));
      skip(std::move(reading));
    }
  }
  if (!messages.empty()) WriteNotes(skipped, fs);
  return messages;
}

void ReadAgain(SkippedFiles& skipped, FileSystem& fs, std::wstring_view file) {
  const auto it = std::find(skipped.files.begin(), skipped.files.end(), file);
  if (it == skipped.files.end()) return;
  skipped.files.erase(it);
  WriteNotes(skipped, fs);
}

}  // namespace vornish
