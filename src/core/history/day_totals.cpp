#include "history/day_totals.hpp"

#include <algorithm>
#include <map>
#include <utility>

#include "cycle/event_log.hpp"
#include "stats/figures.hpp"

namespace tavu {
namespace {

constexpr int64_t kMsPerDay = 86'400'000;

int64_t DayOf(int64_t local_ms) { return DateTime{local_ms}.Days(); }

// Adds the part of [from, to) that falls on each shown day.
template <typename Add>
void SplitByDay(int64_t from, int64_t to, int64_t first_day, int days, Add add) {
  from = std::max(from, first_day * kMsPerDay);
  to = std::min(to, (first_day + days) * kMsPerDay);
  while (from < to) {
    const int64_t day = DayOf(from);
    const int64_t day_end = std::min(to, (day + 1) * kMsPerDay);
    add(static_cast<std::size_t>(day - first_day), day_end - from);
    from = day_end;
  }
}

EventRecord AsRecord(const HistoryRow& row) {
  EventRecord r;
  r.Kind = row.kind;
  r.Value = row.value;
  if (row.span >= 0) r.EndTick = static_cast<uint64_t>(row.span) + 1;
  r.StartTick = 1;
  return r;
}

// [from, to) without the parts that `cut` covers, in pieces.
std::vector<std::pair<int64_t, int64_t>> Without(
    int64_t from, int64_t to, const std::vector<std::pair<int64_t, int64_t>>& cut) {
  std::vector<std::pair<int64_t, int64_t>> pieces{{from, to}};
  for (const auto& [c_from, c_to] : cut) {
    std::vector<std::pair<int64_t, int64_t>> next;
    for (const auto& [p_from, p_to] : pieces) {
      if (c_to <= p_from || p_to <= c_from) {
        next.emplace_back(p_from, p_to);
        continue;
      }
      if (p_from < c_from) next.emplace_back(p_from, c_from);
      if (c_to < p_to) next.emplace_back(c_to, p_to);
    }
    pieces = std::move(next);
  }
  return pieces;
}

}  // namespace

int DayTotals::Score() const {
  if (run_ms <= 0) return -1;
  return RestShareScore(static_cast<uint64_t>(rest_ms), static_cast<uint64_t>(run_ms));
}

std::vector<DayTotals> TotalsByDay(const std::vector<HistoryRun>& runs,
                                   const std::vector<HistoryRow>& rows, int64_t first_day,
                                   int days) {
  std::vector<DayTotals> out(static_cast<std::size_t>(std::max(days, 0)));
  for (int i = 0; i < days; ++i) out[static_cast<std::size_t>(i)].day = first_day + i;
  const auto shown = [&](int64_t local_ms) {
    const int64_t d = DayOf(local_ms);
    return d >= first_day && d < first_day + days ? &out[static_cast<std::size_t>(d - first_day)]
                                                  : nullptr;
  };
  for (const HistoryRun& run : runs)
    SplitByDay(run.start, run.last, first_day, days,
               [&](std::size_t i, int64_t ms) { out[i].run_ms += ms; });
  // Idle time within a deferral is work (a presentation watched, a call listened to); a
  // deferral still open runs to the end of its run.
  std::map<int64_t, std::vector<std::pair<int64_t, int64_t>>> deferrals;
  for (const HistoryRow& row : rows) {
    if (row.kind != kEventBreakDeferred) continue;
    const auto it = std::find_if(runs.begin(), runs.end(),
                                 [&](const HistoryRun& r) { return r.id == row.run; });
    if (it == runs.end()) continue;
    deferrals[row.run].emplace_back(row.start, row.span >= 0 ? row.start + row.span : it->last);
  }
  const HistoryRun* run = nullptr;
  for (const HistoryRow& row : rows) {
    if (!run || run->id != row.run) {
      const auto it = std::find_if(runs.begin(), runs.end(),
                                   [&](const HistoryRun& r) { return r.id == row.run; });
      run = it == runs.end() ? nullptr : &*it;
    }
    if (!run) continue;
    // Rest counts only within its run (a clock set back may leave a record outside it).
    if (row.span > 0 && IsRestRecord(AsRecord(row))) {
      const int64_t from = std::max(row.start, run->start);
      const int64_t to = std::min(row.start + row.span, run->last);
      const auto deferred = deferrals.find(row.run);
      const auto pieces = row.kind == kEventIdle && deferred != deferrals.end()
                              ? Without(from, to, deferred->second)
                              : std::vector<std::pair<int64_t, int64_t>>{{from, to}};
      for (const auto& [p_from, p_to] : pieces)
        SplitByDay(p_from, p_to, first_day, days,
                   [&](std::size_t i, int64_t ms) { out[i].rest_ms += ms; });
    }
    DayTotals* day = shown(row.start);
    if (!day) continue;
    switch (row.kind) {
      case kEventScheduledBreak:
      case kEventManualBreak:
        if (row.span >= 0) {
          ++day->breaks;
          if (row.value > 100) ++day->early;
        }
        break;
      case kEventBreakDeferred:
        ++day->deferred;
        break;
      case kEventPause:
        ++day->pauses;
        break;
      default:
        break;
    }
  }
  for (DayTotals& d : out) d.rest_ms = std::min(d.rest_ms, d.run_ms);
  return out;
}

std::vector<DayTotals> RecentDays(HistoryDb& db, int64_t today, int days) {
  const int64_t first = today - days + 1;
  const std::vector<HistoryRun> runs =
      db.Runs(DateTime{first * kMsPerDay}, DateTime{(today + 1) * kMsPerDay});
  return TotalsByDay(runs, db.RowsOf(runs), first, days);
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string HistoryCsv(const std::vector<HistoryRow>& rows, const DateTimeFormat& f) {
  std::string out = "\xEF\xBB\xBF";
  out += "开始时间,结束时间,时长(秒),事件,值\r\n";
  for (const HistoryRow& row : rows) {
    out += CsvField(DateTimeText(DateTime{row.start}, f));
    out += ',';
    if (row.span >= 0) out += CsvField(DateTimeText(DateTime{row.end}, f));
    out += ',';
    if (row.span >= 0) out += std::to_string(row.span / 1000);
    out += ',';
    out += CsvField(EventKindText(row.kind));
    out += ',';
    out += std::to_string(row.value);
    out += "\r\n";
  }
  return out;
}

}  // namespace tavu
