// Costs of the main window's work under Wine: refreshing the icons of 100
// buttons whose sources are real programs, arranging 1,000 buttons, and one
// placement tick of a window fixed to a screen edge. Prints the figures.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

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

class NoEvents : public IconButtonEvents {
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

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

std::vector<std::wstring> ProgramsWithIcons(std::size_t wanted) {
  std::vector<std::wstring> programs;
  const std::wstring folder = WinSystemInfo().SystemDirectory() + L"\\";
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*.exe").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return programs;
  do {
    const std::wstring path = folder + found.cFileName;
    if (reinterpret_cast<INT_PTR>(ExtractIconW(nullptr, path.c_str(), static_cast<UINT>(-1))) > 0) {
      programs.push_back(path);
    }
  } while (programs.size() < wanted && FindNextFileW(search, &found));
  FindClose(search);
  // Fewer programs with icons than buttons: sources repeat.
  for (std::size_t i = 0; !programs.empty() && programs.size() < wanted; ++i) programs.push_back(programs[i]);
  return programs;
}

void BenchIconRefresh(HINSTANCE instance) {
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance,
                                      nullptr);
  NoEvents events;
  IconLoader loader;
  LauncherModel model;
  const std::vector<std::wstring> programs = ProgramsWithIcons(100);
  std::vector<std::unique_ptr<IconButton>> buttons;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    model.Buttons.push_back(EmptyButton(kColourButtonFace));
    model.Buttons.back().File = programs[i];
  }
  for (std::size_t i = 0; i < programs.size(); ++i) {
    auto button = std::make_unique<IconButton>(static_cast<int>(i), model, events, loader);
    button->Create(instance, parent, nullptr, RECT{0, 0, 34, 34});
    buttons.push_back(std::move(button));
  }
  for (int pass = 1; pass <= 3; ++pass) {
    const auto start = Clock::now();
    for (auto& b : buttons) b->IconRefresh();
    loader.WaitIdle(std::chrono::minutes(1));
    std::wprintf(L"  icons of %zu buttons (real programs, on the thread pool), pass %d: %.1f ms (%.2f ms each)\n",
                 buttons.size(), pass, Ms(Clock::now() - start), Ms(Clock::now() - start) / buttons.size());
  }
  buttons.clear();
  DestroyWindow(parent);
}

void BenchLayoutAndPlacement(HINSTANCE instance) {
  RegistryStore store(L"VornishBench");
  WinFileSystem fs;
  const AnsiCodec codec;
  const WinSystemInfo system;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"vornish-bench.dat";
  std::string bytes = "[Vornish Ver.1.0]\r\n";
  for (int i = 0; i < 1000; ++i) bytes += "\x1B\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "-2147483633\x1B" "0\x1B" "0\x1B\r\n";
  fs.ReplaceContents(file, bytes);

  LauncherModel model;
  model.DataFilePath = file;
  frmMain main(instance, model, LauncherServices{store, fs, codec, system});
  const auto loadStart = Clock::now();
  main.Load();
  std::wprintf(L"  load with 1,000 buttons (windows created and arranged): %.1f ms\n", Ms(Clock::now() - loadStart));

  const int rounds = 20;
  auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) main.ArrangeButtons();
  std::wprintf(L"  ArrangeButtons for 1,000 buttons, all in place: %.2f ms each\n", Ms(Clock::now() - start) / rounds);
  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    model.settings.Orient = 1 - model.settings.Orient;
    main.ArrangeButtons();
  }
  std::wprintf(L"  ArrangeButtons for 1,000 buttons, row and column swapped: %.2f ms each\n",
               Ms(Clock::now() - start) / rounds);

  model.settings.Position = 4;
  main.PlaceWindow();
  const int ticks = 2000;
  const double cpuStart = ThreadCpuMs();
  const auto tickStart = Clock::now();
  for (int i = 0; i < ticks; ++i) main.PlaceWindow();
  const double cpu = ThreadCpuMs() - cpuStart;
  std::wprintf(L"  placement of a docked window: %.1f us wall, %.1f us CPU per tick (%d ticks)\n",
               Ms(Clock::now() - tickStart) * 1000.0 / ticks, cpu * 1000.0 / ticks, ticks);
  DeleteFileW(file.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\VornishBench");
}

void BenchGradient(HINSTANCE instance) {
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 400, 400, 100, 100, nullptr, nullptr,
                                      instance, nullptr);
  NoBarEvents events;
  ControlBar bar(events);
  bar.Create(instance, parent, nullptr);
  struct Shape {
    const wchar_t* name;
    RECT bounds;
  };
  // The bar of a 32-pixel row (6 x 34 pixels) and of a 32-pixel column (34 x 6).
  for (const Shape& shape : {Shape{L"row", RECT{4, 4, 10, 38}}, Shape{L"column", RECT{4, 4, 38, 10}}}) {
    bar.MoveTo(shape.bounds);
    const int rows = shape.bounds.bottom - shape.bounds.top;
    const int rounds = 500;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
      bar.SetBackColor(kColourInactiveCaption);
      bar.PaintRows(GradientRows(kGradientBlue, rows * 15, rows));
      UpdateWindow(bar.hwnd());
    }
    std::wprintf(L"  gradient bar of a 32-pixel %ls, computed and painted: %.1f us each\n", shape.name,
                 Ms(Clock::now() - start) * 1000.0 / rounds);
  }
  DestroyWindow(parent);
}

}  // namespace

int wmain() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!frmMain::Register(instance) || !IconButton::Register(instance) || !ControlBar::Register(instance)) return 1;
  std::wprintf(L"main window costs under Wine\n");
  BenchIconRefresh(instance);
  BenchLayoutAndPlacement(instance);
  BenchGradient(instance);
  return 0;
}
