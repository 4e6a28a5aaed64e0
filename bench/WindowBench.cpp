// Costs of the main window's work under Wine: the icons of 100 buttons whose
// sources are real programs, 1,000 buttons loaded, made, arranged and drawn,
// arranging them again, one placement tick of a window fixed to a screen edge
// and painting the gradient bar. Each round runs in a fresh process of its own
// (a first pass is first only once in a process); prints the spread over the
// rounds. The program carries the launcher's manifest, so it loads what the
// launcher loads.
//   vornish_bench_window.exe [rounds, default 1]
#include <windows.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "WineBench.h"
#include "buttons/win32/IconButton.h"
#include "core/Launcher.h"
#include "core/win32/RegistryStore.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/WinSystemInfo.h"
#include "core/win32/WinText.h"
#include "window/ControlBar.h"
#include "window/win32/ControlBar.h"
#include "window/win32/frmMain.h"

namespace {

using namespace vornish;
using namespace vornish::win32;
using Clock = std::chrono::steady_clock;

enum Figure : std::size_t {
  kIconsPass1,
  kIconsPass2,
  kIconsPass3,
  kLoad,
  kLoadAndDraw,
  kArrangeInPlace,
  kArrangeSwapped,
  kPlaceWall,
  kPlaceCpu,
  kGradientRow,
  kGradientColumn,
  kFigures
};

struct FigureInfo {
  const wchar_t* label;
  int decimals;
};
constexpr FigureInfo kInfo[kFigures] = {
    {L"icon of a real program (100 buttons, thread pool), pass 1, ms each", 2},
    {L"icon of a real program, pass 2, ms each", 2},
    {L"icon of a real program, pass 3, ms each", 2},
    {L"1,000 buttons: data file loaded, windows made and arranged (Load), ms", 0},
    {L"1,000 buttons: loaded, made, arranged, shown and drawn, ms", 0},
    {L"ArrangeButtons for 1,000 buttons, all in place, ms each", 2},
    {L"ArrangeButtons for 1,000 buttons, row and column swapped, ms each", 2},
    {L"placement tick of a docked window, wall, us", 1},
    {L"placement tick of a docked window, CPU of the thread, us", 1},
    {L"gradient bar of a 32-pixel row, computed and painted, us", 1},
    {L"gradient bar of a 32-pixel column, computed and painted, us", 1},
};
using Results = std::array<double, kFigures>;
constexpr double kMissing = -1;  // a figure its round could not measure

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

// Handles this thread's messages as the launcher's loop does until `done`
// held before the queue was last emptied, so that what was posted until then
// has been handled and everything it invalidated painted. Timers are left
// out: the system hands them out only when nothing else waits, and they run
// after the measurement if at all.
bool Pump(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::minutes(1);
  for (;;) {
    const bool finished = done();
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_TIMER) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (finished) return true;
    if (Clock::now() > deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

class NoEvents : public IconButtonEvents {
  bool IconButton_AcceptsDrop(int) override { return true; }
  void IconButton_FileDrop(int, const std::wstring&) override {}
  void IconButton_IconReset(int) override {}
  void IconButton_Click(int) override {}
  void IconButton_KeyDown(int, int, int) override {}
  void IconButton_MouseDown(int, int, int, float, float) override {}
  void IconButton_MouseMove(int, int, int, float, float) override {}
};

class NoBarEvents : public ControlBarEvents {
  void picControl_MouseDown(int, int, float, float) override {}
  void picControl_MouseMove(int, int, float, float) override {}
  void picControl_DblClick() override {}
};

// From the refresh of every button until each shows its new face, painted.
void BenchIcons(HINSTANCE instance, Results& results) {
  constexpr int kSide = 34;
  constexpr int kColumns = 10;
  const HWND parent = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kColumns * kSide,
                                        kColumns * kSide, nullptr, nullptr, instance, nullptr);
  NoEvents events;
  IconLoader loader;
  LauncherModel model;
  const std::vector<std::wstring> programs = vornish::bench::ProgramsWithIcons(100);
  for (const std::wstring& program : programs) {
    model.Buttons.push_back(EmptyButton(kColourButtonFace));
    model.Buttons.back().File = program;
  }
  std::vector<std::unique_ptr<IconButton>> buttons;
  for (int i = 0; i < static_cast<int>(programs.size()); ++i) {
    auto button = std::make_unique<IconButton>(i, model, events, loader);
    const int x = i % kColumns * kSide, y = i / kColumns * kSide;
    button->Create(instance, parent, nullptr, RECT{x, y, x + kSide, y + kSide});
    buttons.push_back(std::move(button));
  }
  Pump([] { return true; });
  for (std::size_t pass = 0; pass < 3; ++pass) {
    const auto start = Clock::now();
    for (auto& b : buttons) b->IconRefresh();
    // The loader posts each face before it counts the face as made.
    const bool complete = Pump([&] { return loader.WaitIdle(std::chrono::milliseconds(0)); });
    results[kIconsPass1 + pass] = complete ? Ms(Clock::now() - start) / static_cast<double>(buttons.size()) : kMissing;
  }
  buttons.clear();
  ::DestroyWindow(parent);
}

void BenchLayoutAndPlacement(HINSTANCE instance, Results& results) {
  RegistryStore store(L"VornishBench");
  WinFileSystem fs;
  const AnsiCodec codec;
  const WinSystemInfo system;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"vornish-bench-" + std::to_wstring(::GetCurrentProcessId()) + L".dat";
  fs.ReplaceContents(file, vornish::bench::DataFileOf(ButtonList(1000, EmptyButton(kColourButtonFace))));

  // At the 24-pixel icon size all 1,000 buttons fit the longest window the
  // system makes (at 32 pixels a box would say how many are left out).
  store.Write(L"Set", L"Size", L"24");
  LauncherModel model;
  model.DataFilePath = file;
  frmMain main(instance, model, LauncherServices{store, fs, codec, system});
  const auto loadStart = Clock::now();
  main.Load();
  results[kLoad] = Ms(Clock::now() - loadStart);
  main.Show();
  Pump([] { return true; });
  results[kLoadAndDraw] = Ms(Clock::now() - loadStart);
  // Arranging and placing are timed on the hidden window, as they always were.
  ::ShowWindow(main.hwnd(), SW_HIDE);

  const int rounds = 20;
  auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) main.ArrangeButtons();
  results[kArrangeInPlace] = Ms(Clock::now() - start) / rounds;
  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    model.settings.Orient = 1 - model.settings.Orient;
    main.ArrangeButtons();
  }
  results[kArrangeSwapped] = Ms(Clock::now() - start) / rounds;

