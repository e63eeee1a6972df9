#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "fakes.hpp"
#include "history/day_chart.hpp"
#include "history/day_totals.hpp"
#include "history/history_db.hpp"
#include "history/recorder.hpp"
#include "windows/statistics/stat_form.hpp"

namespace tavu {
namespace {

namespace fs = std::filesystem;
constexpr int64_t kHour = 3'600'000, kMin = 60'000, kDay = 24 * kHour;

// A fresh folder per test, removed afterwards.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::random_device rd;
    path = fs::temp_directory_path() /
           ("tavu-history-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    fs::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  std::string File(std::string_view name) const { return (path / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The files port on the real disk, for what the history asks of it (the database is a real file).
struct DiskFiles : fake::FakeFiles {
  bool Exists(std::string_view path) override { return fs::exists(fs::path(path)); }
  bool Rename(std::string_view from, std::string_view to) override {
    std::error_code ec;
    if (fs::exists(fs::path(to))) return false;
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
  }
};
DiskFiles& Disk() {
  static DiskFiles files;
  return files;
}

// Local wall-clock milliseconds of a day in December 2026 and a time of it.
int64_t At(int day, int hour, int minute = 0) {
  return DateTime::FromLocal({2026, 12, day, hour, minute, 0, 0}).ms;
}
int64_t DayNo(int day) { return At(day, 0) / kDay; }

struct Record {
  uint8_t kind;
  int64_t start;
  int64_t span;  // -1: never closed
  uint8_t value = 0;
};
struct WrittenRun {
  int64_t start, last;
  std::vector<Record> records;
};

// Writes runs as the recorder would: the run, each record opened, then closed after its span.
void WriteRuns(HistoryDb& db, const std::vector<WrittenRun>& runs) {
  for (const WrittenRun& run : runs) {
    const int64_t id = db.BeginRun(DateTime{run.start}, 0);
    ASSERT_NE(id, 0);
    uint32_t index = 0;
    for (const Record& r : run.records) {
      const uint64_t tick = static_cast<uint64_t>(r.start - run.start);
      ASSERT_TRUE(db.Insert(id, 0, index, r.kind, 0, DateTime{r.start}, tick, DateTime{r.start}));
      if (r.span >= 0) {
        ASSERT_TRUE(db.Update(id, 0, index, r.value, DateTime{r.start + r.span},
                              tick + static_cast<uint64_t>(r.span), DateTime{r.start + r.span}));
      }
      ++index;
    }
    ASSERT_TRUE(db.Touch(id, DateTime{run.last}));
  }
}

TEST(HistoryDays, AggregatesByLocalDayAcrossMidnightSleepsAndRestarts) {
  struct Expect {
    int day;
    int64_t run, rest;
    int breaks = 0, early = 0, deferred = 0, pauses = 0;
  };
  struct Case {
    const char* name;
    std::vector<WrittenRun> runs;
    std::vector<Expect> days;  // the shown days 9 and 10; others zero
  };
  const Case cases[] = {
      {"a working day with a full break and one left early",
       {{At(9, 9),
         At(9, 17),
         {{kEventScheduledBreak, At(9, 10), 5 * kMin, 100},
          {kEventManualBreak, At(9, 14), 2 * kMin, 140}}}},
       {{9, 8 * kHour, 7 * kMin, 2, 1}, {10, 0, 0}}},
      {"a run across midnight counts on both days",
       {{At(9, 22), At(10, 2), {}}},
       {{9, 2 * kHour, 0}, {10, 2 * kHour, 0}}},
      {"a break across midnight rests on both days and counts on the day it began",
       {{At(9, 23), At(10, 1), {{kEventScheduledBreak, At(9, 23, 50), 20 * kMin, 100}}}},
       {{9, kHour, 10 * kMin, 1}, {10, kHour, 10 * kMin}}},
      {"standby overnight is rest, split at midnight",
       {{At(9, 20), At(10, 8), {{kEventOutsideStandBy, At(9, 22), 10 * kHour}}}},
       {{9, 4 * kHour, 2 * kHour}, {10, 8 * kHour, 8 * kHour}}},
      {"standby begun in a break is the break's already",
       {{At(9, 20),
         At(9, 23),
         {{kEventScheduledBreak, At(9, 21), 30 * kMin, 100},
          {kEventOutsideStandBy, At(9, 21, 10), 10 * kMin, 99}}}},
       {{9, 3 * kHour, 30 * kMin, 1}, {10, 0, 0}}},
      {"two runs of a day (a restart) add up",
       {{At(9, 8), At(9, 12), {{kEventIdle, At(9, 11), 30 * kMin}}},
        {At(9, 13), At(9, 17), {{kEventPause, At(9, 14), 20 * kMin}}}},
       {{9, 8 * kHour, 30 * kMin, 0, 0, 0, 1}, {10, 0, 0}}},
      {"a record a crash left open is no rest; the run ends with its last write",
       {{At(10, 9), At(10, 10), {{kEventIdle, At(10, 10), -1}}}},
       {{9, 0, 0}, {10, kHour, 0}}},
      {"deferrals count on the day they began",
       {{At(9, 23),
         At(10, 1),
         {{kEventBreakDeferred, At(9, 23, 30), 40 * kMin, kDeferPresenting},
          {kEventBreakDeferred, At(10, 0, 30), 10 * kMin, kDeferCall}}}},
       {{9, kHour, 0, 0, 0, 1}, {10, kHour, 0, 0, 0, 1}}},
      {"idle time within a deferral is work, the rest of the idle stretch rest",
       {{At(9, 9),
         At(9, 12),
         {{kEventBreakDeferred, At(9, 10), 20 * kMin, kDeferPresenting},
          {kEventIdle, At(9, 10, 10), 30 * kMin}}}},
       {{9, 3 * kHour, 20 * kMin, 0, 0, 1}, {10, 0, 0}}},
      {"the clock set back after midnight: records go to the day their wall clock shows",
       // Started 22:00 on the 9th, the clock went from 0:30 back to 23:30, the last write at
       // 0:20 by the new clock; a break at 23:45 by the new clock is the 9th's.
       {{At(9, 22), At(10, 0, 20), {{kEventManualBreak, At(9, 23, 45), 10 * kMin, 100}}}},
       {{9, 2 * kHour, 10 * kMin, 1}, {10, 20 * kMin, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    HistoryDb db{Disk()};
    ASSERT_EQ(db.Open(folder.File("h.db"), DateTime{At(10, 12)}), HistoryDb::Opened::Ready);
    WriteRuns(db, c.runs);
    const std::vector<DayTotals> days = RecentDays(db, DayNo(10), 3);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0], DayTotals{DayNo(8)});
    for (const Expect& e : c.days) {
      const DayTotals& d = days[static_cast<std::size_t>(e.day - 8)];
      SCOPED_TRACE(e.day);
      EXPECT_EQ(d.day, DayNo(e.day));
      EXPECT_EQ(d.run_ms, e.run);
      EXPECT_EQ(d.rest_ms, e.rest);
      EXPECT_EQ(d.breaks, e.breaks);
      EXPECT_EQ(d.early, e.early);
      EXPECT_EQ(d.deferred, e.deferred);
      EXPECT_EQ(d.pauses, e.pauses);
    }
  }
}

TEST(HistoryDays, ScoreIsTheRestShareScoreAndAbsentWithoutARun) {
  EXPECT_EQ(DayTotals{}.Score(), -1);
  // 10 % rest scores 60, as the health page's rest share does.
  EXPECT_EQ((DayTotals{0, 10 * kHour, kHour}).Score(), 60);
  EXPECT_EQ((DayTotals{0, 10 * kHour, kHour}).WorkMs(), 9 * kHour);
}

TEST(HistoryDb, MigratesAFileOfTheFirstSchemaKeepingItsRecords) {
  TempFolder folder;
  const std::string path = folder.File("old.db");
  {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    const std::string sql =
        HistoryDb::SchemaSteps()[0] + "PRAGMA user_version = 1;" + "INSERT INTO runs VALUES(1, " +
        std::to_string(At(9, 8)) + ", 0, " + std::to_string(At(9, 12)) + ");" +
        // A break of 15 minutes and one still open: the end is made from the ticks.
        "INSERT INTO records VALUES(1, 0, 0, 11, 100, " + std::to_string(At(9, 10)) +
        ", 7200000, 8100000);" + "INSERT INTO records VALUES(1, 0, 1, 8, 0, " +
        std::to_string(At(9, 11)) + ", 10800000, NULL);";
    ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
  }
  HistoryDb db{Disk()};
  ASSERT_EQ(db.Open(path, DateTime{At(10, 9)}), HistoryDb::Opened::Ready);
  EXPECT_EQ(db.AllRows(), (std::vector<HistoryRow>{
                              {1, kEventScheduledBreak, 100, At(9, 10), At(9, 10, 15), 15 * kMin},
                              {1, kEventIdle, 0, At(9, 11), 0, -1},
                          }));
  // New writes take the new column.
  const int64_t run = db.BeginRun(DateTime{At(10, 9)}, 0);
  ASSERT_TRUE(db.Insert(run, 0, 0, kEventManualBreak, 0, DateTime{At(10, 9)}, 0, DateTime{}));
  ASSERT_TRUE(db.Update(run, 0, 0, 100, DateTime{At(10, 9, 5)}, 5 * kMin, DateTime{}));
  EXPECT_EQ(db.AllRows().back(),
            (HistoryRow{run, kEventManualBreak, 100, At(10, 9), At(10, 9, 5), 5 * kMin}));
  db.Close();
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(raw, "PRAGMA user_version", -1, &s, nullptr);
  ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(s, 0), HistoryDb::kVersion);
  sqlite3_finalize(s);
  sqlite3_close(raw);
}

TEST(HistoryDb, LeavesAFileOfANewerSchemaAlone) {
  TempFolder folder;
  const std::string path = folder.File("new.db");
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  sqlite3_exec(raw, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  HistoryDb db{Disk()};
  EXPECT_EQ(db.Open(path, DateTime{At(10, 9)}), HistoryDb::Opened::Failed);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"new.db"});
}

// The program as it runs: the recorder fed by the event log, on the virtual clock.
struct RecorderRig {
  TempFolder folder;
  fake::VirtualLoop loop;
  Settings settings;
  EventLog log{loop, loop};
  HistoryRecorder recorder{loop, Disk(), settings, log};
  int notices = 0;
  RecorderRig() {
    loop.wall_at_zero = {2026, 12, 10, 8, 0, 0, 0};
    log.SetSink(&recorder);
    recorder.OnReplaced([this] { ++notices; });
  }
  std::string Path() const { return folder.File(HistoryRecorder::kFileName); }
  void Garbage() {
    std::ofstream(Path(), std::ios::binary) << std::string(5000, 'x') << "not a database";
  }
};

TEST(HistoryRecorder, WritesRecordsAsTheyOpenAndCloseIncludingThoseFromBeforeTheStart) {
  RecorderRig rig;
  rig.log.LogEvent(true, true, 0, kEventProgramStart, true);  // before the file is known
  rig.recorder.Start(rig.Path());
  rig.loop.Advance(10 * kMin);
  rig.log.LogEvent(false, true, 0, kEventScheduledBreak, true);
  ASSERT_NE(rig.recorder.db(), nullptr);
  EXPECT_EQ(rig.recorder.db()->AllRows().back().span, -1);
  rig.loop.Advance(5 * kMin);
  rig.log.LogEvent(false, false, 100, kEventKeyBreak, true);
  const auto rows = rig.recorder.db()->AllRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].kind, kEventProgramStart);
  const int64_t start = DateTime::FromLocal(rig.loop.Now()).ms - 15 * kMin;
  EXPECT_EQ(rows[1], (HistoryRow{rows[1].run, kEventScheduledBreak, 100, start + 10 * kMin,
                                 start + 15 * kMin, 5 * kMin}));
}

