#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.hpp"
#include "ports/files.hpp"

struct sqlite3;
struct sqlite3_stmt;

namespace tavu {

// One start of the program as the history keeps it: local wall-clock times (DateTime ms) of its
// start and of the last thing it wrote.
struct HistoryRun {
  int64_t id = 0;
  int64_t start = 0;
  int64_t last = 0;
  bool operator==(const HistoryRun&) const = default;
};

// One event record: its local wall-clock start and, once closed, its end and its length as the
// ticks measured it (sleep included).
struct HistoryRow {
  int64_t run = 0;
  uint8_t kind = 0;
  uint8_t value = 0;
  int64_t start = 0;
  int64_t end = 0;    // 0 while open or for a record without duration
  int64_t span = -1;  // ms; -1 while open or for a record without duration
  bool operator==(const HistoryRow&) const = default;
};

// The history database (SQLite, write-ahead log). A record is addressed by its run, cycle and
// place in the cycle, so closing it needs no lookup kept in memory. Every write is one short
// transaction, synced before it returns: a crash loses at most the record being written.
class HistoryDb {
 public:
  static constexpr int kVersion = 2;

  enum class Opened {
    Ready,     // the file as it was, or a new one
    Replaced,  // the file could not be used: it was moved aside and a new one started
    Failed,    // nothing usable (folder missing, held by another writer, a newer schema)
  };

  // `files` moves a damaged file aside.
  explicit HistoryDb(Files& files) : files_(files) {}
  ~HistoryDb();
  HistoryDb(const HistoryDb&) = delete;
  HistoryDb& operator=(const HistoryDb&) = delete;

  // Opens `path` (UTF-8), bringing an older schema up to date. A file that is not a database or
  // is damaged is renamed to `<path>.damaged-YYYYMMDD-HHMMSS` (time `now`) and a new one made.
  // `damaged`: a write found the file damaged; it is moved aside without trying it again.
  Opened Open(const std::string& path, DateTime now, bool damaged = false);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  // The name the damaged file was given by the last Open, empty if none.
  const std::string& MovedAside() const { return moved_aside_; }

  // Writes; false when the write failed. `Damaged()` then tells whether the file itself is bad.
  int64_t BeginRun(DateTime start, uint64_t start_tick);
  bool Insert(int64_t run, uint32_t cycle, uint32_t index, uint8_t kind, uint8_t value,
              DateTime start, uint64_t start_tick, DateTime now);
  bool Update(int64_t run, uint32_t cycle, uint32_t index, uint8_t value, DateTime end,
              uint64_t end_tick, DateTime now);
  bool Touch(int64_t run, DateTime now);
  // Removes records that started before `cutoff` and runs that ended before it.
  bool RemoveBefore(DateTime cutoff);
  bool Damaged() const { return damaged_; }

  // Runs that overlap [from, to) and all their records, in order.
  std::vector<HistoryRun> Runs(DateTime from, DateTime to);
  std::vector<HistoryRow> RowsOf(const std::vector<HistoryRun>& runs);
  // Every record, oldest first.
  std::vector<HistoryRow> AllRows();

  // The statements of every schema version, oldest first: tests build an older file from them.
  static const std::vector<std::string>& SchemaSteps();

 private:
  bool Prepare();
  bool Exec(const char* sql);
  bool Step(sqlite3_stmt* s);
  bool Migrate();
  void Note(int rc);

  bool MoveAside(const std::string& path, DateTime now);

  Files& files_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* update_ = nullptr;
  sqlite3_stmt* touch_ = nullptr;
  std::string moved_aside_;
  bool damaged_ = false;
};

}  // namespace tavu
