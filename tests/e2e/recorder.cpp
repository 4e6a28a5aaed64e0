// A program for launch tests: it appends how it was started to recorder.log
// beside itself (command line, working folder, show state) and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[32768] = {};
  GetModuleFileNameW(nullptr, self, 32768);
  std::wstring log = self;
  log.erase(log.find_last_of(L'\\') + 1);
  log += L"recorder.log";

  wchar_t folder[32768] = {};
  GetCurrentDirectoryW(32768, folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::wstring record = std::wstring(L"cmd=") + GetCommandLineW() + L"\tcwd=" + folder +
                              L"\tshow=" + std::to_wstring(show) + L"\n";

  const int size = WideCharToMultiByte(CP_UTF8, 0, record.c_str(), static_cast<int>(record.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, record.c_str(), static_cast<int>(record.size()), bytes.data(), size, nullptr,
                      nullptr);
  // Several launches may finish at once: retry while another one writes.
  for (int attempt = 0; attempt < 100; ++attempt) {
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}
