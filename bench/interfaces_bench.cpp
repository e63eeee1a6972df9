#include <benchmark/benchmark.h>

#include <cstdint>

#include "recording_canvas.hpp"
#include "windows/break_screen/interfaces.hpp"
#include "xorshift_random.hpp"

namespace {

using tavu::bench::XorShiftRandom;

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
