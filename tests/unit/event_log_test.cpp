#include <gtest/gtest.h>

#include "cycle/event_log.hpp"
#include "stats/history.hpp"
#include "fakes.hpp"

namespace tavu {
namespace {

using fake::Rig;
using fake::VirtualLoop;

constexpr uint64_t kMin = 60'000;
constexpr uint64_t kZero = 1'000'000;  // the virtual clock's first tick

// The log on a virtual clock whose tick kZero is 2011-3-5 8:30:00.
struct LogFixture : ::testing::Test {
  LogFixture() { loop.wall_at_zero = {2011, 3, 5, 8, 30, 0, 0}; }
  uint64_t At(int hour, int minute) const { return kZero + ((hour - 8) * 60 + minute - 30) * kMin; }
  void AdvanceTo(uint64_t tick) { loop.Advance(tick - loop.Tick()); }
  std::string Line(uint8_t kind, uint64_t start, uint8_t value, uint64_t end) {
    return EventLineText(loop, format, kind, start, value, end);
  }
  VirtualLoop loop;
  EventLog log{loop, loop};
  DateTimeFormat format{"yyyy-M-d", "H:mm:ss"};
};

TEST(EventLogStart, TheProgramStartOpensTheFirstCycle) {
  Rig rig;
  rig.app.Start();
  const auto& cycles = rig.app.log().Cycles();
  ASSERT_EQ(cycles.size(), 1u);
  ASSERT_EQ(cycles[0].size(), 1u);
  EXPECT_EQ(cycles[0][0], (EventRecord{1, kEventProgramStart, rig.loop.Tick(), 0, 0, 0}));
  EXPECT_EQ(rig.app.log().EventSeqNo(), 1);
}

TEST(EventKinds, HaveTheirTextsAndTheSearchKeysNone) {
  EXPECT_EQ(EventKindText(0), "程序开始运行");
  EXPECT_EQ(EventKindText(6), "空闲超时,休息重新计时");
  EXPECT_EQ(EventKindText(7), "空闲超时,休息重新计时");
  EXPECT_EQ(EventKindText(9), "休息前提醒");
  EXPECT_EQ(EventKindText(20), "系统自动待机,失败");
  EXPECT_EQ(EventKindText(28), "手动休眠,失败");
  EXPECT_EQ(EventKindText(29), "推迟休息");
  EXPECT_EQ(EventKindText(30), "暂停休息提醒");
  for (uint8_t none : {2, 3, 16, 31, 255}) EXPECT_EQ(EventKindText(none), "") << int(none);
}

TEST_F(LogFixture, SearchKeysFindTheLastMatchingRecordOfACycle) {
  log.LogEvent(true, true, 0, kEventProgramStart, true);
  for (uint8_t kind : {11, 8, 19, 12, 8, 21, 4}) log.LogEvent(false, true, 0, kind, true);
  EXPECT_EQ(log.FindLastEvent(0, kEventKeyBreak), 4u);  // 12 is newer than 11
  EXPECT_EQ(log.FindLastEvent(0, kEventIdle), 5u);
  EXPECT_EQ(log.FindLastEvent(0, kEventKeyPower), 6u);  // 21 is newer than 19
  EXPECT_EQ(log.FindLastEvent(0, kEventDisplayOff), EventLog::kNone);
  EXPECT_EQ(log.FindLastEvent(1, kEventIdle), EventLog::kNone);  // no such cycle
  log.LogEvent(true, true, 0, kEventNewCycle, true);
  EXPECT_EQ(log.FindLastEvent(1, kEventKeyBreak), EventLog::kNone);
}

TEST_F(LogFixture, ClosingSetsTheEndByKindAndStampsTheSequenceNumber) {
  log.LogEvent(true, true, 0, kEventProgramStart, true);
  AdvanceTo(At(9, 0));
  loop.Input();
  AdvanceTo(At(9, 2));
  log.LogEvent(false, true, 0, kEventIdle, false);  // starts at the last input, 9:00
  log.LogEvent(false, true, 0, kEventManualBreak, true);
  log.LogEvent(false, true, 0, kEventAutoStandBy, true);
  AdvanceTo(At(9, 10));
  log.LogEvent(false, false, 0, kEventIdle, true, 3);
  log.LogEvent(false, false, 125, kEventKeyBreak, true);
  log.LogEvent(false, false, 0, kEventKeyPower, true);
  const EventCycle& c = log.Cycles()[0];
  EXPECT_EQ(c[1], (EventRecord{2, kEventIdle, At(9, 0), 5, At(9, 3), 0}));
  EXPECT_EQ(c[2], (EventRecord{3, kEventManualBreak, At(9, 2), 6, At(9, 10), 125}));
  EXPECT_EQ(c[3], (EventRecord{4, kEventAutoStandBy, At(9, 2), 7, At(9, 10), 0}));
}

TEST_F(LogFixture, AClosedOrMissingRecordIsNotClosedAgain) {
  log.LogEvent(true, true, 0, kEventProgramStart, true);
  log.LogEvent(false, true, 0, kEventManualStandBy, true);
  AdvanceTo(At(9, 0));
  log.LogEvent(false, false, 0, kEventKeyPower, true);
  // A later resume without its own power record must not stretch the old one to now.
  AdvanceTo(At(14, 0));
  log.LogEvent(false, false, 99, kEventKeyPower, true);
  EXPECT_EQ(log.Cycles()[0][1].EndTick, At(9, 0));
  EXPECT_EQ(log.Cycles()[0][1].Value, 0);
  // A new cycle holds no power record at all.
  log.LogEvent(true, true, 0, kEventNewCycle, true);
  log.LogEvent(false, false, 99, kEventKeyPower, true);
  EXPECT_EQ(log.Cycles()[1].size(), 1u);
  EXPECT_EQ(log.EventSeqNo(), 4);
}

TEST_F(LogFixture, SearchKeysAndDemonstrationsAreNeverStored) {
  log.LogEvent(true, true, 0, kEventProgramStart, true);
  for (uint8_t kind : {2, 3, 16, 31}) log.LogEvent(false, true, 0, kind, true);
  EXPECT_EQ(log.Cycles()[0].size(), 1u);
  EXPECT_EQ(log.EventSeqNo(), 1);
}

TEST_F(LogFixture, LinesReadAsTheHistoryPageShowsThem) {
  AdvanceTo(At(15, 0));
  struct Case {
    uint8_t kind;
    uint64_t start;
    uint8_t value;
    uint64_t end;
    std::string line;
  };
  const Case cases[] = {
      {12, At(14, 2), 140, At(14, 7),
       "手动强制休息: 2011-3-5 14:02 至 2011-3-5 14:07, 约0:05, (40% 未完成!)"},
      {4, At(14, 1), 3, 0, "申请延长工作时间: 2011-3-5 14:01, 约3 分钟"},
      {0, At(8, 30), 0, 0, "程序开始运行: 2011-3-5 8:30"},
      {11, At(10, 0), 100, At(10, 5), "计划内强制休息: 2011-3-5 10:00 至 2011-3-5 10:05, 约0:05"},
      {8, At(11, 0), 0, At(11, 3), "开始空闲时间: 2011-3-5 11:00 至 2011-3-5 11:03, 约0:03"},
      {17, At(12, 0), 99, 0, "外部待机: 2011-3-5 12:00"},
      {11, At(12, 0), 200, 0, "计划内强制休息: 2011-3-5 12:00"},
      {5, At(13, 0), 16, 0, "空闲补时: 2011-3-5 13:00, 约16 分钟"},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.kind, c.start, c.value, c.end), c.line);

