// Lets shell scripts wait for and close a running launcher, whose Windows
// process id they do not know (wine's Unix pid is not it).
//
//   vornish-window.exe wait [ms]   exit 0 once a main window is visible,
//                                  3 if a "Vornish" message box shows instead
//                                  (its text is printed), 1 on timeout
//   vornish-window.exe close [ms]  WM_CLOSE to every main window, OK to every
//                                  "Vornish" message box; exit 0 once all are
//                                  gone, 1 if some remain at the timeout
#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Errors.h"
#include "harness/Handles.h"
#include "harness/Launcher.h"
#include "harness/MessageBoxes.h"

namespace e2e = vornish::e2e;
using namespace std::chrono_literals;

namespace {

std::vector<HWND> LauncherMessageBoxes() {
  std::vector<HWND> boxes;
  for (HWND dialog : e2e::FindTopLevelWindows(L"#32770")) {
    if (GetDlgItem(dialog, e2e::kMessageBoxTextId) != nullptr && e2e::TextOf(dialog) == L"Vornish") {
      boxes.push_back(dialog);
    }
  }
  return boxes;
}

std::vector<HWND> MainWindows() { return e2e::FindTopLevelWindows(e2e::kMainWindowClass); }

// A window turns visible before it has painted. Its program is idle once the
// first paint is done; the extra moment covers what Wine still has to copy
// to the X screen, so a screenshot taken next shows the window.
void WaitUntilPainted(HWND window) {
  e2e::UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, e2e::ProcessIdOf(window)));
  if (process) WaitForInputIdle(process.Get(), 5000);
  Sleep(300);
}

int Wait(std::chrono::milliseconds timeout) {
  int result = 1;
  e2e::WaitUntil(
      [&] {
        if (const auto windows = MainWindows(); !windows.empty()) {
          WaitUntilPainted(windows.front());
          result = 0;
        } else if (const auto boxes = LauncherMessageBoxes(); !boxes.empty()) {
          std::printf("message box: %s\n",
                      e2e::Narrow(e2e::TextOf(GetDlgItem(boxes.front(), e2e::kMessageBoxTextId))).c_str());
          result = 3;
        }
        return result != 1;
      },
      timeout);
  return result;
}

int Close(std::chrono::milliseconds timeout) {
  // Asked once per window, but kept watching: dismissing a message box can
  // let the launcher go on to open its main window.
  std::set<HWND> asked;
  const auto closeNew = [&] {
    for (HWND box : LauncherMessageBoxes()) {
      if (asked.insert(box).second) e2e::PressButton(box, IDOK, 0ms);
    }
    for (HWND window : MainWindows()) {
      if (asked.insert(window).second) PostMessageW(window, WM_CLOSE, 0, 0);
    }
  };
  return e2e::WaitUntil(
             [&] {
               closeNew();
               return MainWindows().empty() && LauncherMessageBoxes().empty();
             },
             timeout)
             ? 0
             : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view verb = argc > 1 ? argv[1] : L"";
  const std::chrono::milliseconds timeout(argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 10000);
  if (verb == L"wait") return Wait(timeout);
  if (verb == L"close") return Close(timeout);
  std::fputs("usage: vornish-window.exe wait|close [milliseconds]\n", stderr);
  return 2;
}
