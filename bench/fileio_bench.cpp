// Reading and writing documents of 1, 5 and 20 MB (lines of about 60
// characters). The peer is a plain copy of the same bytes, the least any
// conversion has to do; the ratios printed at the end compare each operation
// with it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "core/lineinsert.h"
#include "core/textfile.h"

namespace {

std::string MakeText(std::size_t bytes, std::string_view lineEnd) {
  std::string s;
  s.reserve(bytes + 128);
  unsigned seed = 12345;
  while (s.size() < bytes) {
    const std::size_t len = 40 + (seed >> 16) % 40;  // 40..79, about 60 on average
    for (std::size_t i = 0; i < len; ++i) {
      seed = seed * 1103515245u + 12345u;
      const unsigned r = (seed >> 16) % 64;
      s.push_back(r < 10 ? ' ' : static_cast<char>(r < 58 ? 'a' + r % 26 : 0xE0 + r % 16));
    }
    s += lineEnd;
  }
  return s;
}

const std::string& Text(std::int64_t mb, std::string_view lineEnd) {
  static std::map<std::pair<std::int64_t, std::string>, std::string> cache;
  auto& s = cache[{mb, std::string(lineEnd)}];
  if (s.empty()) s = MakeText(static_cast<std::size_t>(mb) << 20, lineEnd);
  return s;
}

void Finish(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void Copy(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\r\n");
  for (auto _ : state) {
    std::string out(in);
    benchmark::DoNotOptimize(out.data());
  }
  Finish(state, in.size());
}

void ReadCrLf(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::DocumentFromFileBytes(in));
  Finish(state, in.size());
}

void ReadLf(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::DocumentFromFileBytes(in));
  Finish(state, in.size());
}

void WriteDos(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::FileBytesFromDocument(in, core::TextFormat::tfDos));
  Finish(state, in.size());
}

void WriteUnix(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::FileBytesFromDocument(in, core::TextFormat::tfUnix));
  Finish(state, in.size());
}

void StringOnAllLines(benchmark::State& state) {
  const std::string& in = Text(state.range(0), "\r\n");
  const core::InsertStringRequest req{"> ", true, false, 0, 0};
  for (auto _ : state) benchmark::DoNotOptimize(core::InsertStringOnLines(in, req).text);
  Finish(state, in.size());
}

BENCHMARK(Copy)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadCrLf)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLf)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDos)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteUnix)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(StringOnAllLines)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

// Prints as usual and remembers each run's time for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration) times_[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
  }
  void PrintRatios() const {
    std::printf("\nRatio to a plain copy of the same bytes:\n");
    for (const auto& [name, time] : times_) {
      const std::string size = name.substr(name.find('/'));
      const auto peer = times_.find("Copy" + size);
      if (peer == times_.end() || name.rfind("Copy/", 0) == 0 || peer->second <= 0) continue;
      std::printf("  %-24s %6.2fx\n", name.c_str(), time / peer->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
