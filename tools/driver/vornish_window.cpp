// Lets shell scripts wait for, close and drop files on a running launcher,
// whose Windows process id they do not know (wine's Unix pid is not it).
// Plain Win32 with nothing of the tests' harness, so that tools/run.sh builds
// it in seconds. The drop, box and crash commands serve only the tests'
// scripts (tests/e2e/vornish_window_probes.cpp).
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
#include "driver/vornish_window.h"

#include <cstdio>
#include <cwchar>
#include <set>

namespace window_tool {

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

std::vector<HWND> Find(bool boxes) {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    const bool wanted = boxes ? IsClass(w, L"#32770") && GetDlgItem(w, 0xFFFF) && TextOf(w) == L"Vornish"
                              : IsClass(w, L"Vornish.frmMain");
    if (wanted && IsWindowVisible(w)) found.push_back(w);
  }
  return found;
}

namespace {

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

}  // namespace
}  // namespace window_tool

int wmain(int argc, wchar_t** argv) {
  using namespace window_tool;
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
