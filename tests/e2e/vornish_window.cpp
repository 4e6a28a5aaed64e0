// Lets shell scripts wait for, close and drop files on a running launcher,
// whose Windows process id they do not know (wine's Unix pid is not it).
// Plain Win32 with nothing of the tests, so that tools/run.sh builds it in
// seconds.
//
//   vornish-window.exe wait [ms]   exit 0 once a main window is visible, 3 if
//                                  a "Vornish" message box shows instead, 1 on
//                                  timeout
//   vornish-window.exe close [ms]  WM_CLOSE to every main window, OK to every
//                                  "Vornish" message box; exit 0 once all are
//                                  gone, 1 if some remain at the timeout
//   vornish-window.exe drop N FILE [ms]
//                                  FILE dropped on button N (0 is the first in
//                                  reading order) of the one main window, as
//                                  Explorer's WM_DROPFILES; exit 0 once the
//                                  button shows the file's name, 1 if not
//   vornish-window.exe box [ms]    print the text of the "Vornish" message box
//                                  once one shows; exit 1 on timeout
//   vornish-window.exe crash RVA   start a thread in the one main window's
//                                  process at RVA (hex, from the program's
//                                  load address) with the argument 1: a fault
//                                  inside that function, as if a bug made it
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// Polls `done` every 15 ms until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    Sleep(15);
  }
  return true;
}

bool IsClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return std::wcscmp(name, className) == 0;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

// Visible main windows (false) or message boxes titled "Vornish" (true).
std::vector<HWND> Find(bool boxes) {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    const bool wanted = boxes ? IsClass(w, L"#32770") && GetDlgItem(w, 0xFFFF) && TextOf(w) == L"Vornish"
                              : IsClass(w, L"Vornish.frmMain");
    if (wanted && IsWindowVisible(w)) found.push_back(w);
  }
  return found;
}

int Wait(DWORD timeout) {
  int result = 1;
  WaitUntil([&] { return (result = !Find(false).empty() ? 0 : !Find(true).empty() ? 3 : 1) != 1; }, timeout);
  return result;
}

int Close(DWORD timeout) {
  // Asked once per window, and kept watching: a dismissed message box can
  // let the launcher go on to open its main window.
  std::set<HWND> asked;
  return WaitUntil(
             [&] {
               for (HWND box : Find(true)) {
                 if (asked.insert(box).second) PostMessageW(box, WM_COMMAND, IDOK, 0);
               }
               for (HWND window : Find(false)) {
                 if (asked.insert(window).second) PostMessageW(window, WM_CLOSE, 0, 0);
               }
               return Find(false).empty() && Find(true).empty();
             },
             timeout)
             ? 0
             : 1;
}

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc > 1 ? argv[1] : L"";
  const auto milliseconds = [&](int at) {
    return static_cast<DWORD>(argc > at ? std::wcstoul(argv[at], nullptr, 10) : 10000);
  };
  if (verb == L"wait") return Wait(milliseconds(2));
  if (verb == L"close") return Close(milliseconds(2));
  if (verb == L"drop" && argc > 3) return Drop(std::wcstoul(argv[2], nullptr, 10), argv[3], milliseconds(4));
  if (verb == L"box") return Box(milliseconds(2));
  if (verb == L"crash" && argc > 2) return Crash(std::wcstoull(argv[2], nullptr, 16));
  std::fputs("usage: vornish-window.exe wait|close|box [milliseconds] | drop N FILE [milliseconds] | crash RVA\n",
             stderr);
  return 2;
}