  model.settings.Position = 4;
  main.PlaceWindow();
  const int ticks = 2000;
  const double cpuStart = ThreadCpuMs();
  const auto tickStart = Clock::now();
  for (int i = 0; i < ticks; ++i) main.PlaceWindow();
  results[kPlaceCpu] = (ThreadCpuMs() - cpuStart) * 1000.0 / ticks;
  results[kPlaceWall] = Ms(Clock::now() - tickStart) * 1000.0 / ticks;
  ::DeleteFileW(file.c_str());
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\VornishBench");
}

void BenchGradient(HINSTANCE instance, Results& results) {
  const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 400, 400, 100, 100, nullptr, nullptr,
                                        instance, nullptr);
  NoBarEvents events;
  ControlBar bar(events);
  bar.Create(instance, parent, nullptr);
  // The bar of a 32-pixel row (6 x 34 pixels) and of a 32-pixel column (34 x 6).
  const std::pair<Figure, RECT> shapes[] = {{kGradientRow, RECT{4, 4, 10, 38}}, {kGradientColumn, RECT{4, 4, 38, 10}}};
  for (const auto& [figure, bounds] : shapes) {
    bar.MoveTo(bounds);
    const int rows = bounds.bottom - bounds.top;
    const int rounds = 500;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
      bar.SetBackColor(kColourInactiveCaption);
      bar.PaintRows(GradientRows(kGradientBlue, rows * 15, rows));
      ::UpdateWindow(bar.hwnd());
    }
    results[figure] = Ms(Clock::now() - start) * 1000.0 / rounds;
  }
  ::DestroyWindow(parent);
}

// One round: every figure measured once, written to `output`.
int Round(const wchar_t* output) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!frmMain::Register(instance) || !IconButton::Register(instance) || !ControlBar::Register(instance)) return 1;
  Results results;
  results.fill(kMissing);
  BenchIcons(instance, results);
  BenchLayoutAndPlacement(instance, results);
  BenchGradient(instance, results);
  FILE* file = _wfopen(output, L"w");
  if (!file) return 1;
  for (const double value : results) std::fprintf(file, "%.6f\n", value);
  std::fclose(file);
  return 0;
}

bool RunRound(const std::wstring& self, Results& results) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring output =
      std::wstring(temp) + L"vornish-bench-window-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  std::wstring commandLine = L"\"" + self + L"\" round \"" + output + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
    return false;
  }
  ::WaitForSingleObject(info.hProcess, INFINITE);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(info.hProcess, &exitCode);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  FILE* file = _wfopen(output.c_str(), L"r");
  bool read = exitCode == 0 && file;
  for (double& value : results) read = read && std::fscanf(file, "%lf", &value) == 1;
  if (file) std::fclose(file);
  ::DeleteFileW(output.c_str());
  return read;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring_view(argv[1]) == L"round") return Round(argv[2]);
  const int rounds = argc > 1 ? _wtoi(argv[1]) : 1;
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::array<std::vector<double>, kFigures> values;
  for (int round = 0; round < rounds; ++round) {
    Results results;
    if (!RunRound(self, results)) {
      std::wprintf(L"  round %d failed\n", round + 1);
      continue;
    }
    for (std::size_t k = 0; k < kFigures; ++k) {
      if (results[k] >= 0) values[k].push_back(results[k]);
    }
  }
  std::wprintf(L"main window costs under Wine, %d round(s), each in a process of its own\n", rounds);
  for (std::size_t k = 0; k < kFigures; ++k) {
    const vornish::bench::Spread spread = vornish::bench::SpreadOf(values[k]);
    if (values[k].size() > 1) {
      std::wprintf(L"  %ls: %ls\n", kInfo[k].label, vornish::bench::Describe(spread, kInfo[k].decimals).c_str());
    } else {
      std::wprintf(L"  %ls: %.*f\n", kInfo[k].label, kInfo[k].decimals, spread.median);
    }
  }
  const auto median = [&](Figure k) { return vornish::bench::SpreadOf(values[k]).median; };
  std::wprintf(L"= icon of one real program, first pass: %.2f ms (third pass %.2f ms)\n", median(kIconsPass1),
               median(kIconsPass3));
  std::wprintf(L"= 1,000 buttons loaded, made, arranged and drawn: %.2f s (Load alone %.2f s)\n",
               median(kLoadAndDraw) / 1000.0, median(kLoad) / 1000.0);
  return 0;
}
