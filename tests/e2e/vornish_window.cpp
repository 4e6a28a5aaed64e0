// Lets shell scripts wait for and close a running launcher, whose Windows
// process id they do not know (wine's Unix pid is not it).
//
//   vornish-window.exe wait [ms]   exit 0 once a main window is visible and
//                                  painted, 3 if a "Vornish" message box shows
//                                  instead, 1 on timeout
//   vornish-window.exe close [ms]  WM_CLOSE to every main window, OK to every
//                                  "Vornish" message box; exit 0 once all are
//                                  gone, 1 if some remain at the timeout
#include <cstdio>
#include <cwchar>
#include <set>

#include "harness/Harness.h"

namespace e2e = vornish::e2e;

namespace {

// Visible main windows (false) or message boxes titled "Vornish" (true).
std::vector<HWND> Find(bool boxes) {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    const bool wanted = boxes ? wcscmp(name, L"#32770") == 0 && GetDlgItem(w, 0xFFFF) && e2e::TextOf(w) == L"Vornish"
                              : wcscmp(name, L"Vornish.frmMain") == 0;
    if (wanted && IsWindowVisible(w)) found.push_back(w);
  }
  return found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view verb = argc > 1 ? argv[1] : L"";
  const std::chrono::milliseconds timeout(argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 10000);
  if (verb == L"wait") {
    int result = 1;
    e2e::WaitUntil([&] { return (result = !Find(false).empty() ? 0 : !Find(true).empty() ? 3 : 1) != 1; }, timeout);
    // Visible comes before painted; the moment covers the first paint and
    // Wine's copy to the X screen, so that a screenshot taken next shows it.
    Sleep(500);
    return result;
  }
  if (verb == L"close") {
    // Asked once per window, and kept watching: a dismissed message box can
    // let the launcher go on to open its main window.
    std::set<HWND> asked;
    return e2e::WaitUntil(
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
  std::fputs("usage: vornish-window.exe wait|close [milliseconds]\n", stderr);
  return 2;
}
