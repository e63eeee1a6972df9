#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.hpp"
#include "cycle/event_log.hpp"
#include "ports/clock.hpp"

namespace tavu {

// The statistics window's history page: the event log as lines of text.

// One line of the history page: kind text, start, and the end and span or the minutes.
std::string EventLineText(Clock& clock, const DateTimeFormat& f, uint8_t kind, uint64_t start_tick,
                          uint8_t value, uint64_t end_tick);
// Appends that line as the last line of a history text.
void AppendEventLine(std::vector<std::string>& lines, Clock& clock, const DateTimeFormat& f,
                     uint8_t kind, uint64_t start_tick, uint8_t value, uint64_t end_tick);

// The whole history page as one text, a line per record in log order, CR LF between lines:
// handed to the page's text box in one call.
std::string HistoryText(Clock& clock, const DateTimeFormat& f, const EventLog& log);

}  // namespace tavu
