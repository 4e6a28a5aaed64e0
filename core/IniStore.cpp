#include "core/IniStore.h"

#include "core/Paths.h"
#include "core/Text.h"
#include "core/Utf8.h"

namespace vornish {

namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";

std::wstring_view Trim(std::wstring_view text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// A value keeps its line: line breaks and the backslash that marks them are
// written as \r, \n and \\.
std::wstring Escaped(std::wstring_view value) {
  std::wstring out;
  for (wchar_t c : value) {
    if (c == L'\\') {
      out += L"\\\\";
    } else if (c == L'\r') {
      out += L"\\r";
    } else if (c == L'\n') {
      out += L"\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// Any other backslash (typed by hand) stays as it is.
std::wstring Unescaped(std::wstring_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
    if (text[i] == L'\\' && (next == L'\\' || next == L'r' || next == L'n')) {
      out += next == L'r' ? L'\r' : next == L'n' ? L'\n' : L'\\';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// "[name]" gives name; any other line nothing.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
  const std::wstring_view t = Trim(line);
  if (t.size() < 2 || t.front() != L'[' || t.back() != L']') return std::nullopt;
  return Trim(t.substr(1, t.size() - 2));
}

struct Found {
  int section = -1;     // the line after the section's heading
  int sectionEnd = -1;  // where a new key of the section goes: after its last line that is not blank
  int key = -1;
  std::wstring_view value;
};

Found Find(const std::vector<std::wstring>& lines, std::wstring_view section, std::wstring_view key) {
  Found found;
  bool inside = false;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const std::wstring& line = lines[static_cast<std::size_t>(i)];
    if (const auto name = SectionName(line)) {
      inside = found.section < 0 && EqualsIgnoreAsciiCase(*name, section);
      if (inside) found.section = found.sectionEnd = i + 1;
      continue;
    }
    if (!inside) continue;
    if (!Trim(line).empty()) found.sectionEnd = i + 1;
    const auto equals = line.find(L'=');
    if (found.key < 0 && equals != std::wstring::npos &&
        EqualsIgnoreAsciiCase(Trim(std::wstring_view(line).substr(0, equals)), key)) {
      found.key = i;
      found.value = Trim(std::wstring_view(line).substr(equals + 1));
    }
  }
  return found;
}

}  // namespace

std::wstring SettingsFilePath(std::wstring_view programFolder) { return JoinPath(programFolder, kSettingsFileName); }

std::string IniFileBytes(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  const std::u16string units = Utf16FromUtf8(ToUtf8(text));
  std::string bytes(kUtf16Bom);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::vector<std::wstring> IniFileLines(std::string_view bytes) {
  std::wstring text;
  if (bytes.starts_with(kUtf16Bom)) {
    std::u16string units;
    for (std::size_t i = kUtf16Bom.size(); i + 1 < bytes.size(); i += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    text = FromUtf8(ToUtf8(units));
  } else {
    // Saved by hand with an editor that writes UTF-8.
    text = FromUtf8(StartsWithUtf8Bom(bytes) ? bytes.substr(kUtf8Bom.size()) : bytes);
  }
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

IniSettingsStore::IniSettingsStore(FileSystem& fs, std::wstring path) : fs_(fs), path_(std::move(path)) {
  std::string bytes;
  const FileResult read = fs_.ReadAll(path_, bytes);
  if (read.ok()) {
    lines_ = IniFileLines(bytes);
  } else if (read.status != FileResult::Status::NotFound) {
    unreadable_ = read;
  }
}

std::optional<std::wstring> IniSettingsStore::Read(std::wstring_view section, std::wstring_view key) const {
  const Found found = Find(lines_, section, key);
  if (found.key < 0) return std::nullopt;
  return Unescaped(found.value);
}

bool IniSettingsStore::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (!unreadable_.ok()) {
    failure_ = unreadable_;
    return false;
  }
  const Found found = Find(lines_, section, key);
  const std::wstring line = std::wstring(key) + L"=" + Escaped(value);
  if (found.key >= 0) {
    if (Unescaped(found.value) == value && !behind_) return true;
    lines_[static_cast<std::size_t>(found.key)] = line;
  } else if (found.section >= 0) {
    lines_.insert(lines_.begin() + found.sectionEnd, line);
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back(L"[" + std::wstring(section) + L"]");
    lines_.push_back(line);
  }
  // Kept in memory even when the file refuses it: the next write tries again.
  failure_ = fs_.ReplaceContents(path_, IniFileBytes(lines_));
  behind_ = !failure_.ok();
  return failure_.ok();
}

}  // namespace vornish
