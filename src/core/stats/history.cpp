#include "stats/history.hpp"

namespace tavu {

std::string EventLineText(Clock& clock, const DateTimeFormat& f, uint8_t kind, uint64_t start_tick,
                          uint8_t value, uint64_t end_tick) {
  std::string detail;
  if (end_tick != 0) {
    const uint64_t span = end_tick > start_tick ? end_tick - start_tick : 0;
    detail = " 至 " + CutSeconds(DateTimeText(TickToDateTime(clock, end_tick), f)) + ", 约" +
             CutSeconds(DurationText(MsToDateTime(span), f));
    if (value > 100) detail += ", (" + std::to_string(value - 100) + "% 未完成!)";
  } else if (value >= 1 && value <= 98) {
    detail = ", 约" + std::to_string(value) + " 分钟";
  }
  return std::string(EventKindText(kind)) + ": " +
         CutSeconds(DateTimeText(TickToDateTime(clock, start_tick), f)) + detail;
}

void AppendEventLine(std::vector<std::string>& lines, Clock& clock, const DateTimeFormat& f,
                     uint8_t kind, uint64_t start_tick, uint8_t value, uint64_t end_tick) {
  lines.push_back(EventLineText(clock, f, kind, start_tick, value, end_tick));
}

std::string HistoryText(Clock& clock, const DateTimeFormat& f, const EventLog& log) {
  std::string text;
  for (const EventCycle& cycle : log.Cycles())
    for (const EventRecord& r : cycle) {
      if (!text.empty()) text += "\r\n";
      text += EventLineText(clock, f, r.Kind, r.StartTick, r.Value, r.EndTick);
    }
  return text;
}

}  // namespace tavu