TEST(HistoryRecorder, KeepsNothingWhileSwitchedOff) {
  RecorderRig rig;
  rig.settings.KeepHistory = false;
  rig.recorder.Start(rig.Path());
  rig.log.LogEvent(true, true, 0, kEventProgramStart, true);
  rig.log.LogEvent(false, true, 0, kEventManualBreak, true);
  EXPECT_EQ(rig.recorder.db(), nullptr);
  EXPECT_FALSE(fs::exists(rig.Path()));
}

TEST(HistoryRecorder, ARestartAddsToTheSameDays) {
  RecorderRig rig;
  for (int run = 0; run < 2; ++run) {
    EventLog log{rig.loop, rig.loop};
    HistoryRecorder recorder{rig.loop, Disk(), rig.settings, log};
    log.SetSink(&recorder);
    log.LogEvent(true, true, 0, kEventProgramStart, true);
    recorder.Start(rig.Path());
    rig.loop.Advance(kHour);
    log.LogEvent(false, true, 0, kEventManualBreak, true);
    rig.loop.Advance(10 * kMin);
    log.LogEvent(false, false, 100, kEventKeyBreak, true);
    rig.loop.Advance(50 * kMin);
    recorder.Stop();
    rig.loop.Advance(kHour);  // not running
  }
  HistoryDb db{Disk()};
  ASSERT_EQ(db.Open(rig.Path(), DateTime{}), HistoryDb::Opened::Ready);
  const auto days = RecentDays(db, DayNo(10), 1);
  EXPECT_EQ(days[0].run_ms, 4 * kHour);
  EXPECT_EQ(days[0].rest_ms, 20 * kMin);
  EXPECT_EQ(days[0].breaks, 2);
}

