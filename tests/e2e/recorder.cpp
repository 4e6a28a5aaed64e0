// A program for launch tests: it appends how it was started to recorder.log
// beside itself (command line, working folder, show state) and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring log(32768, L'\0'), folder(32768, L'\0');
  log.resize(GetModuleFileNameW(nullptr, log.data(), 32768));
  log.replace(log.find_last_of(L'\\') + 1, std::wstring::npos, L"recorder.log");
  folder.resize(GetCurrentDirectoryW(32768, folder.data()));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::wstring record = std::wstring(GetCommandLineW()) + L"\t" + folder + L"\t" + std::to_wstring(show) + L"\n";
  std::string bytes(record.size() * 3, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, record.c_str(), static_cast<int>(record.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  // Several launches may finish at once: retry while another one writes.
  for (int attempt = 0; attempt < 100; ++attempt, Sleep(10)) {
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
  }
  return 1;
}
