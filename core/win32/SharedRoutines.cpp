#include "core/win32/SharedRoutines.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/win32/Com.h"

namespace vornish::win32 {

namespace {

std::wstring KnownFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

std::wstring ResolveFolder(std::wstring_view folder) {
  if (folder == kStartupFolder) return KnownFolder(CSIDL_STARTUP);
  std::wstring relative(folder);
  if (relative.rfind(L"./", 0) == 0 || relative.rfind(L".\\", 0) == 0) relative.erase(0, 2);
  for (wchar_t& c : relative) {
    if (c == L'/') c = L'\\';
  }
  const std::wstring programs = KnownFolder(CSIDL_PROGRAMS);
  if (programs.empty()) return {};
  return relative.empty() ? programs : JoinPath(programs, relative);
}

void ReportShortcutInterfaceMissing(HWND owner) {
  ShowMessage(owner, StartupLinkFailedMessage());
  ShowMessage(owner, StartupLinkHowToMessage());
}

bool SetTopMost(HWND hwnd, HWND insertAfter) {
  return ::SetWindowPos(hwnd, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

}  // namespace

std::wstring ShortcutPath(std::wstring_view folder, std::wstring_view name) {
  const std::wstring resolved = ResolveFolder(folder);
  if (resolved.empty()) return {};
  return JoinPath(resolved, std::wstring(name) + L".lnk");
}

bool CreateStartupLink(HWND owner, std::wstring_view folder, std::wstring_view name, std::wstring_view target,
                       std::wstring_view arguments) {
  const ComScope com;
  ComPtr<IShellLinkW> link;
  if (!com.usable() ||
      FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()))) {
    ReportShortcutInterfaceMissing(owner);
    return false;
  }
  const std::wstring path = ShortcutPath(folder, name);
  if (path.empty()) return false;
  const std::wstring targetText(target);
  const std::wstring argumentText(arguments);
  const std::wstring workingFolder = ProgramFolderOf(targetText);
  ComPtr<IPersistFile> file;
  return SUCCEEDED(link->SetPath(targetText.c_str())) && SUCCEEDED(link->SetArguments(argumentText.c_str())) &&
         SUCCEEDED(link->SetWorkingDirectory(workingFolder.c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
         SUCCEEDED(file->Save(path.c_str(), TRUE));
}

bool WindowTopOn(HWND hwnd) { return SetTopMost(hwnd, HWND_TOPMOST); }
bool WindowTopOff(HWND hwnd) { return SetTopMost(hwnd, HWND_NOTOPMOST); }

std::wstring ProgramPath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // truncated: the path is longer than the buffer
  }
}

std::wstring ProgramFolder() { return ProgramFolderOf(ProgramPath()); }

UINT MessageBoxStyle(MessageStyle style) {
  switch (style) {
    case MessageStyle::Hint: return MB_OK | MB_ICONINFORMATION;
    case MessageStyle::Question: return MB_YESNO | MB_ICONQUESTION;
    case MessageStyle::Failure: break;
  }
  return MB_OK | MB_ICONEXCLAMATION;
}

bool ShowMessage(HWND owner, const Message& message) {
  const std::wstring title(kAppTitle);
  const int answer = ::MessageBoxW(owner, message.text.c_str(), title.c_str(), MessageBoxStyle(message.style));
  return answer == IDOK || answer == IDYES;
}

}  // namespace vornish::win32
