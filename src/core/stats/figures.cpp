#include "stats/figures.hpp"

#include <algorithm>

#include "base/rounding.hpp"

namespace tavu {
namespace {

constexpr uint64_t kMsPerDay = 86'400'000;

}  // namespace

bool IsRestRecord(const EventRecord& r) {
  switch (r.Kind) {
    case kEventIdle:
    case kEventScheduledBreak:
    case kEventManualBreak:
      return true;
    case kEventOutsideStandBy:
    case kEventManualStandBy:
    case kEventOutsideHibernate:
    case kEventManualHibernate:
      return r.Value != 99;  // begun during a break: that time is the break's already
    default:
      return false;
  }
}

namespace {

// How much of idle record `r` lies within a deferral of its cycle (an open deferral runs
// on past every closed idle record).
uint64_t Deferred(const EventCycle& cycle, const EventRecord& r) {
  if (r.Kind != kEventIdle) return 0;
  uint64_t overlap = 0;
  for (const EventRecord& d : cycle) {
    if (d.Kind != kEventBreakDeferred) continue;
    const uint64_t from = std::max(d.StartTick, r.StartTick);
    const uint64_t to = std::min(d.EndTick != 0 ? d.EndTick : r.EndTick, r.EndTick);
    if (to > from) overlap += to - from;
  }
  return std::min(overlap, r.EndTick - r.StartTick);
}

struct Rating {
  int from;
  std::string_view status, advice;
};
constexpr Rating kRatings[] = {
    {90, "很好", "暂无建议。"},
    {80, "良好", "暂无建议。"},
    {70, "中等", "建议视情况适当增加休息！"},
    {60, "偏低", "建议增加休息以保持最佳状态！"},
    {45, "较差", "你现在很需要较多的休息！"},
    {0, "很差", "强烈建议你安排全面休息！"},
};

}  // namespace

uint64_t WholeDays(uint64_t ms) { return ms / kMsPerDay; }

std::string RunningTimeText(uint64_t ms, const DateTimeFormat& f) {
  std::string text = std::to_string(WholeDays(ms));
  text += "天 ";
  text += CutSeconds(TimeText(MsToDateTime(ms % kMsPerDay), f));
  return text;
}

StatFigures ComputeFigures(Clock& clock, const DateTimeFormat& f, const EventLog& log,
                           const Engine& engine) {
  StatFigures out;
  const uint64_t now = clock.Tick();
  const auto& cycles = log.Cycles();
  const uint64_t start = cycles.empty() || cycles[0].empty() ? now : cycles[0][0].StartTick;
  out.pc_start = CutSeconds(DateTimeText(TickToDateTime(clock, 0), f));
  out.pc_time_used = RunningTimeText(now, f);
  out.app_start = CutSeconds(DateTimeText(TickToDateTime(clock, start), f));
  out.app_time_used = RunningTimeText(now - start, f);
  out.sys_start_speed = TimeText(MsToDateTime(start % kMsPerDay), f);
  const CycleValues& v = engine.Values();
  out.break_count = std::to_string(v.CycleNo - 1);
  // (Assigned as whole strings: GCC 12 warns falsely on short literals here.)
  out.break_prev = std::string("无");
  out.uncompleted = std::string(1, '0');
  if (v.CycleNo > 1 && cycles.size() >= 2) {
    const std::size_t prev = cycles.size() - 2;
    if (const std::size_t i = log.FindLastEvent(prev, kEventKeyBreak); i != EventLog::kNone)
      out.break_prev =
          CutSeconds(DateTimeText(TickToDateTime(clock, cycles[prev][i].StartTick), f));
    uint8_t early = 0;
    for (std::size_t c = 0; c + 1 < cycles.size(); ++c)
      if (!cycles[c].empty() && cycles[c].back().Value > 100) ++early;
    out.uncompleted = std::to_string(early);
  }
  out.break_next = CutSeconds(TimeText(engine.NextBreakTime(), f));
  if (const Deferrals d = CountDeferrals(log, now); d.count > 0) {
    out.deferred = "推迟 ";
    out.deferred += std::to_string(d.count);
    out.deferred += " 次，约 ";
    out.deferred += std::to_string((d.ms + 30'000) / 60'000);
    out.deferred += " 分钟";
  }
  return out;
}

Deferrals CountDeferrals(const EventLog& log, uint64_t now) {
  Deferrals d;
  for (const EventCycle& cycle : log.Cycles())
    for (const EventRecord& r : cycle) {
      if (r.Kind != kEventBreakDeferred) continue;
      ++d.count;
      const uint64_t end = r.EndTick != 0 ? r.EndTick : now;
      if (end > r.StartTick) d.ms += end - r.StartTick;
    }
  return d;
}

uint64_t RestMs(const EventLog& log, int base_break_mins) {
  uint64_t rest = static_cast<uint64_t>(std::max(base_break_mins, 0)) * 60'000;
  for (const EventCycle& cycle : log.Cycles())
    for (const EventRecord& r : cycle)
      if (IsRestRecord(r) && r.EndTick > r.StartTick)
        rest += r.EndTick - r.StartTick - Deferred(cycle, r);
  return rest;
}

int RestShareScore(uint64_t rest_ms, uint64_t running_ms) {
  const double x = running_ms ? static_cast<double>(rest_ms) / static_cast<double>(running_ms) : 1;
  if (x < 0.1) return static_cast<int>(std::max<int64_t>(0, 60 - RoundEven((0.1 - x) * 200)));
  return static_cast<int>(std::min<int64_t>(100, 60 + RoundEven((x - 0.1) * 100)));
}

std::string_view TiredIndexLabel(uint16_t t) {
  if (t <= 5) return " (饱满)";
  if (t <= 49) return " (健康)";
  if (t == 50) return " (中值)";
  if (t <= 99) return " (正常)";
  if (t == 100) return " (临界)";
  if (t <= 149) return " (超标!)";
  return " (严重超标!)";
}

Health ComputeHealth(uint64_t rest_ms, uint64_t running_ms, int worked_percent, uint16_t carry) {
  Health h;
  // Past the selected plan's interval the worked share is negative; it then adds no tiredness
  // instead of wrapping the sum to a huge index.
  h.tired_index = static_cast<uint16_t>(std::min<int>(std::max(worked_percent, 0) + carry, 65535));
  h.bar = std::min<int>(h.tired_index, 200);
  h.tired_text = std::to_string(h.tired_index);
  h.tired_text += TiredIndexLabel(h.tired_index);
  const int e = RestShareScore(rest_ms, running_ms);
  h.score = static_cast<int>(RoundEven((100 - h.bar) * 0.2 + e * 0.8));
  h.score_text = std::to_string(h.score);
  h.score_text += "分";
  for (const Rating& r : kRatings)
    if (h.score >= r.from) {
      h.status = r.status;
      h.advice = r.advice;
      break;
    }
  return h;
}

}  // namespace tavu