  std::vector<std::string> memo{"first"};
  AppendEventLine(memo, loop, format, 0, At(8, 30), 0, 0);
  EXPECT_EQ(memo, (std::vector<std::string>{"first", "程序开始运行: 2011-3-5 8:30"}));
}

TEST_F(LogFixture, ASpanOfADayOrMoreKeepsItsDays) {
  const uint64_t start = At(9, 0);
  const uint64_t end = start + (26 * 60 + 3) * kMin;  // 2011-3-6 11:03
  AdvanceTo(end);
  EXPECT_EQ(Line(21, start, 0, end), "手动待机: 2011-3-5 9:00 至 2011-3-6 11:03, 约1天 2:03");
}

TEST_F(LogFixture, TicksMoreThanADayAwayConvertToThatManyDaysAndHours) {
  loop.wall_at_zero = {2011, 2, 27, 20, 15, 30, 0};
  AdvanceTo(kZero + (3 * 24 * 60 + 4 * 60) * kMin + 999);  // 2011-3-3 0:15:30.999
  EXPECT_EQ(TickToDateTime(loop, kZero).ToLocal(), (LocalTime{2011, 2, 27, 20, 15, 30, 999}));
  EXPECT_EQ(TickToDateTime(loop, loop.Tick() + 25 * 60 * kMin).ToLocal(),
            (LocalTime{2011, 3, 4, 1, 15, 30, 999}));
  EXPECT_EQ(MsToDateTime(2 * 86'400'000ull + 3'723'456), (DateTime{2 * 86'400'000 + 3'723'000}));
}

TEST(DateTimeFormatting, FollowsWindowsFormatPictures) {
  const DateTimeFormat f;
  const DateTime t = DateTime::FromLocal({2026, 1, 4, 7, 5, 9, 0});  // a Sunday
  const DateTime pm = DateTime::FromLocal({2026, 12, 9, 15, 30, 0, 0});
  struct Case {
    const char* picture;
    DateTime at;
    std::string text;
  };
  const Case cases[] = {
      {"yyyy/M/d", t, "2026/1/4"},
      {"yy-MM-dd", t, "26-01-04"},
      {"yyyy'年'M'月'd'日' dddd", t, "2026年1月4日 星期日"},
      {"ddd MMM MMMM", t, "周日 1月 一月"},
      {"H:mm:ss", t, "7:05:09"},
      {"HH:mm", t, "07:05"},
      {"tt h:mm:ss", pm, "下午 3:30:00"},
      {"hh:mm t", t, "07:05 上"},
      {"'It''s' H", t, "It's 7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.picture, c.at, f), c.text) << c.picture;
  EXPECT_EQ(DateTimeText(t, f), "2026/1/4 7:05:09");
}

TEST(CutSeconds, DropsTheLastThreeCharactersNotBytes) {
  EXPECT_EQ(CutSeconds("14:02:00"), "14:02");
  EXPECT_EQ(CutSeconds("14时02分00秒"), "14时02分");
  EXPECT_EQ(CutSeconds("ab"), "");
}

}  // namespace
}  // namespace tavu
