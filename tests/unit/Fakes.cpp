#include "Fakes.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace vornish::testing {

namespace {

iconv_t Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  return cd;
}

// Runs iconv over the whole input; false on any character without a mapping.
bool Convert(iconv_t cd, const char* in, std::size_t inBytes, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  std::vector<char> buffer(inBytes * 4 + 16);
  char* src = const_cast<char*>(in);
  char* dst = buffer.data();
  std::size_t dstLeft = buffer.size();
  if (iconv(cd, &src, &inBytes, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
  out.assign(buffer.data(), buffer.size() - dstLeft);
  return true;
}

}  // namespace

Cp932Codec::Cp932Codec() : toAnsi_(Open("CP932", "WCHAR_T")), fromAnsi_(Open("WCHAR_T", "CP932")) {}

Cp932Codec::~Cp932Codec() {
  iconv_close(static_cast<iconv_t>(toAnsi_));
  iconv_close(static_cast<iconv_t>(fromAnsi_));
}

bool Cp932Codec::ToAnsi(std::wstring_view text, std::string& out) const {
  return Convert(static_cast<iconv_t>(toAnsi_), reinterpret_cast<const char*>(text.data()),
                 text.size() * sizeof(wchar_t), out);
}

std::wstring Cp932Codec::FromAnsi(std::string_view bytes) const {
  // Decode byte run by byte run so that an unmapped byte becomes U+FFFD, as the
  // platform converter does, instead of failing the whole line.
  std::wstring result;
  std::string wide;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t length = bytes.size() - start;
    while (length > 0 && !Convert(static_cast<iconv_t>(fromAnsi_), bytes.data() + start, length, wide)) --length;
    if (length == 0) {
      result.push_back(L'\xFFFD');
      start += 1;
      continue;
    }
    result.append(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
    start += length;
  }
  return result;
}

std::string Cp932(std::string_view utf8) {
  iconv_t cd = Open("CP932", "UTF-8");
  std::string out;
  const bool ok = Convert(cd, utf8.data(), utf8.size(), out);
  iconv_close(cd);
  if (!ok) throw std::runtime_error("text has no code page 932 form");
  return out;
}

bool FakeFileSystem::FileExists(std::wstring_view path) const {
  const std::wstring key(path);
  return files.count(key) != 0 || unreadable.count(key) != 0;
}

bool FakeFileSystem::PathExists(std::wstring_view path) const {
  return FileExists(path) || folders.count(std::wstring(path)) != 0;
}

FileResult FakeFileSystem::ReadAll(std::wstring_view path, std::string& bytes) const {
  const std::wstring key(path);
  if (unreadable.count(key) != 0) return {FileResult::Status::Failed, 32, L"sharing violation"};
  const auto it = files.find(key);
  if (it == files.end()) return {FileResult::Status::NotFound, 2, L"not found"};
  bytes = it->second;
  return FileResult::Success();
}

FileResult FakeFileSystem::ReplaceContents(std::wstring_view path, std::string_view bytes) {
  const std::wstring key(path);
  if (unwritable.count(key) != 0) return {FileResult::Status::Failed, 5, L"access denied"};
  files[key] = std::string(bytes);
  ++writes;
  return FileResult::Success();
}

std::optional<std::wstring> FakeSettingsStore::Read(std::wstring_view section, std::wstring_view key) const {
  const auto it = values.find({std::wstring(section), std::wstring(key)});
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (failWrites) return false;
  values[{std::wstring(section), std::wstring(key)}] = std::wstring(value);
  return true;
}

std::wstring FakeSettingsStore::Get(std::wstring_view section, std::wstring_view key) const {
  return Read(section, key).value_or(L"<absent>");
}

}  // namespace vornish::testing
