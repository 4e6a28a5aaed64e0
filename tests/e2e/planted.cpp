// A library planted beside a program under the name of a system library, as
// anyone can beside a portable copy in Downloads: whatever loads it, it
// leaves "<its own path>.loaded" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t mark[MAX_PATH + 8] = {};
  const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
  lstrcpyW(mark + length, L".loaded");
  const HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
