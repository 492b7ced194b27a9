// IntTable and StrTable, filled from empty and looked up, against std::unordered_map with the
// same keys and values.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "benchmarks/BenchRatio.h"
#include "utility/IntTable.h"
#include "utility/StrTable.h"
#include "utility/UtilStr.h"

namespace {

constexpr int kEntries = 1000;

// Keys as the tables see them in use: token indices, pointers and four-character codes are
// spread out, so the integer keys are a scattered sequence.
std::vector<uint64_t> IntegerKeys() {
  std::vector<uint64_t> keys;
  for (uint64_t i = 0; i < kEntries; ++i) keys.push_back(i * 0x9E3779B1u + 0x57696E64u);
  return keys;
}

// Dotted setting names like those of the product information file.
std::vector<std::string> TextKeys() {
  std::vector<std::string> keys;
  for (int i = 0; i < kEntries; ++i) keys.push_back("Graphics.Setting." + std::to_string(i));
  return keys;
}

std::vector<UtilStr> AsUtilStrs(const std::vector<std::string>& keys) {
  std::vector<UtilStr> result;
  for (const std::string& key : keys) result.emplace_back(key.data(), int32_t(key.size()));
  return result;
}

void BM_IntTableSet(benchmark::State& state) {
  const std::vector<uint64_t> keys = IntegerKeys();
  for (auto _ : state) {
    IntTable table;
    for (size_t i = 0; i < keys.size(); ++i) table.Set(keys[i], int64_t(i), 4);
    benchmark::DoNotOptimize(table.Count());
  }
}
BENCHMARK(BM_IntTableSet);

void BM_UnorderedMapIntSet(benchmark::State& state) {
  const std::vector<uint64_t> keys = IntegerKeys();
  for (auto _ : state) {
    std::unordered_map<uint64_t, int64_t> map;
    for (size_t i = 0; i < keys.size(); ++i) map[keys[i]] = int64_t(i);
    benchmark::DoNotOptimize(map.size());
  }
}
BENCHMARK(BM_UnorderedMapIntSet);

void BM_IntTableGet(benchmark::State& state) {
  const std::vector<uint64_t> keys = IntegerKeys();
  IntTable table;
  for (size_t i = 0; i < keys.size(); ++i) table.Set(keys[i], int64_t(i), 4);
  for (auto _ : state) {
    int64_t sum = 0;
    for (uint64_t key : keys) {
      int64_t value = 0;
      table.Get(key, &value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_IntTableGet);

void BM_UnorderedMapIntGet(benchmark::State& state) {
  const std::vector<uint64_t> keys = IntegerKeys();
  std::unordered_map<uint64_t, int64_t> map;
  for (size_t i = 0; i < keys.size(); ++i) map[keys[i]] = int64_t(i);
  for (auto _ : state) {
    int64_t sum = 0;
    for (uint64_t key : keys) {
      auto found = map.find(key);
      sum += found != map.end() ? found->second : 0;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_UnorderedMapIntGet);

void BM_StrTableSet(benchmark::State& state) {
  const std::vector<UtilStr> keys = AsUtilStrs(TextKeys());
  for (auto _ : state) {
    StrTable table;
    for (size_t i = 0; i < keys.size(); ++i) table.Set(keys[i], int64_t(i), 4);
    benchmark::DoNotOptimize(table.Count());
  }
}
BENCHMARK(BM_StrTableSet);

void BM_UnorderedMapStrSet(benchmark::State& state) {
  const std::vector<std::string> keys = TextKeys();
  for (auto _ : state) {
    std::unordered_map<std::string, int64_t> map;
    for (size_t i = 0; i < keys.size(); ++i) map[keys[i]] = int64_t(i);
    benchmark::DoNotOptimize(map.size());
  }
}
BENCHMARK(BM_UnorderedMapStrSet);

void BM_StrTableGet(benchmark::State& state) {
  const std::vector<std::string> names = TextKeys();
  const std::vector<UtilStr> keys = AsUtilStrs(names);
  StrTable table;
  for (size_t i = 0; i < keys.size(); ++i) table.Set(keys[i], int64_t(i), 4);
  for (auto _ : state) {
    int64_t sum = 0;
    for (const std::string& name : names) {
      int64_t value = 0;
      table.Get(name.data(), int32_t(name.size()), &value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_StrTableGet);

void BM_UnorderedMapStrGet(benchmark::State& state) {
  const std::vector<std::string> names = TextKeys();
  std::unordered_map<std::string, int64_t> map;
  for (size_t i = 0; i < names.size(); ++i) map[names[i]] = int64_t(i);
  for (auto _ : state) {
    int64_t sum = 0;
    for (const std::string& name : names) {
      auto found = map.find(name);
      sum += found != map.end() ? found->second : 0;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_UnorderedMapStrGet);

NV_BENCHMARK_RATIO("IntTable set 1000 vs unordered_map", "BM_IntTableSet", "BM_UnorderedMapIntSet");
NV_BENCHMARK_RATIO("IntTable get 1000 vs unordered_map", "BM_IntTableGet", "BM_UnorderedMapIntGet");
NV_BENCHMARK_RATIO("StrTable set 1000 vs unordered_map", "BM_StrTableSet", "BM_UnorderedMapStrSet");
NV_BENCHMARK_RATIO("StrTable get 1000 vs unordered_map", "BM_StrTableGet", "BM_UnorderedMapStrGet");

}  // namespace
