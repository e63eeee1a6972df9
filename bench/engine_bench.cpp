// A simulated 8-hour working day through the whole core on fake ports: start-up, the engine's
// tick every minute, idle credits and resets, reminders and chimes, countdowns and breaks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "fakes.hpp"
#include "stats/history.hpp"

namespace {

using tavu::Engine;
using tavu::fake::Rig;

constexpr uint64_t kMin = 60'000;
constexpr int kDayMinutes = 8 * 60;

// 'a' a minute of work, '.' a minute away: mostly work, short pauses now and then, two longer
// ones in the morning and afternoon and a lunch break. The same day for every run.
std::string WorkingDay() {
  std::string day;
  uint32_t seed = 20261209;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  while (static_cast<int>(day.size()) < kDayMinutes) {
    const int minute = static_cast<int>(day.size());
    if (minute == 100 || minute == 330) {
      day += std::string(8, '.');  // coffee, a colleague
    } else if (minute == 210) {
      day += std::string(45, '.');  // lunch
    } else {
      const uint32_t r = next() % 100;
      day += r < 6 ? std::string(1 + r % 3, '.') : std::string(1, 'a');
    }
  }
  day.resize(kDayMinutes);
  return day;
}

// Stands in for the countdown window and the break screen: hands the countdown over after its
// 60 s, takes the break to its end, and reports both to the engine as those windows do.
class BreakWindows : public tavu::TimerSink {
 public:
  explicit BreakWindows(Rig& rig) : rig_(rig) {
    rig.engine_actions.on_request = [this](const std::string& what) {
      if (what.rfind("Countdown", 0) == 0) rig_.loop.Start(*this, kCountdown, 60'000);
      if (what == "BreakScreen") {
        length_ = static_cast<uint32_t>(rig_.app.plans().Applied().BreakMins) * 60;
        rig_.app.engine().BreakScreenOpened(false);
        rig_.loop.Start(*this, kBreak, length_ * 1000);
      }
    };
  }
  void OnTimer(int id) override {
    rig_.loop.Stop(*this, id);
    Engine& engine = rig_.app.engine();
    if (id == kCountdown) {
      engine.CountdownEnded(false, 0, false);
      engine.CountdownClosed();
    } else {
      engine.BreakLeft(false, 0, length_);
    }
  }

 private:
  static constexpr int kCountdown = 1;
  static constexpr int kBreak = 2;
  Rig& rig_;
  uint32_t length_ = 0;
};

void RunDay(Rig& rig, const std::string& day) {
  tavu::Settings& s = rig.app.settings();
  s.RemindOnHalfHour = true;
  s.RemindOnce1 = true;
  s.HourOfRemindOnce1 = 12;
  s.MinOfRemindOnce1 = 0;
  rig.app.Start();
  for (char c : day) {
    rig.loop.Advance(kMin / 2);
    if (c == 'a') rig.loop.Input();
    rig.loop.Advance(kMin / 2);
  }
}

void BM_SimulatedWorkingDay(benchmark::State& state) {
  const std::string day = WorkingDay();
  std::size_t breaks = 0, records = 0, requests = 0;
  for (auto _ : state) {
    Rig rig;
    BreakWindows windows(rig);
    RunDay(rig, day);
    breaks = rig.app.engine().Values().CycleNo - 1u;
    records = 0;
    for (const auto& cycle : rig.app.log().Cycles()) records += cycle.size();
    requests = rig.engine_actions.requests.size();
    benchmark::DoNotOptimize(rig.app.engine().Values().TiredIndexCarry);
  }
  state.counters["breaks"] = static_cast<double>(breaks);
  state.counters["log_records"] = static_cast<double>(records);
  state.counters["requests"] = static_cast<double>(requests);
  state.SetLabel("time per simulated 8-hour day");
}
BENCHMARK(BM_SimulatedWorkingDay)->Unit(benchmark::kMillisecond);

// The history page rebuilds every line of the log at each refresh.
void BM_HistoryOfADay(benchmark::State& state) {
  Rig rig;
  BreakWindows windows(rig);
  RunDay(rig, WorkingDay());
  const tavu::DateTimeFormat format;
  std::vector<std::string> lines;
  for (auto _ : state) {
    lines.clear();
    for (const auto& cycle : rig.app.log().Cycles())
      for (const auto& r : cycle)
        tavu::AppendEventLine(lines, rig.loop, format, r.Kind, r.StartTick, r.Value, r.EndTick);
    benchmark::DoNotOptimize(lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_HistoryOfADay)->Unit(benchmark::kMicrosecond);

}  // namespace
