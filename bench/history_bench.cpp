// The history database: writing records as the program does (one synced transaction per open
// and per close), and the statistics window's history page (the query of fourteen days and the
// chart) over a year of history.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "fakes.hpp"
#include "history/day_chart.hpp"
#include "history/day_totals.hpp"
#include "history/history_db.hpp"
#include "recording_canvas.hpp"

namespace {

namespace fs = std::filesystem;
using tavu::DateTime;
constexpr int64_t kMin = 60'000, kDay = 86'400'000;

struct Folder {
  fs::path path;
  Folder() {
    std::random_device rd;
    path = fs::temp_directory_path() / ("tavu-history-bench-" + std::to_string(rd()));
    fs::create_directories(path);
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

// `records` records, a run a day and a record every few minutes of its working hours, ending
// today: a break of five minutes after every nine idle stretches.
void Fill(tavu::HistoryDb& db, int records, int64_t today) {
  const int per_day = records / 365 + 1;
  int written = 0;
  for (int64_t day = today - 364; day <= today && written < records; ++day) {
    const int64_t start = day * kDay + 8 * 60 * kMin;
    const int64_t run = db.BeginRun(DateTime{start}, 0);
    int64_t t = start;
    for (uint32_t i = 0; i < static_cast<uint32_t>(per_day) && written < records; ++i, ++written) {
      const uint8_t kind = i % 10 == 9 ? tavu::kEventScheduledBreak : tavu::kEventIdle;
      const int64_t span = i % 10 == 9 ? 5 * kMin : 2 * kMin;
      const auto tick = static_cast<uint64_t>(t - start);
      db.Insert(run, i / 10, i % 10, kind, 0, DateTime{t}, tick, DateTime{t});
      db.Update(run, i / 10, i % 10, 100, DateTime{t + span}, tick + static_cast<uint64_t>(span),
                DateTime{t + span});
      t += span + kMin;
    }
  }
}

void BM_HistoryWriteRecords(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Folder folder;
    tavu::fake::FakeFiles files;
    tavu::HistoryDb db{files};
    db.Open((folder.path / "h.db").string(), DateTime{});
    const auto begin = std::chrono::steady_clock::now();
    Fill(db, records, 20'000);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - begin;
    state.counters["per_record_us"] = took.count() / records;
    db.Close();
    state.counters["file_KiB"] = static_cast<double>(fs::file_size(folder.path / "h.db")) / 1024;
  }
}
BENCHMARK(BM_HistoryWriteRecords)->Arg(100'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_HistoryPageOfAYear(benchmark::State& state) {
  Folder folder;
  tavu::fake::FakeFiles files;
  tavu::HistoryDb db{files};
  db.Open((folder.path / "h.db").string(), DateTime{});
  const int64_t today = 20'000;
  Fill(db, static_cast<int>(state.range(0)), today);
  for (auto _ : state) {
    const auto days = tavu::RecentDays(db, today, 14);
    tavu::fake::RecordingCanvas canvas;
    tavu::DrawDayChart(canvas, {592, 220}, 96, days);
    benchmark::DoNotOptimize(canvas);
  }
}
BENCHMARK(BM_HistoryPageOfAYear)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