TEST(HistoryRecorder, MovesADamagedFileAsideStartsANewOneAndSaysSoOnce) {
  RecorderRig rig;
  rig.Garbage();
  rig.log.LogEvent(true, true, 0, kEventProgramStart, true);
  rig.recorder.Start(rig.Path());
  EXPECT_EQ(rig.notices, 1);
  const std::string aside = std::string(HistoryRecorder::kFileName) + ".damaged-20261210-080000";
  const auto names = rig.folder.Names();
  ASSERT_NE(std::find(names.begin(), names.end(), aside), names.end());
  std::ifstream moved(rig.folder.File(aside), std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(moved)), {});
  EXPECT_EQ(content.substr(content.size() - 14), "not a database");
  // The new file works, and nothing more is said.
  rig.log.LogEvent(false, true, 0, kEventManualBreak, true);
  ASSERT_NE(rig.recorder.db(), nullptr);
  EXPECT_EQ(rig.recorder.db()->AllRows().size(), 2u);
  EXPECT_EQ(rig.notices, 1);
}

TEST(HistoryRecorder, RemovesWhatIsOlderThanTheDaysKept) {
  RecorderRig rig;
  rig.settings.KeepHistoryDays = 30;
  {
    HistoryDb db{Disk()};
    ASSERT_EQ(db.Open(rig.Path(), DateTime{}), HistoryDb::Opened::Ready);
    WriteRuns(db, {{At(10, 8) - 400 * kDay,
                    At(10, 9) - 400 * kDay,
                    {{kEventManualBreak, At(10, 8) - 400 * kDay, kMin, 100}}},
                   {At(10, 8) - 30 * kDay,
                    At(10, 9) - 30 * kDay,
                    {{kEventManualBreak, At(10, 8) - 30 * kDay, kMin, 100}}},
                   {At(10, 8) - 29 * kDay,
                    At(10, 9) - 29 * kDay,
                    {{kEventManualBreak, At(10, 8) - 29 * kDay, kMin, 100}}}});
  }
  rig.recorder.Start(rig.Path());
  rig.log.LogEvent(true, true, 0, kEventProgramStart, true);
  const auto rows = rig.recorder.db()->AllRows();
  ASSERT_EQ(rows.size(), 2u);  // the 29th day back and today's
  EXPECT_EQ(rows[0].start, At(10, 8) - 29 * kDay);
  EXPECT_EQ(rig.recorder.db()->Runs(DateTime{0}, DateTime{At(11, 0)}).size(), 2u);
}

