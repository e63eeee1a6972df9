#include "history/recorder.hpp"

namespace tavu {
namespace {
constexpr int64_t kMsPerDay = 86'400'000;
}  // namespace

void HistoryRecorder::Start(std::string path) {
  path_ = std::move(path);
  if (!Ready()) return;
  // What the log holds from before the file was known (the first cycle's records).
  const auto& cycles = log_.Cycles();
  for (std::size_t c = 0; c < cycles.size(); ++c)
    for (std::size_t i = 0; i < cycles[c].size(); ++i) {
      Write(c, i, cycles[c][i], true);
      if (cycles[c][i].EndTick != 0) Write(c, i, cycles[c][i], false);
    }
}

void HistoryRecorder::Stop() {
  if (run_ != 0 && db_.IsOpen()) db_.Touch(run_, DateTime::FromLocal(clock_.Now()));
  db_.Close();
}

DateTime HistoryRecorder::LocalOf(uint64_t tick) { return TickToDateTime(clock_, tick); }

bool HistoryRecorder::Ready() {
  if (path_.empty() || !settings_.KeepHistory) return false;
  if (!tried_) {
    tried_ = true;
    Open(false);
  }
  return db_.IsOpen() && run_ != 0;
}

void HistoryRecorder::Open(bool damaged) {
  const DateTime now = DateTime::FromLocal(clock_.Now());
  const bool replaced = db_.Open(path_, now, damaged) == HistoryDb::Opened::Replaced;
  run_ = 0;
  if (db_.IsOpen()) {
    const auto& cycles = log_.Cycles();
    const uint64_t start =
        cycles.empty() || cycles[0].empty() ? clock_.Tick() : cycles[0][0].StartTick;
    run_ = db_.BeginRun(LocalOf(start), start);
  }
  if (replaced) {
    replaced_ = true;
    if (on_replaced_) on_replaced_();
  }
}

void HistoryRecorder::RecordChanged(std::size_t cycle, std::size_t index, const EventRecord& record,
                                    bool opened) {
  if (!Ready()) return;
  Write(cycle, index, record, opened);
}

void HistoryRecorder::Write(std::size_t cycle, std::size_t index, const EventRecord& record,
                            bool opened) {
  const DateTime now = DateTime::FromLocal(clock_.Now());
  const auto c = static_cast<uint32_t>(cycle), i = static_cast<uint32_t>(index);
  const bool ok =
      opened ? db_.Insert(run_, c, i, record.Kind, record.Value, LocalOf(record.StartTick),
                          record.StartTick, now)
             : db_.Update(run_, c, i, record.Value, LocalOf(record.EndTick), record.EndTick, now);
  if (!ok && db_.Damaged()) return Reopen();
  CleanUp(now);
}

void HistoryRecorder::Reopen() {
  // Once per run: a file that breaks again is left alone for the rest of it.
  if (replaced_) {
    db_.Close();
    return;
  }
  Open(true);
}

void HistoryRecorder::CleanUp(DateTime now) {
  const int64_t today = now.Days();
  if (today == cleaned_day_) return;
  cleaned_day_ = today;
  const int64_t keep = settings_.KeepHistoryDays.Get();
  db_.RemoveBefore(DateTime{(today - keep + 1) * kMsPerDay});
}

HistoryDb* HistoryRecorder::db() { return db_.IsOpen() ? &db_ : nullptr; }

}  // namespace tavu
