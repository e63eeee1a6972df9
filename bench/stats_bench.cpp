// The statistics window recomputes every figure, the health page and the history text from the
// whole log every 15 s: how long that takes as the log grows.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "fakes.hpp"
#include "stats/figures.hpp"
#include "stats/history.hpp"

namespace {

using tavu::fake::Rig;

// A log of about `records` records: idle stretches, credits and breaks, cycle after cycle.
void FillLog(Rig& rig, int records) {
  tavu::EventLog& log = rig.app.log();
  int n = static_cast<int>(log.Cycles().back().size());
  while (n < records) {
    for (int i = 0; i < 6 && n < records; ++i, n += 2) {
      rig.loop.Advance(7 * 60'000);
      log.LogEvent(false, true, 0, tavu::kEventIdle, true);
      log.LogEvent(false, false, 0, tavu::kEventIdle, true, 3);
    }
    rig.loop.Advance(60'000);
    log.LogEvent(false, true, 0, tavu::kEventScheduledBreak, true);
    rig.loop.Advance(5 * 60'000);
    log.LogEvent(false, false, 120, tavu::kEventKeyBreak, true);
    log.LogEvent(true, true, 0, tavu::kEventNewCycle, true);
    n += 2;
  }
}

void BM_StatisticsRefresh(benchmark::State& state) {
  Rig rig;
  rig.app.Start();
  FillLog(rig, static_cast<int>(state.range(0)));
  const tavu::DateTimeFormat format;
  std::size_t chars = 0;
  // Memory in use after one refresh and after the next: a refresh keeps nothing.
  auto refresh_once = [&] {
    const std::string history = tavu::HistoryText(rig.loop, format, rig.app.log());
    benchmark::DoNotOptimize(history.data());
  };
  refresh_once();
  const std::size_t in_use = mallinfo2().uordblks;
  refresh_once();
  state.counters["heap_growth_bytes"] =
      static_cast<double>(mallinfo2().uordblks) - static_cast<double>(in_use);
  for (auto _ : state) {
    const tavu::StatFigures figures =
        tavu::ComputeFigures(rig.loop, format, rig.app.log(), rig.app.engine());
    const std::string history = tavu::HistoryText(rig.loop, format, rig.app.log());
    const tavu::Health health = tavu::ComputeHealth(tavu::RestMs(rig.app.log(), 5), rig.loop.Tick(),
                                                    rig.app.engine().WorkedPercent(),
                                                    rig.app.engine().Values().TiredIndexCarry);
    chars = history.size();
    benchmark::DoNotOptimize(figures.uncompleted.data());
    benchmark::DoNotOptimize(health.score);
  }
  state.counters["records"] = static_cast<double>(state.range(0));
  state.counters["history_bytes"] = static_cast<double>(chars);
}
BENCHMARK(BM_StatisticsRefresh)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
