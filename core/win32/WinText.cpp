#include "core/win32/WinText.h"

#include <climits>

#include "core/Text.h"

namespace vornish::win32 {

bool AnsiCodec::ToAnsi(std::wstring_view text, std::string& out) const {
  out.clear();
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(text.size());
  // Best-fit mapping would turn characters the code page lacks into look-alikes
  // or "?"; with it off, such characters set usedDefault instead. A system
  // whose ANSI code page is UTF-8 holds every valid character.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(size));
  const int written =
      ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data(), size, nullptr, usedDefaultOut);
  return written == size && !usedDefault;
}

std::wstring AnsiCodec::FromAnsi(std::string_view bytes, bool* replaced) const {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(bytes.size());
  // Strict first: a byte sequence the code page does not know is a damage the
  // caller must hear of, not silently a replacement character.
  DWORD flags = MB_ERR_INVALID_CHARS;
  int size = ::MultiByteToWideChar(CP_ACP, flags, bytes.data(), length, nullptr, 0);
  if (size <= 0) {
    if (replaced) *replaced = true;
    flags = 0;
    size = ::MultiByteToWideChar(CP_ACP, flags, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
  }
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, flags, bytes.data(), length, out.data(), size);
  return out;
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
  if (text.empty()) text = L"Error " + ToDecimal(error);
  return text;
}

}  // namespace vornish::win32
