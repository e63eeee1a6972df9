#include "history/history_db.hpp"

#include <sqlite3.h>

#include <cstdio>
#include <string_view>

namespace tavu {
namespace {

bool IsDamage(int rc) {
  rc &= 0xFF;
  return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

std::string Stamp(DateTime now) {
  const LocalTime t = now.ToLocal();
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &s_, nullptr); }
  ~Statement() { sqlite3_finalize(s_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return s_; }
  explicit operator bool() const { return s_ != nullptr; }

 private:
  sqlite3_stmt* s_ = nullptr;
};

HistoryRow ReadRow(sqlite3_stmt* s) {
  HistoryRow row;
  row.run = sqlite3_column_int64(s, 0);
  row.kind = static_cast<uint8_t>(sqlite3_column_int(s, 1));
  row.value = static_cast<uint8_t>(sqlite3_column_int(s, 2));
  row.start = sqlite3_column_int64(s, 3);
  if (sqlite3_column_type(s, 5) != SQLITE_NULL) {
    row.end = sqlite3_column_int64(s, 4);
    row.span = sqlite3_column_int64(s, 5);
  }
  return row;
}

constexpr const char* kRowColumns =
    "SELECT run, kind, value, start_local, end_local, end_tick - start_tick FROM records ";

}  // namespace

const std::vector<std::string>& HistoryDb::SchemaSteps() {
  static const std::vector<std::string> steps = {
      // 1: records carried only their start's wall-clock time.
      "CREATE TABLE runs(id INTEGER PRIMARY KEY, start_local INTEGER NOT NULL,"
      " start_tick INTEGER NOT NULL, last_local INTEGER NOT NULL);"
      "CREATE TABLE records(run INTEGER NOT NULL, cycle INTEGER NOT NULL, idx INTEGER NOT NULL,"
      " kind INTEGER NOT NULL, value INTEGER NOT NULL, start_local INTEGER NOT NULL,"
      " start_tick INTEGER NOT NULL, end_tick INTEGER, PRIMARY KEY(run, cycle, idx))"
      " WITHOUT ROWID;",
      // 2: the end's wall-clock time, as seen when the record closed (a clock change shows), and
      // indexes for the day queries and the clean-up.
      "ALTER TABLE records ADD COLUMN end_local INTEGER;"
      "UPDATE records SET end_local = start_local + (end_tick - start_tick)"
      " WHERE end_tick IS NOT NULL;"
      "CREATE INDEX records_start ON records(start_local);"
      "CREATE INDEX runs_last ON runs(last_local);",
  };
  return steps;
}

HistoryDb::~HistoryDb() { Close(); }

// Renames the file and what SQLite keeps beside it; false if the file itself stays.
bool HistoryDb::MoveAside(const std::string& path, DateTime now) {
  std::string aside = path + ".damaged-" + Stamp(now);
  for (int n = 2; files_.Exists(aside); ++n)
    aside = path + ".damaged-" + Stamp(now) + "-" + std::to_string(n);
  if (!files_.Rename(path, aside)) return false;
  for (const char* tail : {"-wal", "-shm"})
    if (files_.Exists(path + tail)) files_.Rename(path + tail, aside + tail);
  moved_aside_ = std::move(aside);
  return true;
}

void HistoryDb::Close() {
  for (sqlite3_stmt** s : {&insert_, &update_, &touch_}) {
    sqlite3_finalize(*s);
    *s = nullptr;
  }
  if (db_) sqlite3_close(db_);
  db_ = nullptr;
}

void HistoryDb::Note(int rc) {
  if (IsDamage(rc)) damaged_ = true;
}

bool HistoryDb::Exec(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  Note(rc);
  return rc == SQLITE_OK;
}

bool HistoryDb::Step(sqlite3_stmt* s) {
  const int rc = sqlite3_step(s);
  sqlite3_reset(s);
  Note(rc);
  return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

bool HistoryDb::Migrate() {
  int version = -1;
  {
    Statement s(db_, "PRAGMA user_version");
    if (!s) return false;
    const int rc = sqlite3_step(s.get());
    Note(rc);
    if (rc != SQLITE_ROW) return false;
    version = sqlite3_column_int(s.get(), 0);
  }
  if (version == kVersion) return true;
  if (version < 0 || version > kVersion) return false;  // a newer program's file: left alone
  if (!Exec("BEGIN IMMEDIATE")) return false;
  const auto& steps = SchemaSteps();
  for (int v = version; v < kVersion; ++v) {
    const std::string set_version = "PRAGMA user_version = " + std::to_string(v + 1);
    if (!Exec(steps[static_cast<std::size_t>(v)].c_str()) || !Exec(set_version.c_str())) {
      Exec("ROLLBACK");
      return false;
    }
  }
  return Exec("COMMIT");
}

bool HistoryDb::Prepare() {
  const auto prepare = [&](const char* sql, sqlite3_stmt** s) {
    const int rc = sqlite3_prepare_v2(db_, sql, -1, s, nullptr);
    Note(rc);
    return rc == SQLITE_OK;
  };
  return prepare(
             "INSERT OR REPLACE INTO records(run, cycle, idx, kind, value, start_local,"
             " start_tick) VALUES(?, ?, ?, ?, ?, ?, ?)",
             &insert_) &&
         prepare(
             "UPDATE records SET value = ?, end_local = ?, end_tick = ?"
             " WHERE run = ? AND cycle = ? AND idx = ?",
             &update_) &&
         prepare("UPDATE runs SET last_local = max(last_local, ?) WHERE id = ?", &touch_);
}

HistoryDb::Opened HistoryDb::Open(const std::string& path, DateTime now, bool damaged) {
  Close();
  moved_aside_.clear();
  if (damaged && !MoveAside(path, now)) return Opened::Failed;
  for (int attempt = damaged ? 1 : 0; attempt < 2; ++attempt) {
    damaged_ = false;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Note(rc);
    bool ok = rc == SQLITE_OK;
    if (ok) {
      sqlite3_busy_timeout(db_, 250);
      // A small page cache and no mapping: the program's idle footprint matters more than the
      // speed of a query run when the statistics window asks.
      ok = Exec("PRAGMA cache_size = -64") && Exec("PRAGMA mmap_size = 0") &&
           Exec("PRAGMA journal_mode = WAL") && Exec("PRAGMA synchronous = FULL") && Migrate();
      if (ok) {
        Statement check(db_, "PRAGMA quick_check");
        const int step = check ? sqlite3_step(check.get()) : SQLITE_ERROR;
        Note(step);
        if (step == SQLITE_ROW) {
          const auto* text = sqlite3_column_text(check.get(), 0);
          if (!text || std::string_view(reinterpret_cast<const char*>(text)) != "ok")
            damaged_ = true;
        }
        ok = !damaged_ && step == SQLITE_ROW && Prepare();
      }
    }
    if (ok) return moved_aside_.empty() ? Opened::Ready : Opened::Replaced;
    const bool bad = damaged_;
    Close();
    if (!bad || attempt > 0 || !MoveAside(path, now)) break;
  }
  Close();
  return Opened::Failed;
}

int64_t HistoryDb::BeginRun(DateTime start, uint64_t start_tick) {
  if (!db_) return 0;
  Statement s(db_, "INSERT INTO runs(start_local, start_tick, last_local) VALUES(?, ?, ?)");
  if (!s) return 0;
  sqlite3_bind_int64(s.get(), 1, start.ms);
  sqlite3_bind_int64(s.get(), 2, static_cast<int64_t>(start_tick));
  sqlite3_bind_int64(s.get(), 3, start.ms);
  if (!Step(s.get())) return 0;
  return sqlite3_last_insert_rowid(db_);
}

bool HistoryDb::Insert(int64_t run, uint32_t cycle, uint32_t index, uint8_t kind, uint8_t value,
                       DateTime start, uint64_t start_tick, DateTime now) {
  if (!db_ || !Exec("BEGIN IMMEDIATE")) return false;
  sqlite3_bind_int64(insert_, 1, run);
  sqlite3_bind_int64(insert_, 2, cycle);
  sqlite3_bind_int64(insert_, 3, index);
  sqlite3_bind_int(insert_, 4, kind);
  sqlite3_bind_int(insert_, 5, value);
  sqlite3_bind_int64(insert_, 6, start.ms);
  sqlite3_bind_int64(insert_, 7, static_cast<int64_t>(start_tick));
  sqlite3_bind_int64(touch_, 1, now.ms);
  sqlite3_bind_int64(touch_, 2, run);
  if (Step(insert_) && Step(touch_) && Exec("COMMIT")) return true;
  Exec("ROLLBACK");
  return false;
}

bool HistoryDb::Update(int64_t run, uint32_t cycle, uint32_t index, uint8_t value, DateTime end,
                       uint64_t end_tick, DateTime now) {
  if (!db_ || !Exec("BEGIN IMMEDIATE")) return false;
  sqlite3_bind_int(update_, 1, value);
  sqlite3_bind_int64(update_, 2, end.ms);
  sqlite3_bind_int64(update_, 3, static_cast<int64_t>(end_tick));
  sqlite3_bind_int64(update_, 4, run);
  sqlite3_bind_int64(update_, 5, cycle);
  sqlite3_bind_int64(update_, 6, index);
  sqlite3_bind_int64(touch_, 1, now.ms);
  sqlite3_bind_int64(touch_, 2, run);
  if (Step(update_) && Step(touch_) && Exec("COMMIT")) return true;
  Exec("ROLLBACK");
  return false;
}

bool HistoryDb::Touch(int64_t run, DateTime now) {
  if (!db_) return false;
  sqlite3_bind_int64(touch_, 1, now.ms);
  sqlite3_bind_int64(touch_, 2, run);
  return Step(touch_);
}

bool HistoryDb::RemoveBefore(DateTime cutoff) {
  if (!db_ || !Exec("BEGIN IMMEDIATE")) return false;
  Statement records(db_, "DELETE FROM records WHERE start_local < ?");
  Statement runs(db_, "DELETE FROM runs WHERE last_local < ?");
  bool ok = records && runs;
  if (ok) {
    sqlite3_bind_int64(records.get(), 1, cutoff.ms);
    sqlite3_bind_int64(runs.get(), 1, cutoff.ms);
    ok = Step(records.get()) && Step(runs.get());
  }
  if (ok && Exec("COMMIT")) return true;
  Exec("ROLLBACK");
  return false;
}

std::vector<HistoryRun> HistoryDb::Runs(DateTime from, DateTime to) {
  std::vector<HistoryRun> out;
  if (!db_) return out;
  Statement s(db_,
              "SELECT id, start_local, last_local FROM runs WHERE last_local >= ? AND"
              " start_local < ? ORDER BY id");
  if (!s) return out;
  sqlite3_bind_int64(s.get(), 1, from.ms);
  sqlite3_bind_int64(s.get(), 2, to.ms);
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
    out.push_back({sqlite3_column_int64(s.get(), 0), sqlite3_column_int64(s.get(), 1),
                   sqlite3_column_int64(s.get(), 2)});
  Note(rc);
  return out;
}

std::vector<HistoryRow> HistoryDb::RowsOf(const std::vector<HistoryRun>& runs) {
  std::vector<HistoryRow> out;
  if (!db_) return out;
  Statement s(db_, (std::string(kRowColumns) + "WHERE run = ? ORDER BY cycle, idx").c_str());
  if (!s) return out;
  for (const HistoryRun& run : runs) {
    sqlite3_bind_int64(s.get(), 1, run.id);
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) out.push_back(ReadRow(s.get()));
    Note(rc);
    sqlite3_reset(s.get());
  }
  return out;
}

std::vector<HistoryRow> HistoryDb::AllRows() {
  std::vector<HistoryRow> out;
  if (!db_) return out;
  Statement s(db_, (std::string(kRowColumns) + "ORDER BY run, cycle, idx").c_str());
  if (!s) return out;
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) out.push_back(ReadRow(s.get()));
  Note(rc);
  return out;
}

}  // namespace tavu
