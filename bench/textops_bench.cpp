// Text operations on generated 1 MB and 10 MB documents, timed side by side
// with sed or tr doing the same job on the same bytes written to a temp
// file. Prints each time, whether the outputs agree, and the ratio ours/peer
// (the target is at most 2). The peers' times include their process start
// and file I/O; ours is the algorithm over a std::string with a step
// callback, as the document window runs it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/textops/textops.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& p, const std::string& s) {
  std::ofstream out(p, std::ios::binary);
  out.write(s.data(), static_cast<std::streamsize>(s.size()));
}

// Repeats `line(i)` until the text reaches `size` bytes.
std::string Generate(std::size_t size, const std::function<std::string(std::size_t)>& line) {
  std::string s;
  s.reserve(size + 256);
  for (std::size_t i = 0; s.size() < size; ++i) s += line(i);
  return s;
}

const char* kWords[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing", "elit"};

struct Workload {
  std::string name;
  std::string input;
  std::function<void(std::string&)> ours;
  std::string peer;  // shell command reading IN and writing OUT
};

core::StepVerdict Continue(const core::StepReport& r) {
  benchmark::DoNotOptimize(r.progress.data());
  return core::StepVerdict::Continue;
}

std::vector<Workload> Workloads(std::size_t size, const std::string& label) {
  std::vector<Workload> w;
  const std::size_t hits = 100000;
  const std::size_t filler = std::max<std::size_t>(size / hits, 8) - 7;  // per hit, "needle" + LF
  auto hitLine = [&](const char* what) {
    return [=](std::size_t i) {
      std::string s;
      while (s.size() < filler) s += std::string(kWords[(i + s.size()) % 8]) + " ";
      s.resize(filler);
      return s + what + "\n";
    };
  };
  w.push_back({"Replace All, match case " + label, Generate(size, hitLine("needle")),
               [](std::string& t) {
                 core::ReplaceAll(t, {0, 0}, "needle", "thread", {true, false}, Continue);
               },
               "sed 's/needle/thread/g' IN > OUT"});
  w.push_back({"Replace All, any case   " + label, Generate(size, hitLine("NeeDle")),
               [](std::string& t) {
                 core::ReplaceAll(t, {0, 0}, "needle", "pin", {}, Continue);
               },
               "sed 's/needle/pin/gI' IN > OUT"});
  w.push_back({"HTML tags               " + label,
               Generate(size,
                        [&](std::size_t i) {
                          std::string s = "<p class=\"x\">";
                          while (s.size() + 5 < 2 * filler) s += std::string(kWords[(i + s.size()) % 8]) + " ";
                          return s + "</p>\n";
                        }),
               [](std::string& t) { core::RemoveHtmlTags(t, Continue); },
               "sed 's/<[^>]*>//g' IN > OUT"});
  w.push_back({"Double spaces           " + label,
               Generate(size,
                        [](std::size_t i) {
                          std::string s;
                          for (int k = 0; k < 12; ++k)
                            s += std::string(kWords[(i + k) % 8]) + std::string(2 + (i + k) % 4, ' ');
                          return s + "\n";
                        }),
               [](std::string& t) { core::RemoveDoubleSpaces(t, {0, 0}, Continue); },
               "sed 's/  //g' IN > OUT"});
  w.push_back({"Unnecessary spaces      " + label,
               Generate(size,
                        [](std::size_t i) {
                          return std::string(1 + i % 5, ' ') + "\t" + kWords[i % 8] + "  " + kWords[(i + 3) % 8] +
                                 std::string(1 + i % 3, ' ') + "\t \n";
                        }),
               [](std::string& t) { core::RemoveUnnecessarySpaces(t, {0, 0}, Continue); },
               "sed 's/^[ \\t]*//; s/[ \\t]*$//' IN > OUT"});
  w.push_back({"Upcase selection        " + label,
               Generate(size, [](std::size_t i) { return std::string(kWords[i % 8]) + " \xE4\xDF 42\n"; }),
               [](std::string& t) {
                 core::UpcaseSelection(t, {0, static_cast<core::TextPos>(t.size())});
               },
               "tr a-z A-Z < IN > OUT"});
  return w;
}

std::string Substitute(std::string cmd, const std::string& in, const std::string& out) {
  for (auto [key, value] : {std::pair{std::string("IN"), in}, std::pair{std::string("OUT"), out}}) {
    const auto p = cmd.find(key);
    cmd.replace(p, key.size(), "'" + value + "'");
  }
  return cmd;
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path();
  const fs::path in = dir / "quillon_textops_bench_in.txt";
  const fs::path out = dir / "quillon_textops_bench_out.txt";
  std::printf("%-32s %10s %10s %7s  %s\n", "operation", "ours ms", "peer ms", "ratio", "same output");
  bool allSame = true;
  double worst = 0;
  for (const auto& [size, label, reps] :
       {std::tuple{std::size_t{1} << 20, std::string("1 MB"), 5}, std::tuple{std::size_t{10} << 20, std::string("10 MB"), 3}}) {
    for (const Workload& w : Workloads(size, label)) {
      WriteFile(in, w.input);
      const std::string cmd = Substitute(w.peer, in.string(), out.string());
      double ours = 1e9, peer = 1e9;
      std::string result;
      for (int r = 0; r < reps; ++r) {
        std::string text = w.input;
        const auto t0 = Clock::now();
        w.ours(text);
        ours = std::min(ours, Seconds(Clock::now() - t0));
        result = std::move(text);
        const auto t1 = Clock::now();
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "peer failed: %s\n", cmd.c_str());
        peer = std::min(peer, Seconds(Clock::now() - t1));
      }
      const bool same = ReadFile(out) == result;
      allSame = allSame && same;
      worst = std::max(worst, ours / peer);
      std::printf("%-32s %10.2f %10.2f %7.3f  %s\n", w.name.c_str(), ours * 1e3, peer * 1e3, ours / peer,
                  same ? "yes" : "NO");
    }
  }
  fs::remove(in);
  fs::remove(out);
  std::printf("worst ratio ours/peer: %.3f (target <= 2)%s\n", worst, allSame ? "" : "; outputs differ!");
  return allSame ? 0 : 1;
}
