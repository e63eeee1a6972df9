// Whole working sessions on the virtual loop: the program starts at 9:00 and the user's
// activity is scripted minute by minute ('a' works, '.' away).
#include <gtest/gtest.h>

#include "engine_access.hpp"
#include "engine_rig.hpp"

namespace tavu {
namespace {

using test::EngineRig;
using test::kMin;
using Texts = std::vector<std::string>;

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

std::vector<uint8_t> Kinds(const EventCycle& cycle) {
  std::vector<uint8_t> kinds;
  for (const EventRecord& r : cycle) kinds.push_back(r.Kind);
  return kinds;
}

TEST(Session, AUserWhoNeverPausesGetsTheCountdownAfterTheIntervalLessOneMinute) {
  EngineRig r;  // the default plan: a break every 50 minutes
  r.Run(Repeat('a', 70));
  EXPECT_EQ(r.Requests({"HintSmall", "RemindCenter", "Countdown"}),
            (Texts{"1 HintSmall 0", "44 HintSmall 1", "47 HintSmall 1", "49 Countdown shown"}));
  // The tick stays stopped while the countdown window is open: no chime at 10:00.
  EXPECT_FALSE(r.TickRunning());
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::CountdownOpen);
  EXPECT_EQ(Kinds(r.rig.app.log().Cycles()[0]),
            (std::vector<uint8_t>{kEventProgramStart, kEventCountdown}));
  EXPECT_EQ(r.rig.app.log().Cycles()[0][1].StartTick, r.start + 49 * kMin);
}

TEST(Session, AwayAtTheDuePointTheCountdownWaitsAndTheStretchIsCredited) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  r.Run(Repeat('a', 28) + "..." + "a");  // away for ticks 29 to 31
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{});
  EXPECT_EQ(r.LastRecord().Kind, kEventIdleCredit);
  EXPECT_EQ(r.LastRecord().Value, 16);  // Round(3 × 0.65 × 8)
  EXPECT_EQ(r.engine().Values().MinsToHint,
            16);  // due at the last idle tick, 16 minutes on from there
  r.Run(Repeat('a', 16));
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{"48 Countdown shown"});
}

TEST(Session, OneMinuteAwayAtTheDuePointWithoutCreditOpensTheCountdownOnReturn) {
  EngineRig r;
  r.rig.app.settings().FrequencyOfPCOperation = 2;  // low: one idle minute earns Round(0.4) = 0
  r.UsePlan(30, 8, 6);
  r.Run(Repeat('a', 28) + ".a");
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{"30 Countdown shown"});
  EXPECT_EQ(r.engine().Values().LastCreditMins, 0);
}

TEST(Session, AnIdleStretchOfExactlyTheResetLengthStartsTheCycleAfresh) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  EngineTestAccess::Values(r.engine()).TiredIndexCarry = 40;
  r.Run(Repeat('a', 10) + Repeat('.', 6) + "a");
  EXPECT_EQ(Kinds(r.rig.app.log().Cycles()[0]),
            (std::vector<uint8_t>{kEventProgramStart, kEventIdle, kEventScreenSaverAuto,
                                  kEventIdleReset}));
  EXPECT_EQ(r.rig.app.log().Cycles()[0][1].EndTick - r.rig.app.log().Cycles()[0][1].StartTick,
            6 * kMin);
  EXPECT_EQ(r.engine().Values().TiredIndexCarry, 0);
  r.Run(Repeat('a', 29));
  EXPECT_EQ(r.Requests({"HintSmall 0", "Countdown"}),
            (Texts{"1 HintSmall 0", "18 HintSmall 0", "46 Countdown shown"}));
}

