#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "ports/clock.hpp"

namespace tavu {

// The statistics window's figures, computed afresh from the engine and the log; nothing of them
// is kept between refreshes.

// Whole days of a duration.
uint64_t WholeDays(uint64_t ms);
// A running time as "<days>天 h:mm".
std::string RunningTimeText(uint64_t ms, const DateTimeFormat& f);

struct StatFigures {
  std::string pc_start, pc_time_used;    // "开机时间", "开机运行总时间"
  std::string app_start, app_time_used;  // "程序启动时间", "程序运行总时间"
  std::string sys_start_speed;           // the system's running time at the program's start
  std::string break_prev, break_next;    // "上次休息时间", "下次计划休息时间"
  std::string break_count, uncompleted;  // "休息总次数", "其中未完成的休息"
  // Breaks deferred for a presentation or call: "推迟 N 次，约 M 分钟"; empty for none.
  std::string deferred;
};
StatFigures ComputeFigures(Clock& clock, const DateTimeFormat& f, const EventLog& log,
                           const Engine& engine);

// The health page.
struct Health {
  uint16_t tired_index = 0;  // T
  int bar = 0;               // T shown on the 0..200 bar
  std::string tired_text;    // T and its label
  int score = 0;             // S, 12..100
  std::string score_text;    // "S分"
  std::string_view status;   // the rating
  std::string_view advice;
};
// Whether a record's span is rest: idle, a break, standby or hibernation not begun in a break.
bool IsRestRecord(const EventRecord& r);
// Deferred breaks: how many, and their minutes in all (an open one up to `now`).
struct Deferrals {
  int count = 0;
  uint64_t ms = 0;
};
Deferrals CountDeferrals(const EventLog& log, uint64_t now);
// Rest time since the start: idle stretches, breaks and standby or hibernation not begun in a
// break, on top of one break of the selected plan as a base. Idle time within a deferral is work
// (a presentation watched, a call listened to) and is left out.
uint64_t RestMs(const EventLog& log, int base_break_mins);
// The score of a rest share: 60 at 10 %, 2 points per point below, 1 per point above, 0..100.
int RestShareScore(uint64_t rest_ms, uint64_t running_ms);
std::string_view TiredIndexLabel(uint16_t index);
Health ComputeHealth(uint64_t rest_ms, uint64_t running_ms, int worked_percent, uint16_t carry);

}  // namespace tavu
