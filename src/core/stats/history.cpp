#include "stats/history.hpp"

#include <optional>

namespace tavu {
namespace {

// What every line of one refresh shares: the clock read once, and the date text of the last
// day formatted (records come in time order, so nearly every line hits it).
class LineFormatter {
 public:
  LineFormatter(Clock& clock, const DateTimeFormat& f)
      : f_(f), now_(clock.Tick()), wall_(DateTime::FromLocal(clock.Now())) {
    // The time without its seconds: a picture ending in two-digit seconds can leave them out
    // instead of cutting them off the text afterwards.
    const std::string_view time = f.long_time;
    if (time.size() > 3 && time.substr(time.size() - 3) == ":ss")
      time_without_seconds_ = std::string(time.substr(0, time.size() - 3));
  }

  void Append(std::string& out, uint8_t kind, uint64_t start_tick, uint8_t value,
              uint64_t end_tick) {
    out += EventKindText(kind);
    // A deferral's value is its reason, not minutes.
    if (kind == kEventBreakDeferred) {
      out += value == kDeferCall ? " (通话中)" : " (演示或全屏)";
      value = 0;
    }
    out += ": ";
    AppendDateTime(out, start_tick);
    if (end_tick != 0) {
      const uint64_t span = end_tick > start_tick ? end_tick - start_tick : 0;
      out += " 至 ";
      AppendDateTime(out, end_tick);
      out += ", 约";
      out += CutSeconds(DurationText(MsToDateTime(span), f_));
      if (value > 100) {
        out += ", (";
        out += std::to_string(value - 100);
        out += "% 未完成!)";
      }
    } else if (value >= 1 && value <= 98) {
      out += ", 约";
      out += std::to_string(value);
      out += " 分钟";
    }
  }

 private:
  DateTime At(uint64_t tick) const {
    if (now_ > tick) return {wall_.ms - MsToDateTime(now_ - tick).ms};
    return {wall_.ms + MsToDateTime(tick - now_).ms};
  }
  // The date-time text without its seconds, as DateTimeText and CutSeconds give it.
  void AppendDateTime(std::string& out, uint64_t tick) {
    const DateTime t = At(tick);
    if (!day_text_ || t.Days() != day_) {
      day_ = t.Days();
      day_text_ = FormatDateTime(f_.short_date, t, f_);
    }
    out += *day_text_;
    out += ' ';
    if (time_without_seconds_)
      out += FormatDateTime(*time_without_seconds_, t, f_);
    else
      out += CutSeconds(FormatDateTime(f_.long_time, t, f_));
  }

  const DateTimeFormat& f_;
  uint64_t now_;
  DateTime wall_;
  int64_t day_ = 0;
  std::optional<std::string> day_text_;
  std::optional<std::string> time_without_seconds_;
};

}  // namespace

std::string EventLineText(Clock& clock, const DateTimeFormat& f, uint8_t kind, uint64_t start_tick,
                          uint8_t value, uint64_t end_tick) {
  std::string line;
  LineFormatter(clock, f).Append(line, kind, start_tick, value, end_tick);
  return line;
}

void AppendEventLine(std::vector<std::string>& lines, Clock& clock, const DateTimeFormat& f,
                     uint8_t kind, uint64_t start_tick, uint8_t value, uint64_t end_tick) {
  lines.push_back(EventLineText(clock, f, kind, start_tick, value, end_tick));
}

std::string HistoryText(Clock& clock, const DateTimeFormat& f, const EventLog& log) {
  LineFormatter lines(clock, f);
  std::size_t records = 0;
  for (const EventCycle& cycle : log.Cycles()) records += cycle.size();
  std::string text;
  text.reserve(records * 48);
  for (const EventCycle& cycle : log.Cycles())
    for (const EventRecord& r : cycle) {
      if (!text.empty()) text += "\r\n";
      lines.Append(text, r.Kind, r.StartTick, r.Value, r.EndTick);
    }
  return text;
}

}  // namespace tavu