TEST(Session, RemindersAndChimesFireAtTheirWallClockMinutes) {
  EngineRig r;
  Settings& s = r.rig.app.settings();
  s.RemindOnce1 = true;
  s.HourOfRemindOnce1 = 9;
  s.MinOfRemindOnce1 = 7;
  s.RemindOnce2 = true;
  s.HourOfRemindOnce2 = 10;
  s.MinOfRemindOnce2 = 15;
  s.SelectRemindOnceWindow = 1;  // centre window
  s.RemindOnHalfHour = true;
  s.SelectRemindHourWindow = 0;  // small window
  r.UsePlan(60, 8, 6);
  // Away from 9:41 to 10:25: the due point keeps moving on, and so does the tick.
  r.Run(Repeat('a', 40) + Repeat('.', 45) + Repeat('a', 10));
  EXPECT_EQ(r.Requests({"RemindCenter", "HintSmall 2"}),
            (Texts{"7 RemindCenter 3", "30 HintSmall 2", "60 HintSmall 2", "75 RemindCenter 4",
                   "90 HintSmall 2"}));
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{});
}

TEST(Session, TheMachineSleepsThroughTheAfternoonPause) {
  EngineRig r;
  r.UsePlan(50, 8, 6);
  r.Run(Repeat('a', 20));
  r.rig.loop.Suspend(30 * kMin);  // no ticks, no idle actions while asleep
  r.rig.loop.Input();             // a key wakes the machine at 9:50
  r.rig.loop.Advance(0);          // and the overdue tick comes at once
  // It counts the 29 unticked minutes as an idle stretch, which restarts the cycle.
  EXPECT_EQ(r.LastRecord().Kind, kEventIdleReset);
  EXPECT_EQ(r.Requests({"ScreenSaver", "DisplayOff", "StandBy", "Hibernate"}), Texts{});
  r.Run(Repeat('a', 49));
  EXPECT_EQ(r.Requests({"HintSmall 0", "Countdown"}),
            (Texts{"1 HintSmall 0", "51 HintSmall 0", "99 Countdown shown"}));
}

TEST(Session, DuringABreakTheTickRunsOnWithChimesButNoNotices) {
  EngineRig r;
  r.UsePlan(50, 8, 6);
  r.Run(Repeat('a', 49));
  // The countdown window hands over and the break screen opens (their own steps).
  r.rig.loop.Advance(kMin);
  EngineTestAccess::BreakNow(r.engine(), 0, kEventScheduledBreak);
  r.engine().BreakScreenOpened(false);
  r.rig.engine_actions.Clear();
  r.Run(Repeat('.', 10));  // the break runs over 10:00
  EXPECT_EQ(r.Requests({"HintSmall", "RemindCenter", "Countdown"}), Texts{"60 RemindCenter 2"});
  // Idle actions still run in the break, each with its record.
  EXPECT_EQ(Kinds(r.rig.app.log().Cycles()[0]),
            (std::vector<uint8_t>{kEventProgramStart, kEventCountdown, kEventScheduledBreak,
                                  kEventScreenSaverAuto, kEventDisplayOff}));
}

// Real chimes and breaks sound; demonstrations never do, and the switch silences everything.
TEST(Session, ChimesAndRealBreaksSoundUnlessSwitchedOff) {
  using C = SoundCue;
  for (bool on : {true, false}) {
    SCOPED_TRACE(on);
    EngineRig r;
    r.rig.app.settings().SoundCues = on;
    r.rig.app.settings().RemindOnHalfHour = true;
    r.UsePlan(50, 8, 6);
    r.Run(Repeat('a', 49));  // 9:30 chimes on the way
    r.engine().DemoBreak();
    r.engine().BreakScreenOpened(true);
    r.engine().BreakLeft(true, 0, 3);
    EXPECT_EQ(r.rig.sound.played, on ? std::vector<C>{C::Chime} : std::vector<C>{});
    r.rig.loop.Advance(kMin);
    EngineTestAccess::BreakNow(r.engine(), 0, kEventScheduledBreak);
    r.engine().BreakScreenOpened(false);
    r.engine().BreakLeft(false, 0, 480);
    EXPECT_EQ(r.rig.sound.played,
              on ? (std::vector<C>{C::Chime, C::BreakStart, C::BreakEnd}) : std::vector<C>{});
  }
}

}  // namespace
}  // namespace tavu
