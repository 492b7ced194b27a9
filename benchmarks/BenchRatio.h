// Ratios between two benchmarks of one program, printed after the benchmarks have run as
//   ratio <what> = <ours / reference>
// from the per-iteration times measured in that same run (lower is better).
//
// Declare a pair once per file, next to the BENCHMARK registrations, with the names Google
// Benchmark reports (including any /argument suffix):
//   NV_BENCHMARK_RATIO("spectrum N=512 vs fft8192", "BM_Spectrum/512", "BM_Fft8192");
#pragma once

#include <string>
#include <vector>

struct BenchmarkRatio {
  std::string what;
  std::string ours;
  std::string reference;
};

// Adds a pair to the process-wide list and returns a dummy value, so that a declaration can sit
// at namespace scope.
int RegisterBenchmarkRatio(const char* what, const char* ours, const char* reference);

const std::vector<BenchmarkRatio>& BenchmarkRatios();

#define NV_BENCHMARK_RATIO_CONCAT2(a, b) a##b
#define NV_BENCHMARK_RATIO_CONCAT(a, b) NV_BENCHMARK_RATIO_CONCAT2(a, b)
#define NV_BENCHMARK_RATIO(what, ours, reference)                                           \
  [[maybe_unused]] static const int NV_BENCHMARK_RATIO_CONCAT(nvBenchmarkRatio, __LINE__) = \
      RegisterBenchmarkRatio(what, ours, reference)
