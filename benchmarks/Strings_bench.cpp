// UtilStr appends and copies against std::string, and HashText against the standard library's
// string hash.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "benchmarks/BenchRatio.h"
#include "utility/TextFunctions.h"
#include "utility/UtilStr.h"

namespace {

// A piece the size of a debug-listing item, appended repeatedly as the listings do.
constexpr char kPiece[] = "track 'Intro', 03:25; ";
constexpr int32_t kPieceLength = sizeof(kPiece) - 1;

void BM_UtilStrAppend(benchmark::State& state) {
  const int64_t pieces = state.range(0);
  for (auto _ : state) {
    UtilStr text;
    for (int64_t i = 0; i < pieces; ++i) text.Append(kPiece, kPieceLength);
    benchmark::DoNotOptimize(text.Text());
  }
}
BENCHMARK(BM_UtilStrAppend)->Arg(8)->Arg(1000);

void BM_StdStringAppend(benchmark::State& state) {
  const int64_t pieces = state.range(0);
  for (auto _ : state) {
    std::string text;
    for (int64_t i = 0; i < pieces; ++i) text.append(kPiece, kPieceLength);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_StdStringAppend)->Arg(8)->Arg(1000);

void BM_UtilStrAppendChar(benchmark::State& state) {
  for (auto _ : state) {
    UtilStr text;
    for (int i = 0; i < 1000; ++i) text.AppendChar(static_cast<char>('a' + i % 26));
    benchmark::DoNotOptimize(text.Text());
  }
}
BENCHMARK(BM_UtilStrAppendChar);

void BM_StdStringPushBack(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text.push_back(static_cast<char>('a' + i % 26));
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_StdStringPushBack);

// Copies of a path-sized text, as containers and records take them: UtilStr shares the block,
// std::string copies the bytes.
const std::string kPath(200, 'p');

void BM_UtilStrCopy(benchmark::State& state) {
  const UtilStr original(kPath.data(), static_cast<int32_t>(kPath.size()));
  for (auto _ : state) {
    UtilStr copy(original);
    benchmark::DoNotOptimize(copy.Text());
  }
}
BENCHMARK(BM_UtilStrCopy);

void BM_StdStringCopy(benchmark::State& state) {
  const std::string original = kPath;
  for (auto _ : state) {
    std::string copy(original);
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_StdStringCopy);

std::string HashInput(int64_t length) {
  std::string text;
  for (int64_t i = 0; i < length; ++i) text.push_back(static_cast<char>('A' + i * 7 % 50));
  return text;
}

void BM_HashText(benchmark::State& state) {
  const std::string text = HashInput(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(HashText(text.data(), static_cast<int32_t>(text.size()), true));
  }
}
BENCHMARK(BM_HashText)->Arg(12)->Arg(256);

void BM_HashTextFolded(benchmark::State& state) {
  const std::string text = HashInput(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(HashText(text.data(), static_cast<int32_t>(text.size()), false));
  }
}
BENCHMARK(BM_HashTextFolded)->Arg(12)->Arg(256);

void BM_StdHash(benchmark::State& state) {
  const std::string text = HashInput(state.range(0));
  const std::hash<std::string_view> hash;
  for (auto _ : state) benchmark::DoNotOptimize(hash(std::string_view(text)));
}
BENCHMARK(BM_StdHash)->Arg(12)->Arg(256);

}  // namespace

NV_BENCHMARK_RATIO("UtilStr append 8 pieces vs std::string", "BM_UtilStrAppend/8",
                   "BM_StdStringAppend/8");
NV_BENCHMARK_RATIO("UtilStr append 1000 pieces vs std::string", "BM_UtilStrAppend/1000",
                   "BM_StdStringAppend/1000");
NV_BENCHMARK_RATIO("UtilStr AppendChar x1000 vs std::string push_back", "BM_UtilStrAppendChar",
                   "BM_StdStringPushBack");
NV_BENCHMARK_RATIO("UtilStr copy 200 bytes vs std::string", "BM_UtilStrCopy", "BM_StdStringCopy");
NV_BENCHMARK_RATIO("HashText 12 bytes vs std::hash", "BM_HashText/12", "BM_StdHash/12");
NV_BENCHMARK_RATIO("HashText 256 bytes vs std::hash", "BM_HashText/256", "BM_StdHash/256");
NV_BENCHMARK_RATIO("HashText folded 256 bytes vs std::hash", "BM_HashTextFolded/256",
                   "BM_StdHash/256");
