#include "core/Paths.h"

#include <algorithm>

namespace vornish {

std::wstring GetFileName(std::wstring_view path) {
  const auto backslash = path.rfind(L'\\');
  if (backslash != std::wstring_view::npos) return std::wstring(path.substr(backslash + 1));
  const auto colon = path.rfind(L':');
  if (colon != std::wstring_view::npos) return std::wstring(path.substr(colon + 1));
  return std::wstring(path);
}

std::wstring WithTrailingBackslash(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty() && out.back() != L'\\') out.push_back(L'\\');
  return out;
}

std::wstring GetFolder(std::wstring_view path, std::wstring_view currentDirectory) {
  const auto backslash = path.rfind(L'\\');
  std::wstring folder = backslash != std::wstring_view::npos ? std::wstring(path.substr(0, backslash + 1))
                                                             : std::wstring(currentDirectory);
  if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
  return folder;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring out(folder);
  if (out.empty() || out.back() != L'\\') out.push_back(L'\\');
  out.append(name);
  return out;
}

std::wstring GetWindowsDir(const SystemInfo& system) { return WithTrailingBackslash(system.WindowsDirectory()); }

std::wstring GetSystemDir(const SystemInfo& system) { return WithTrailingBackslash(system.SystemDirectory()); }

std::wstring ProgramFolderOf(std::wstring_view programPath) {
  const auto backslash = programPath.rfind(L'\\');
  if (backslash == std::wstring_view::npos) return {};
  std::wstring folder(programPath.substr(0, backslash));
  if (folder.size() == 2 && folder[1] == L':') folder.push_back(L'\\');
  return folder;
}

std::wstring DefaultDataFilePath(std::wstring_view programFolder) {
  return JoinPath(programFolder, kDefaultDataFileName);
}

std::wstring VolumeOf(std::wstring_view path) {
  std::wstring volume;
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    volume = L"\\\\";
    path.remove_prefix(8);
  } else if (path.starts_with(L"\\\\?\\")) {
    path.remove_prefix(4);
  } else if (path.starts_with(L"\\\\")) {
    volume = L"\\\\";
    path.remove_prefix(2);
  }
  if (!volume.empty()) {
    // The server and the share.
    const std::size_t server = std::min(path.find(L'\\'), path.size());
    const std::size_t share = std::min(path.find(L'\\', std::min(server + 1, path.size())), path.size());
    volume += path.substr(0, share);
  } else if (path.size() >= 2 && path[1] == L':' && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z')) {
    volume = path.substr(0, 2);
  }
  for (wchar_t& c : volume) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return volume;
}

}  // namespace vornish
