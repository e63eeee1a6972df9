#include <benchmark/benchmark.h>

#include <cstdint>

#include "breaks/interfaces.hpp"
#include "recording_canvas.hpp"

namespace {

// A cheap generator, so the measurement is the painting and not the random source.
class XorShiftRandom : public tavu::Random {
 public:
  void Randomize() override {}
  int Next(int n) override {
    if (n <= 0) return 0;
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<int>(state_ % static_cast<uint64_t>(n));
  }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Args: interface index, width, height.
void BM_InterfacePaint(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  const tavu::Size size{static_cast<int>(state.range(1)), static_cast<int>(state.range(2))};
  tavu::fake::RecordingCanvas canvas;
  XorShiftRandom random;
  size_t calls = 0;
  for (auto _ : state) {
    canvas.Clear();
    tavu::DrawBreakInterface(canvas, index, size, random);
    calls = canvas.calls.size();
    benchmark::DoNotOptimize(canvas.calls.data());
  }
  state.counters["canvas_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_InterfacePaint)
    ->ArgNames({"interface", "w", "h"})
    ->ArgsProduct({benchmark::CreateDenseRange(2, 13, 1), {1920}, {1080}})
    ->ArgsProduct({benchmark::CreateDenseRange(2, 13, 1), {3840}, {2160}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
