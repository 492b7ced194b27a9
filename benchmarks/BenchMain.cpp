// The main of every benchmark program: runs the registered benchmarks as usual, then prints
// one ratio line per declared pair whose two benchmarks both ran.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "benchmarks/BenchRatio.h"

namespace {

// Filled by static initialisers of the benchmark files, so built on first use.
std::vector<BenchmarkRatio>& DeclaredRatios() {
  static std::vector<BenchmarkRatio> ratios;
  return ratios;
}

// Console output as usual, and the smallest per-iteration CPU time of every benchmark name (the
// fastest repetition when repetitions are asked for). CPU time, not wall time: the machines
// these run on are shared, and waiting for a core says nothing about the code.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations <= 0) continue;
      const double seconds = run.cpu_accumulated_time / double(run.iterations);
      if (run.run_type == Run::RT_Iteration) {
        Keep(mSeconds, run.benchmark_name(), seconds);
      } else if (run.aggregate_name == "median") {
        // All there is with --benchmark_report_aggregates_only.
        Keep(mMedians, run.run_name.str(), seconds);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Per benchmark name: the fastest repetition, or else the median of the repetitions.
  std::map<std::string, double> Seconds() const {
    std::map<std::string, double> result = mMedians;
    for (const auto& [name, seconds] : mSeconds) result[name] = seconds;
    return result;
  }

 private:
  static void Keep(std::map<std::string, double>& fastest, const std::string& name,
                   double seconds) {
    auto found = fastest.find(name);
    if (found == fastest.end()) {
      fastest.emplace(name, seconds);
    } else {
      found->second = std::min(found->second, seconds);
    }
  }

  std::map<std::string, double> mSeconds;
  std::map<std::string, double> mMedians;
};

void PrintRatios(const std::map<std::string, double>& seconds) {
  for (const BenchmarkRatio& ratio : BenchmarkRatios()) {
    auto ours = seconds.find(ratio.ours);
    auto reference = seconds.find(ratio.reference);
    if (ours == seconds.end() || reference == seconds.end() || reference->second <= 0) {
      std::fprintf(stderr, "ratio %s: not measured (%s or %s did not run)\n", ratio.what.c_str(),
                   ratio.ours.c_str(), ratio.reference.c_str());
      continue;
    }
    std::printf("ratio %s = %.3f\n", ratio.what.c_str(), ours->second / reference->second);
  }
}

}  // namespace

int RegisterBenchmarkRatio(const char* what, const char* ours, const char* reference) {
  DeclaredRatios().push_back({what, ours, reference});
  return 0;
}

const std::vector<BenchmarkRatio>& BenchmarkRatios() {
  return DeclaredRatios();
}

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::fflush(stdout);
  PrintRatios(reporter.Seconds());
  return 0;
}