TEST(HistoryCsv, QuotesTextsWithCommasQuotesAndLineBreaks) {
  const struct {
    std::string_view text, field;
  } cases[] = {
      {"手动强制休息", "手动强制休息"},     {"空闲超时,休息重新计时", "\"空闲超时,休息重新计时\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""},
      {"cr\rhere", "\"cr\rhere\""},         {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(HistoryCsv, IsUtf8WithAByteOrderMarkARowPerRecord) {
  const std::vector<HistoryRow> rows = {
      {1, kEventIdleReset, 0, At(9, 8), 0, -1},
      {1, kEventScheduledBreak, 112, At(9, 10), At(9, 10, 5), 5 * kMin},
  };
  EXPECT_EQ(HistoryCsv(rows, DateTimeFormat{}),
            "\xEF\xBB\xBF"
            "开始时间,结束时间,时长(秒),事件,值\r\n"
            "2026/12/9 8:00:00,,,\"空闲超时,休息重新计时\",0\r\n"
            "2026/12/9 10:00:00,2026/12/9 10:05:00,300,计划内强制休息,112\r\n");
}

TEST(HistoryChart, ScaleTopIsAMultipleOfFourAtLeastFour) {
  const struct {
    double highest;
    int top;
  } cases[] = {{0, 4}, {3.9, 4}, {4, 4}, {4.1, 8}, {11.5, 12}, {23, 24}};
  for (const auto& c : cases) EXPECT_EQ(ScaleTop(c.highest), c.top) << c.highest;
}

// The history page of the statistics window, on the program's real recorder.
struct HistoryPageRig : fake::Rig {
  TempFolder folder;
  explicit HistoryPageRig(const std::string& under = "") {
    loop.wall_at_zero = {2026, 12, 10, 8, 0, 0, 0};
    app.KeepHistoryIn(folder.path.string() + "/" + under);
    app.Start();
  }
  TfrmStat& Open() {
    random.values = {0, 0, 0, TfrmStat::kHistoryPage};
    app.ShowStatistics();
    return *app.statistics();
  }
};

TEST(StatHistoryPage, ShowsTheLastFourteenDaysAndExportsTheRecords) {
  HistoryPageRig rig;
  rig.loop.Advance(2 * kHour);
  Engine& engine = rig.app.engine();
  engine.NBreakNowClick();
  engine.CountdownEnded(false, 0, false);
  engine.BreakScreenOpened(false);
  rig.loop.Advance(kMin);
  engine.BreakLeft(false, 240, 300);  // left with four of five minutes to go
  rig.loop.Advance(kHour);
  TfrmStat& window = rig.Open();
  const StatState& s = window.State();
  ASSERT_EQ(s.page, TfrmStat::kHistoryPage);
  EXPECT_TRUE(s.chtDays.visible);
  EXPECT_FALSE(s.lblHistoryNote.visible);
  ASSERT_EQ(s.days.size(), 14u);
  EXPECT_EQ(s.lblDayColumns[0].text, "日期\n工作小时\n休息次数\n提前结束\n推迟\n暂停\n健康得分");
  EXPECT_EQ(s.lblDayColumns[1].text, "11/27\n0.0\n0\n0\n0\n0\n-");
  std::vector<std::string> today;
  std::istringstream lines(s.lblDayColumns[14].text);
  for (std::string line; std::getline(lines, line);) today.push_back(line);
  ASSERT_EQ(today.size(), 7u);
  EXPECT_EQ(today[0], "12/10");
  EXPECT_EQ(today[2], "1");  // the break
  EXPECT_EQ(today[3], "1");  // left early

  const std::string out = "C:\\out\\history.csv";
  rig.dialogs.save_answer.reset();
  window.btnExportClick();  // cancelled
  EXPECT_EQ(rig.files.files.count(out), 0u);
  rig.dialogs.save_answer = out;
  window.btnExportClick();
  ASSERT_EQ(rig.files.files.count(out), 1u);
  EXPECT_NE(rig.files.files[out].find("强制休息,1"), std::string::npos);
  rig.files.fail_writes = true;
  window.btnExportClick();
  EXPECT_EQ(rig.dialogs.shown.back().kind, "warn");
  EXPECT_EQ(rig.dialogs.shown.back().text, "无法保存文件：" + out);
}

TEST(StatHistoryPage, SaysWhyWhenNothingIsKept) {
  HistoryPageRig rig;
  rig.app.settings().KeepHistory = false;
  rig.app.history().Stop();
  const StatState& s = rig.Open().State();
  EXPECT_FALSE(s.chtDays.visible);
  EXPECT_TRUE(s.lblHistoryNote.visible);
  EXPECT_EQ(s.lblHistoryNote.text, TfrmStat::kNoHistoryText);
  EXPECT_FALSE(s.btnExport.enabled);
}

// Kept, but the file cannot be opened (here its folder is missing, as when another program holds
// it or a newer version made it): the page does not say the history is switched off.
TEST(StatHistoryPage, SaysWhenTheFileCannotBeOpened) {
  HistoryPageRig rig("missing/");
  ASSERT_TRUE(rig.app.settings().KeepHistory);
  const StatState& s = rig.Open().State();
  EXPECT_FALSE(s.chtDays.visible);
  EXPECT_TRUE(s.lblHistoryNote.visible);
  EXPECT_EQ(s.lblHistoryNote.text, TfrmStat::kHistoryUnavailableText);
  EXPECT_FALSE(s.btnExport.enabled);
}

}  // namespace
}  // namespace tavu
