#include "core/win32/WinText.h"

#include <climits>

#include "core/Messages.h"

namespace vornish::win32 {

AnsiCodec::AnsiCodec() : utf8_(::GetACP() == CP_UTF8), maxCharBytes_(2) {
  CPINFO info{};
  if (::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0) maxCharBytes_ = info.MaxCharSize;
}

bool AnsiCodec::AppendAnsi(std::wstring_view text, std::string& out) const {
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT_MAX) / maxCharBytes_) return false;
  const int length = static_cast<int>(text.size());
  // Room for the longest form of every character, filled in one call and cut
  // back to what it took.
  const std::size_t start = out.size();
  const int room = static_cast<int>(text.size() * maxCharBytes_);
  out.resize(start + static_cast<std::size_t>(room));
  // Best-fit mapping would turn characters the code page lacks into look-alikes
  // or "?"; with it off, such characters set usedDefault instead. A system
  // whose ANSI code page is UTF-8 holds every valid character.
  const DWORD flags = utf8_ ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  const int written = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data() + start, room, nullptr,
                                            utf8_ ? nullptr : &usedDefault);
  out.resize(start + static_cast<std::size_t>(written > 0 ? written : 0));
  return written > 0 && !usedDefault;
}

void AnsiCodec::FromAnsi(std::string_view bytes, std::wstring& out, bool* replaced) const {
  out.clear();
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return;
  const int length = static_cast<int>(bytes.size());
  // No code page makes more UTF-16 units than it has bytes, so one call fills
  // `out` without asking for the size first. Strict first: a byte sequence the
  // code page does not know is a damage the caller must hear of, not silently
  // a replacement character.
  out.resize(bytes.size());
  int size = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), length);
  if (size <= 0) {
    if (replaced) *replaced = true;
    size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out.data(), length);
  }
  out.resize(static_cast<std::size_t>(size > 0 ? size : 0));
}

std::wstring ErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer) text.assign(buffer, length);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = FileProblemText(FileProblem::Other, error);
  return text;
}

}  // namespace vornish::win32
