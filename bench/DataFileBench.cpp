// Reading and writing data files of 100, 10,000 and 32,768 buttons: time per
// operation and the peak heap the operation needs beyond what it starts with.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "Fakes.h"
#include "core/DataFile.h"
#include "core/Text.h"

namespace {

// Heap accounting for the peak-memory figures: every allocation carries its
// size in a header so that frees can be counted too. The benchmarks run on
// one thread, so plain counters do: atomic ones would add their own cost to
// every allocation the timed code makes.
std::size_t g_current = 0;
std::size_t g_peak = 0;

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + 16);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  g_current += size;
  g_peak = std::max(g_peak, g_current);
  return static_cast<char*>(block) + 16;
}

void Release(void* p) {
  if (!p) return;
  void* block = static_cast<char*>(p) - 16;
  g_current -= *static_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

using namespace vornish;

ButtonList MakeButtons(std::size_t count) {
  ButtonList buttons;
  buttons.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    ButtonRecord b = EmptyButton(kColourButtonFace);
    const std::wstring n = ToDecimal(static_cast<std::int64_t>(i));
    b.Title = L"表計算ｿﾌﾄ " + n;
    b.File = L"C:\\Program Files\\ツール\\アプリ" + n + L"\\application.exe";
    b.Path = L"C:\\Program Files\\ツール\\アプリ" + n + L"\\";
    b.Param = L"/open \"D:\\文書\\memo.txt\"";
    b.Count = static_cast<std::int32_t>(i * 7);
    buttons.push_back(std::move(b));
  }
  return buttons;
}

// Runs `op` and reports its time (by the framework), its peak heap use and the
// heap its result holds (for reading, the button list itself). The result is
// let go with the clock stopped: freeing it is no part of reading or writing.
template <typename Op>
void Measure(benchmark::State& state, Op op) {
  std::size_t peak = 0;
  std::size_t kept = 0;
  for (auto _ : state) {
    const std::size_t before = g_current;
    g_peak = before;
    auto result = op();
    peak = std::max(peak, g_peak - before);
    kept = g_current - before;
    state.PauseTiming();
    { const auto gone = std::move(result); }
    state.ResumeTiming();
  }
  state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
  state.counters["result_heap_KiB"] = static_cast<double>(kept) / 1024.0;
}

void BM_WriteDataFile(benchmark::State& state) {
  const testing::Cp932Codec codec;
  const ButtonList buttons = MakeButtons(static_cast<std::size_t>(state.range(0)));
  std::size_t bytes = 0;
  Measure(state, [&] {
    std::string file = FormatDataFile(buttons, codec);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
    return file;
  });
  state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void BM_ReadDataFile(benchmark::State& state) {
  const testing::Cp932Codec codec;
  const std::string file = FormatDataFile(MakeButtons(static_cast<std::size_t>(state.range(0))), codec);
  Measure(state, [&] {
    ParsedDataFile parsed = ParseDataFile(file, codec, kColourButtonFace);
    benchmark::DoNotOptimize(parsed.buttons.data());
    return parsed;
  });
  state.counters["file_KiB"] = static_cast<double>(file.size()) / 1024.0;
}

BENCHMARK(BM_WriteDataFile)->Arg(100)->Arg(10000)->Arg(32768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataFile)->Arg(100)->Arg(10000)->Arg(32768)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
