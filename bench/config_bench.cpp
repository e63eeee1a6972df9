#include <benchmark/benchmark.h>

#include "settings/config_file.hpp"

namespace {

void BM_ConfigRoundTrip(benchmark::State& state) {
  tavu::Settings s;
  for (auto _ : state) {
    std::string bytes = tavu::EncodeConfig(s);
    tavu::DecodeConfig(bytes, s);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ConfigRoundTrip);

}  // namespace
