#include <gtest/gtest.h>

#include "engine_access.hpp"
#include "fakes.hpp"
#include "stats/figures.hpp"
#include "stats/history.hpp"

namespace tavu {
namespace {

constexpr uint64_t kMin = 60'000;

TEST(Health, RestShareScoreIsSixtyAtTenPercent) {
  const std::tuple<uint64_t, uint64_t, int> cases[] = {
      {10, 100, 60},  {2, 100, 44},  {60, 100, 100}, {0, 100, 40},
      {50, 100, 100}, {15, 100, 65}, {9, 100, 58},   {0, 0, 100},
  };
  for (auto [rest, run, score] : cases) EXPECT_EQ(RestShareScore(rest, run), score) << rest;
}

TEST(Health, TiredIndexLabelsAtEveryBoundary) {
  const std::pair<uint16_t, const char*> cases[] = {
      {0, " (饱满)"},    {5, " (饱满)"},    {6, " (健康)"},        {49, " (健康)"},
      {50, " (中值)"},   {51, " (正常)"},   {99, " (正常)"},       {100, " (临界)"},
      {101, " (超标!)"}, {149, " (超标!)"}, {150, " (严重超标!)"}, {250, " (严重超标!)"},
  };
  for (auto [t, label] : cases) EXPECT_EQ(TiredIndexLabel(t), label) << t;
}

TEST(Health, ScoreAndRating) {
  struct Case {
    uint64_t rest, run;
    int worked;
    uint16_t carry;
    int score, bar;
    const char* status;
    const char* tired;
  };
  const Case cases[] = {
      {10, 100, 100, 0, 48, 100, "较差", "100 (临界)"},
      {50, 100, 0, 0, 100, 0, "很好", "0 (饱满)"},
      {0, 100, 100, 150, 12, 200, "很差", "250 (严重超标!)"},
      {30, 100, 50, 0, 74, 50, "中等", "50 (中值)"},
      // Past the selected plan's interval the worked share adds nothing.
      {10, 100, -20, 30, 62, 30, "偏低", "30 (健康)"},
  };
  for (const Case& c : cases) {
    const Health h = ComputeHealth(c.rest, c.run, c.worked, c.carry);
    EXPECT_EQ(h.score, c.score) << c.tired;
    EXPECT_EQ(h.bar, c.bar) << c.tired;
    EXPECT_EQ(h.status, c.status) << c.tired;
    EXPECT_EQ(h.tired_text, c.tired);
    EXPECT_EQ(h.score_text, std::to_string(c.score) + "分");
  }
  EXPECT_EQ(ComputeHealth(50, 100, 0, 0).advice, "暂无建议。");
  EXPECT_EQ(ComputeHealth(10, 100, 0, 0).advice, "建议增加休息以保持最佳状态！");
  EXPECT_EQ(ComputeHealth(0, 100, 100, 150).advice, "强烈建议你安排全面休息！");
}

TEST(Health, RestTimeCountsIdleBreaksAndStandbyNotBegunInABreak) {
  fake::Rig rig;
  rig.app.Start();
  EventLog& log = rig.app.log();
  auto record = [&](uint8_t kind, uint64_t ms, uint8_t value) {
    log.LogEvent(false, true, 0, kind, true);
    rig.loop.Advance(ms);
    uint8_t key = kind;
    if (kind == kEventScheduledBreak) key = kEventKeyBreak;
    if (kind >= kEventOutsideStandBy) key = kEventKeyPower;
    log.LogEvent(false, false, value, key, true);
  };
  record(kEventManualStandBy, 10 * kMin, 0);
  record(kEventOutsideStandBy, 7 * kMin, 99);  // begun in a break
  record(kEventAutoStandBy, 3 * kMin, 0);      // automatic: not counted
  record(kEventScheduledBreak, 5 * kMin, 125);
  EXPECT_EQ(RestMs(log, 4), (4 + 10 + 5) * kMin);
}

TEST(Figures, BeforeTheFirstBreakAndAfterSomeEndedEarly) {
  fake::Rig rig;
  rig.loop.Advance((26 * 60 + 5) * kMin - rig.loop.Tick());  // the machine has run 1 day 2:05
  rig.app.Start();
  const DateTimeFormat f;
  StatFigures s = ComputeFigures(rig.loop, f, rig.app.log(), rig.app.engine());
  EXPECT_EQ(s.break_prev, "无");
  EXPECT_EQ(s.break_count, "0");
  EXPECT_EQ(s.uncompleted, "0");
  EXPECT_EQ(s.pc_time_used, "1天 2:05");
  EXPECT_EQ(s.app_time_used, "0天 0:00");
  EXPECT_EQ(s.sys_start_speed, "2:05:00");

  // Three breaks: the first ran to its end, the second ended with a quarter left, the third
  // with a tenth.
  EventLog& log = rig.app.log();
  uint64_t last_break = 0;
  for (uint8_t value : {100, 125, 110}) {
    rig.loop.Advance(30 * kMin);
    last_break = rig.loop.Tick();
    log.LogEvent(false, true, 0, kEventScheduledBreak, true);
    rig.loop.Advance(5 * kMin);
    log.LogEvent(false, false, value, kEventKeyBreak, true);
    log.LogEvent(true, true, 0, kEventNewCycle, true);
    ++EngineTestAccess::Values(rig.app.engine()).CycleNo;
  }
  s = ComputeFigures(rig.loop, f, log, rig.app.engine());
  EXPECT_EQ(s.break_count, "3");
  EXPECT_EQ(s.uncompleted, "2");
  EXPECT_EQ(s.app_time_used, "0天 1:45");
  EXPECT_EQ(s.break_prev, CutSeconds(DateTimeText(TickToDateTime(rig.loop, last_break), f)));
}

}  // namespace
}  // namespace tavu

namespace tavu {
namespace {

// The history text leaves the seconds out of the time picture where it can; it must read as
// the date-time text with its seconds cut off, whatever the user's formats.
TEST(History, LinesMatchTheDateTimeTextsWithoutSecondsInEveryFormat) {
  fake::Rig rig;
  rig.app.Start();
  EventLog& log = rig.app.log();
  rig.loop.Advance(26 * 60 * 60'000 + 7'000);  // past a day boundary, seconds not zero
  log.LogEvent(false, true, 0, kEventScheduledBreak, true);
  rig.loop.Advance(5 * 60'000 + 3'000);
  log.LogEvent(false, false, 125, kEventKeyBreak, true);
  for (const char* time : {"H:mm:ss", "tt h:mm:ss", "HH:mm:ss tt", "h时mm分ss"}) {
    SCOPED_TRACE(time);
    DateTimeFormat f;
    f.long_time = time;
    const EventRecord& r = log.Cycles()[0].back();
    const std::string start = CutSeconds(DateTimeText(TickToDateTime(rig.loop, r.StartTick), f));
    const std::string end = CutSeconds(DateTimeText(TickToDateTime(rig.loop, r.EndTick), f));
    const std::string text = HistoryText(rig.loop, f, log);
    const std::string last = text.substr(text.rfind("\r\n") + 2);
    EXPECT_EQ(last, "计划内强制休息: " + start + " 至 " + end + ", 约" +
                        CutSeconds(DurationText(MsToDateTime(r.EndTick - r.StartTick), f)) +
                        ", (25% 未完成!)");
  }
}

}  // namespace
}  // namespace tavu
