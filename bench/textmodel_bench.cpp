// The text model against a plain std::string doing the same job on the same
// 100 MB document (CR LF lines of about 60 bytes, a "needle" every ~1 KB):
// loading, typing 1,000 characters, line-of-position queries and a Replace
// All sweep. Prints each time and the ratio model/string.
//
// The string's side: loading is the same line-end conversion without an
// index; typing inserts into the string; line queries search a sorted vector
// of line starts built once (a static index the string would have to
// rebuild after every edit); the sweep is ReplaceAll, one pass that builds
// the rewritten tail, while the model finds and replaces hit by hit, each
// replacement an undo step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/text/textmodel.h"
#include "core/textops/textops.h"

namespace {

constexpr std::size_t kSize = 100u << 20;

const std::string& FileBytes() {
  static const std::string bytes = [] {
    const char* words[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing", "elit"};
    std::string s;
    s.reserve(kSize + 256);
    for (std::size_t i = 0; s.size() < kSize; ++i) {
      std::size_t start = s.size();
      for (std::size_t w = i; s.size() - start < 56; ++w) s.append(words[w % 8]).push_back(' ');
      if (i % 16 == 0) s += "needle";
      s += "\r\n";
    }
    return s;
  }();
  return bytes;
}

std::string Loaded() {
  std::string s = FileBytes();
  core::ToModelLineEnds(s);
  return s;
}

void Model_Load(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = FileBytes();
    state.ResumeTiming();
    core::TextModel m(std::move(bytes));
    benchmark::DoNotOptimize(m.LineCount());
    state.counters["memory/size"] = static_cast<double>(m.MemoryBytes()) / static_cast<double>(m.Length());
  }
}

void String_Load(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = FileBytes();
    state.ResumeTiming();
    core::ToModelLineEnds(bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}

void Model_TypeAtEnd(benchmark::State& state) {
  core::TextModel m(FileBytes());
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) m.Replace(m.Length(), 0, "x", core::UndoMode::kTyping);
    benchmark::DoNotOptimize(m.LineFromChar(m.Length()));
  }
}

void String_TypeAtEnd(benchmark::State& state) {
  std::string s = Loaded();
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) s.insert(s.size(), 1, 'x');
    benchmark::DoNotOptimize(s.data());
  }
}

void Model_TypeInTheMiddle(benchmark::State& state) {
  core::TextModel m(FileBytes());
  for (auto _ : state) {
    const core::TextPos at = m.Length() / 2;
    for (int i = 0; i < 1000; ++i) m.Replace(at + i, 0, "x", core::UndoMode::kTyping);
    benchmark::DoNotOptimize(m.LineFromChar(at));
  }
}

void String_TypeInTheMiddle(benchmark::State& state) {
  std::string s = Loaded();
  for (auto _ : state) {
    const std::size_t at = s.size() / 2;
    for (std::size_t i = 0; i < 1000; ++i) s.insert(at + i, 1, 'x');
    benchmark::DoNotOptimize(s.data());
  }
}

std::vector<core::TextPos> QueryPositions(std::size_t size) {
  std::mt19937 rng(7);
  std::vector<core::TextPos> v(100000);
  for (auto& p : v) p = static_cast<core::TextPos>(rng() % size);
  return v;
}

void Model_LineFromChar(benchmark::State& state) {
  core::TextModel m(FileBytes());
  // Scattered edits first, so that the queries cross many pieces.
  std::mt19937 rng(3);
  for (int i = 0; i < 1000; ++i)
    m.Replace(static_cast<core::TextPos>(rng() % static_cast<std::size_t>(m.Length())), 0, "ab\r");
  const auto queries = QueryPositions(static_cast<std::size_t>(m.Length()));
  for (auto _ : state)
    for (core::TextPos p : queries) benchmark::DoNotOptimize(m.LineFromChar(p));
  state.counters["pieces"] = static_cast<double>(m.PieceCount());
}

void String_LineFromChar(benchmark::State& state) {
  const std::string s = Loaded();
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\r') starts.push_back(i + 1);
  const auto queries = QueryPositions(s.size());
  for (auto _ : state)
    for (core::TextPos p : queries)
      benchmark::DoNotOptimize(std::upper_bound(starts.begin(), starts.end(), static_cast<std::size_t>(p)) -
                               starts.begin() - 1);
}

void Model_ReplaceAll(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    core::TextModel m(FileBytes());
    state.ResumeTiming();
    int count = 0;
    for (core::TextPos at = m.Find("needle", 0, -1, {true, false}); at != core::kNotFound;
         at = m.Find("needle", at + 6, -1, {true, false})) {
      m.Replace(at, 6, "thread");
      ++count;
    }
    state.counters["replaced"] = count;
    state.PauseTiming();
    m.Load("");  // freed outside the time
    state.ResumeTiming();
  }
}

void String_ReplaceAll(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string s = Loaded();
    state.ResumeTiming();
    const core::TextOpResult r = core::ReplaceAll(s, {0, 0}, "needle", "thread", {true, false});
    state.counters["replaced"] = r.count;
  }
}

BENCHMARK(Model_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(String_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Model_TypeAtEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(String_TypeAtEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(Model_TypeInTheMiddle)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(String_TypeInTheMiddle)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Model_LineFromChar)->Unit(benchmark::kMillisecond);
BENCHMARK(String_LineFromChar)->Unit(benchmark::kMillisecond);
BENCHMARK(Model_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(String_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// Prints as usual and remembers each run's time for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) {
        const std::string name = r.benchmark_name();
        times_[name.substr(0, name.find('/'))] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
      }
  }
  void PrintRatios() const {
    // Both clocks: on a shared machine the CPU time is the steadier figure.
    std::printf("\nModel / std::string on 100 MB (real time; CPU time):\n");
    for (const auto& [name, t] : times_) {
      if (name.rfind("Model_", 0) != 0) continue;
      const std::string job = name.substr(6);
      const auto peer = times_.find("String_" + job);
      if (peer == times_.end() || peer->second.real <= 0 || peer->second.cpu <= 0) continue;
      std::printf("  %-16s %10.3f / %10.3f ms %9.2fx;  %10.3f / %10.3f ms %9.2fx\n", job.c_str(), t.real,
                  peer->second.real, t.real / peer->second.real, t.cpu, peer->second.cpu,
                  t.cpu / peer->second.cpu);
    }
  }

 private:
  struct Times {
    double real = 0;
    double cpu = 0;
  };
  std::map<std::string, Times> times_;
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
