// Reading and writing data files of 100, 10,000 and 32,768 buttons: time per
// operation and the peak heap the operation needs beyond what it starts with.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "core/DataFile.h"
#include "core/Text.h"
#include "native/Cp932Codec.h"

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
  const native::Cp932Codec codec;
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
  const native::Cp932Codec codec;
  const std::string file = FormatDataFile(MakeButtons(static_cast<std::size_t>(state.range(0))), codec);
  Measure(state, [&] {
    ParsedDataFile parsed = ParseDataFile(file, codec, kColourButtonFace);
    benchmark::DoNotOptimize(parsed.buttons.data());
    return parsed;
  });
  state.counters["file_KiB"] = static_cast<double>(file.size()) / 1024.0;
}

double Lowest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Highest(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

// The sizes every data file benchmark runs, with the spread over repetitions.
void Sizes(benchmark::internal::Benchmark* family) {
  family->Arg(100)->Arg(10000)->Arg(32768)->Unit(benchmark::kMillisecond);
  family->ComputeStatistics("min", Lowest)->ComputeStatistics("max", Highest);
}

BENCHMARK(BM_WriteDataFile)->Apply(Sizes);
BENCHMARK(BM_ReadDataFile)->Apply(Sizes);

// The usual table, then one line for the largest file: read and write with
// their spread over the repetitions, and the peak heap against the file.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_name.args != "32768") continue;
      Figure& figure = figures_[run.run_name.function_name];
      const double ms = run.GetAdjustedRealTime();
      const std::string& statistic = run.aggregate_name;
      if (run.run_type == Run::RT_Iteration || statistic == "median") {
        figure.ms = ms;
        figure.peakKiB = run.counters.at("peak_heap_KiB");
        figure.fileKiB = run.counters.at("file_KiB");
        figure.resultKiB = run.counters.at("result_heap_KiB");
      }
      if (run.run_type == Run::RT_Iteration || statistic == "min") figure.minMs = ms;
      if (run.run_type == Run::RT_Iteration || statistic == "max") figure.maxMs = ms;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const Figure& read = figures_["BM_ReadDataFile"];
    const Figure& write = figures_["BM_WriteDataFile"];
    char line[480];
    std::snprintf(line, sizeof line,
                  "= data file of 32,768 buttons (native): read + write %.1f ms (read %.1f ms, min %.1f, max %.1f; "
                  "write %.1f ms, min %.1f, max %.1f); peak heap %.0f KiB reading (the buttons read hold %.0f KiB), "
                  "%.0f KiB writing, against a file of %.0f KiB (%.2fx)\n",
                  read.ms + write.ms, read.ms, read.minMs, read.maxMs, write.ms, write.minMs, write.maxMs, read.peakKiB,
                  read.resultKiB, write.peakKiB, read.fileKiB,
                  read.fileKiB > 0 ? std::max(read.peakKiB, write.peakKiB) / read.fileKiB : 0);
    GetOutputStream() << line << std::flush;
  }

 private:
  struct Figure {
    double ms = 0, minMs = 0, maxMs = 0, peakKiB = 0, fileKiB = 0, resultKiB = 0;
  };
  std::map<std::string, Figure> figures_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
