#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cycle/event_log.hpp"
#include "history/history_db.hpp"
#include "ports/clock.hpp"
#include "settings/settings.hpp"

namespace tavu {

// Writes the event log into the history database as records open and close, while "保留历史统计"
// is on; removes what is older than the days kept once a day. The program never stops working
// because of its history: a write that fails is dropped, a damaged file is moved aside once and
// a new one started.
class HistoryRecorder : public EventSink {
 public:
  static constexpr std::string_view kFileName = "tavu-history.db";
  // What the notice window says once a damaged file was moved aside.
  static constexpr std::string_view kReplacedText = "历史记录损坏已重建";

  HistoryRecorder(Clock& clock, Files& files, const Settings& settings, const EventLog& log)
      : clock_(clock), settings_(settings), log_(log), db_(files) {}

  // Where the database lives (the folder of the configuration file); the records logged so far
  // are written at the first chance.
  void Start(std::string path);
  // Writes the run's last time: the run's length survives the exit.
  void Stop();
  void RecordChanged(std::size_t cycle, std::size_t index, const EventRecord& record,
                     bool opened) override;

  // Called once the file was moved aside and replaced (the user is told).
  void OnReplaced(std::function<void()> notify) { on_replaced_ = std::move(notify); }
  // The database while it is open (the statistics window reads it), else null.
  HistoryDb* db();
  const std::string& path() const { return path_; }

 private:
  bool Ready();
  void Write(std::size_t cycle, std::size_t index, const EventRecord& record, bool opened);
  void Open(bool damaged);
  void Reopen();
  void CleanUp(DateTime now);
  DateTime LocalOf(uint64_t tick);

  Clock& clock_;
  const Settings& settings_;
  const EventLog& log_;
  HistoryDb db_;
  std::string path_;
  int64_t run_ = 0;
  bool tried_ = false;  // the file was opened (or could not be) in this run
  bool replaced_ = false;
  std::function<void()> on_replaced_;
  int64_t cleaned_day_ = INT64_MIN;
};

}  // namespace tavu
