#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.hpp"
#include "history/history_db.hpp"

namespace tavu {

// The figures of one local calendar day, from every run of the program that touched it.
struct DayTotals {
  int64_t day = 0;      // whole days since 1970-01-01, local calendar
  int64_t run_ms = 0;   // the program ran
  int64_t rest_ms = 0;  // idle, breaks, standby and hibernation, within the runs
  int breaks = 0;       // breaks that ended, on the day they began
  int early = 0;        // of those, left before their end
  int deferred = 0;     // deferrals begun that day
  int pauses = 0;       // pauses begun that day
  int64_t WorkMs() const { return run_ms > rest_ms ? run_ms - rest_ms : 0; }
  // The rest share's score (the health score without the short-term tiredness, which is not
  // kept); -1 for a day the program did not run.
  int Score() const;
  bool operator==(const DayTotals&) const = default;
};

// `days` days from `first_day` on. A run lasts from its start to the last thing it wrote; a
// record that closed lasts its span from its wall-clock start. Both are cut at local midnights,
// so a break or a sleep across midnight counts on both days. Rows must belong to `runs`.
std::vector<DayTotals> TotalsByDay(const std::vector<HistoryRun>& runs,
                                   const std::vector<HistoryRow>& rows, int64_t first_day,
                                   int days);

// The last `days` days up to and including `today`, read from the database.
std::vector<DayTotals> RecentDays(HistoryDb& db, int64_t today, int days);

// The history as CSV, UTF-8 with a byte-order mark (so spreadsheet programs read the Chinese
// texts), CR LF between rows: a row per record, oldest first.
std::string HistoryCsv(const std::vector<HistoryRow>& rows, const DateTimeFormat& f);
// A CSV field: quoted when it holds a comma, a quote or a line break, quotes doubled.
std::string CsvField(std::string_view text);

}  // namespace tavu
