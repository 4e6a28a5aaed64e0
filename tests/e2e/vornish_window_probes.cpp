// The commands of vornish-window.exe that only the tests' scripts use: a
// file dropped on a button (the packages' test), a message box read and a
// fault started in the launcher (the crash test).
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "driver/vornish_window.h"

namespace window_tool {

int Drop(std::size_t index, const std::wstring& file, DWORD timeout) {
  const std::vector<HWND> mains = Find(false);
  if (mains.size() != 1) return 1;
  std::vector<HWND> buttons;
  for (HWND b = nullptr; (b = FindWindowExW(mains[0], b, L"Vornish.IconButton", nullptr));) buttons.push_back(b);
  std::stable_sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  if (index >= buttons.size()) return 1;
  const HWND target = buttons[index];

  // The block must live in the launcher's memory: a handle of this process
  // means nothing there.
  DWORD processId = 0;
  GetWindowThreadProcessId(target, &processId);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return 1;
  const std::wstring names = file + std::wstring(2, L'\0');
  const DROPFILES header{sizeof header, POINT{5, 5}, FALSE, TRUE};
  const std::size_t size = sizeof header + names.size() * sizeof(wchar_t);
  char* block = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  const std::wstring name = file.substr(file.find_last_of(L"\\/") + 1);
  const bool dropped =
      block && WriteProcessMemory(process, block, &header, sizeof header, nullptr) &&
      WriteProcessMemory(process, block + sizeof header, names.data(), names.size() * sizeof(wchar_t), nullptr) &&
      PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0) &&
      WaitUntil([&] { return TextOf(target) == name; }, timeout);
  if (block && dropped) VirtualFreeEx(process, block, 0, MEM_RELEASE);  // else it may still be read
  CloseHandle(process);
  return dropped ? 0 : 1;
}

int Box(DWORD timeout) {
  std::vector<HWND> boxes;
  if (!WaitUntil([&] { return !(boxes = Find(true)).empty(); }, timeout)) return 1;
  // As UTF-8, whatever the console's code page.
  const std::wstring text = TextOf(GetDlgItem(boxes[0], 0xFFFF)) + L"\n";
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                            bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                            nullptr)));
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}

int Crash(std::uintptr_t rva) {
  const std::vector<HWND> mains = Find(false);
  if (mains.size() != 1) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(mains[0], &processId);
  const HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                         PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId);
  if (!process) return 1;
  // The first module of a process is its program.
  HMODULE program = nullptr;
  DWORD needed = 0;
  HANDLE thread = nullptr;
  if (EnumProcessModules(process, &program, sizeof program, &needed) && program) {
    const auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<std::uintptr_t>(program) + rva);
    thread = CreateRemoteThread(process, nullptr, 0, start, reinterpret_cast<LPVOID>(1), 0, nullptr);
  }
  if (thread) CloseHandle(thread);
  CloseHandle(process);
  return thread ? 0 : 1;
}

}  // namespace window_tool
