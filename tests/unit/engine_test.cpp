#include <gtest/gtest.h>

#include "cycle/engine.hpp"
#include "engine_access.hpp"
#include "engine_rig.hpp"

namespace tavu {
namespace {

using test::EngineRig;
using test::kMin;

TEST(IdleCredit, WeightsShortStretchesByFrequencyOfUse) {
  // credits[frequency][i - 1][E - 5]
  const int credits[3][4][7] = {
      {{1, 2, 2, 2, 2, 2, 3},
       {5, 5, 6, 7, 8, 9, 10},
       {12, 14, 17, 19, 22, 24, 26},
       {20, 24, 28, 32, 36, 40, 44}},
      {{1, 1, 1, 1, 1, 1, 1},
       {3, 4, 4, 5, 5, 6, 7},
       {10, 12, 14, 16, 18, 20, 21},
       {18, 22, 25, 29, 32, 36, 40}},
      {{0, 0, 0, 0, 0, 1, 1},
       {1, 2, 2, 2, 3, 3, 3},
       {8, 9, 10, 12, 14, 15, 16},
       {16, 19, 22, 26, 29, 32, 35}},
  };
  for (int frequency = 0; frequency < 3; ++frequency)
    for (int i = 1; i <= 4; ++i)
      for (int e = 5; e <= 11; ++e) {
        BreakPlan plan{
            .BreakInterval = 45, .ExtWorkMinsPerIdle = uint8_t(e), .IdleMinsResetCycle = 10};
        EXPECT_EQ(IdleCreditFor(uint16_t(i), plan, frequency), credits[frequency][i - 1][e - 5])
            << "frequency " << frequency << ", i " << i << ", E " << e;
      }
}

TEST(IdleCredit, LongerStretchesCountInFullAndAResetGivesAWholeCycle) {
  const BreakPlan plan{.BreakInterval = 45, .ExtWorkMinsPerIdle = 8, .IdleMinsResetCycle = 7};
  EXPECT_EQ(IdleCreditFor(5, plan, 1), 40);
  EXPECT_EQ(IdleCreditFor(6, plan, 0), 48);
  EXPECT_EQ(IdleCreditFor(7, plan, 1), 44);
  EXPECT_EQ(IdleCreditFor(300, plan, 2), 44);
  // A reset threshold below 5 minutes wins over the weights.
  const BreakPlan short_reset{
      .BreakInterval = 30, .ExtWorkMinsPerIdle = 5, .IdleMinsResetCycle = 3};
  EXPECT_EQ(IdleCreditFor(3, short_reset, 1), 29);
}

TEST(IdleCredit, AnUnknownFrequencyCountsAsNormal) {
  const BreakPlan plan{.BreakInterval = 45, .ExtWorkMinsPerIdle = 8, .IdleMinsResetCycle = 10};
  for (int frequency : {-1, 3, 99})
    for (uint16_t i = 1; i <= 4; ++i)
      EXPECT_EQ(IdleCreditFor(i, plan, frequency), IdleCreditFor(i, plan, 1));
}

struct ApplyIdleCreditTest : ::testing::Test, EngineRig {
  ApplyIdleCreditTest() {
    UsePlan(45, 8, 5);                                           // a full cycle is 44
    rig.loop.Stop(rig.app.engine(), Engine::kDetectPauseTimer);  // only the clock moves
  }
  uint8_t Apply(bool reset, uint8_t credit, uint8_t mins_to_hint, uint64_t elapsed_ms) {
    EngineTestAccess::Values(engine()).MinsToHint = mins_to_hint;
    EngineTestAccess::Values(engine()).CycleStartTick = rig.loop.Tick();
    rig.loop.Advance(elapsed_ms);
    return EngineTestAccess::ApplyIdleCredit(engine(), reset, credit);
  }
};

TEST_F(ApplyIdleCreditTest, MovesTheDuePointBackFromTheRealTimeElapsed) {
  EXPECT_EQ(Apply(false, 16, 44, 23 * kMin + 59'999), 37);
  EXPECT_EQ(LastRecord().Kind, kEventIdleCredit);
  EXPECT_EQ(LastRecord().Value, 16);
  EXPECT_FALSE(EngineTestAccess::FreshStart(engine()));
}

TEST_F(ApplyIdleCreditTest, AResetGivesAFullCycle) {
  EXPECT_EQ(Apply(true, 0, 20, 10 * kMin), 44);
  EXPECT_EQ(LastRecord().Kind, kEventIdleReset);
  EXPECT_TRUE(EngineTestAccess::FreshStart(engine()));
}

TEST_F(ApplyIdleCreditTest, ACreditBeyondAFullCycleOrAnOverrunRestartsInFull) {
  struct Case {
    uint8_t credit, mins_to_hint;
    uint64_t elapsed;
  };
  // 44 - 0 + 10 = 54 exceeds the cycle; 10 - 20 + 5 = -5 is 251 in 8 bits.
  for (const Case& c : {Case{10, 44, 0}, Case{5, 10, 20 * kMin}}) {
    EXPECT_EQ(Apply(false, c.credit, c.mins_to_hint, c.elapsed), 44);
    EXPECT_EQ(LastRecord().Kind, kEventCreditOverCycle);
    EXPECT_EQ(LastRecord().Value, 0);
    EXPECT_TRUE(EngineTestAccess::FreshStart(engine()));
  }
}

TEST_F(ApplyIdleCreditTest, ACreditThatJustMeetsTheOverrunMakesTheBreakDueAtTheNextTick) {
  EXPECT_EQ(Apply(false, 5, 10, 15 * kMin), 1);
  EXPECT_EQ(LastRecord().Kind, kEventIdleCredit);
}

// The notices of the coming break, by minutes left and by the last-minute switches.
TEST(Notices, TheLastMinuteHintOnlyStandsInForAHiddenCountdown) {
  struct Case {
    int mode;
    bool free_switch, password_switch;
    bool hint_at_one;
  };
  const Case cases[] = {
      {0, false, false, false}, {0, true, false, true}, {1, true, false, false},
      {1, false, true, true},   {2, true, true, false}, {3, true, true, false},
  };
  for (const Case& c : cases) {
    EngineRig r;
    r.UsePlan(30, 8, 6);
    Settings& s = r.rig.app.settings();
    s.SelectBreakMode = c.mode;
    s.NotShowFrmBreakHintLastOneMin_FreeMode = c.free_switch;
    s.NotShowFrmBreakHintLastOneMin_PasswordMode = c.password_switch;
    r.Run(std::string(29, 'a'));
    std::vector<std::string> expected{"1 HintSmall 0", "24 HintSmall 1", "27 HintSmall 1"};
    if (c.hint_at_one) expected.push_back("28 HintSmall 1");
    expected.push_back(c.hint_at_one ? "29 Countdown hidden" : "29 Countdown shown");
    EXPECT_EQ(r.Requests({"HintSmall", "Countdown"}), expected) << "mode " << c.mode;
    EXPECT_EQ(r.engine().Values().RemindReason, kRemindBreakApproaching);
  }
}

TEST(Notices, ASmallCreditGivesNoNextBreakNotice) {
  EngineRig r;
  r.UsePlan(45, 8, 5);
  r.Run("aaaaa.aa");  // one idle minute: Round(0.1 × 8) = 1
  EXPECT_EQ(r.engine().Values().LastCreditMins, 1);
  EXPECT_EQ(r.Requests({"HintSmall"}), std::vector<std::string>{"1 HintSmall 0"});
  EXPECT_EQ(r.engine().Values().RemindReason, kRemindNextBreak);
}

TEST(Notices, NoNextBreakNoticeWhenLessThanTenMinutesAreLeft) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  EngineTestAccess::RestartCountdown(r.engine(), 9);
  r.Run("a");
  EXPECT_EQ(r.Requests({"HintSmall"}), std::vector<std::string>{});
  EXPECT_EQ(r.engine().Values().RemindReason, kRemindBreakApproaching);
}

TEST(WorkedExample, ThreeIdleMinutesMoveTheBreakBackBySixteen) {
  EngineRig r;
  r.UsePlan(45, 8, 5);
  Engine& e = r.engine();
  EngineTestAccess::Values(e).TiredIndexCarry = 50;
  EXPECT_EQ(e.Values().MinsToHint, 44);
  r.Run(std::string(19, 'a'));
  EXPECT_EQ(e.Values().WorkMins, 19);
  r.Run("...");
  EXPECT_EQ(e.Values().IdleMins, 3);
  EXPECT_EQ(e.Values().WorkMins, 22);
  const EventRecord idle = r.rig.app.log().Cycles()[0][1];
  EXPECT_EQ(idle.Kind, kEventIdle);
  EXPECT_EQ(idle.StartTick, r.start + 18 * kMin + kMin / 2);  // the last input, mid-minute 19
  r.Run("a");                                                 // tick 23
  const EventCycle& cycle = r.rig.app.log().Cycles()[0];
  ASSERT_EQ(cycle.size(), 4u);
  EXPECT_EQ(cycle[1].EndTick, idle.StartTick + 3 * kMin);
  EXPECT_EQ(cycle[2].Kind, kEventScreenSaverAuto);  // after two idle minutes
  EXPECT_EQ(cycle[3].Kind, kEventIdleCredit);
  EXPECT_EQ(cycle[3].Value, 16);
  EXPECT_EQ(e.Values().MinsToHint, 37);
  EXPECT_EQ(e.Values().WorkMins, 0);
  EXPECT_EQ(e.Values().IdleMins, 0);
  EXPECT_EQ(e.Values().LastCreditMins, 16);
  EXPECT_EQ(e.Values().TiredIndexCarry, 20);  // Round((1 - 3/5) × 50)
  r.Run(std::string(37, 'a'));
  EXPECT_EQ(r.Requests({"HintSmall", "Countdown"}),
            (std::vector<std::string>{"1 HintSmall 0", "24 HintSmall 0", "55 HintSmall 1",
                                      "58 HintSmall 1", "60 Countdown shown"}));
}

TEST(WorkedExample, FiveIdleMinutesRestartTheCycle) {
  EngineRig r;
  r.UsePlan(45, 8, 5);
  EngineTestAccess::Values(r.engine()).TiredIndexCarry = 50;
  r.Run(std::string(19, 'a') + ".....a");
  EXPECT_EQ(r.LastRecord().Kind, kEventIdleReset);
  EXPECT_EQ(r.engine().Values().MinsToHint, 44);
  EXPECT_EQ(r.engine().Values().TiredIndexCarry, 0);
  EXPECT_EQ(r.engine().Values().LastCreditMins, Engine::kNoCredit);  // a fresh cycle again
}

TEST(MissedMinutes, ASleepCountsAsIdleTimeAtTheFirstActiveTick) {
  EngineRig r;
  r.UsePlan(45, 8, 10);
  EngineTestAccess::Values(r.engine()).TiredIndexCarry = 100;
  r.Run("aaa");
  r.rig.loop.Advance(kMin / 2);
  r.rig.loop.Suspend(10 * kMin);
  r.rig.loop.Input();     // the user wakes the machine
  r.rig.loop.Advance(0);  // the overdue tick fires at once
  // 10.5 minutes since the last active tick, 9 of them never ticked: a credit of 9 × 8 is more
  // than the cycle, so it restarts in full, and the carry keeps 1 - 9/10 of itself.
  EXPECT_EQ(r.LastRecord().Kind, kEventCreditOverCycle);
  EXPECT_EQ(r.engine().Values().TiredIndexCarry, 10);
  EXPECT_EQ(r.rig.app.log().Cycles()[0].size(), 2u);  // no idle tick, so no idle record
}

TEST(MissedMinutes, RegularTicksMissNothing) {
  EngineRig r;
  r.UsePlan(45, 8, 10);
  r.Run(std::string(10, 'a') + "..a");
  EXPECT_EQ(r.LastRecord().Kind, kEventIdleCredit);
  EXPECT_EQ(r.LastRecord().Value, 5);  // Round(2 × 0.3 × 8): the two counted idle minutes only
  EXPECT_EQ(r.engine().Values().MinsToHint, 36);
}

TEST(BreakNow, TheMenuAsksFirstAndOpensTheBreakScreenAtOnce) {
  EngineRig r;
  r.rig.app.settings().ToggleB4Break = true;
  r.rig.dialogs.answers = {false, true};
  r.engine().NBreakNowClick();
  EXPECT_TRUE(r.rig.engine_actions.requests.empty());
  r.engine().NBreakNowClick();
  ASSERT_EQ(r.rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(r.rig.dialogs.shown[1].text, "你主动选择了休息，确定要马上休息吗？");
  EXPECT_EQ(r.rig.dialogs.shown[1].caption, "岚禾提示");
  EXPECT_EQ(r.rig.engine_actions.Whats(),
            (std::vector<std::string>{"ToggleDesktop", "BreakScreen"}));
  EXPECT_FALSE(r.rig.engine_actions.last_demo);
  EXPECT_FALSE(r.engine().BreakCommandsEnabled());
  EXPECT_TRUE(r.engine().CountdownPreviewEnabled());
  EXPECT_EQ(r.LastRecord().Kind, kEventManualBreak);
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::BreakOpen);
  EXPECT_FALSE(r.TickRunning());
}

// Back from a pause, the user takes the break from the menu before the next tick: the pause
// ends where the break begins, or its record would stay open in a cycle that is over.
TEST(BreakNow, ClosesThePauseItInterrupts) {
  EngineRig r;
  r.Run("aa...");
  r.rig.loop.Input();
  r.rig.dialogs.answers = {true};
  r.engine().NBreakNowClick();
  const EventCycle& cycle = r.rig.app.log().Cycles()[0];
  ASSERT_EQ(cycle[1].Kind, kEventIdle);
  EXPECT_EQ(cycle[1].EndTick, cycle[1].StartTick + 3 * kMin);
  EXPECT_EQ(r.LastRecord().Kind, kEventManualBreak);
  EXPECT_LT(cycle[1].EndSeqNo, r.LastRecord().StartSeqNo);
}

TEST(BreakNow, AYesAfterTheCountdownOpenedMeanwhileOpensNoSecondBreak) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  r.Run(std::string(29, 'a'));  // the countdown opens while the question waits
  r.rig.dialogs.answers = {true};
  r.rig.engine_actions.Clear();
  r.engine().NBreakNowClick();
  EXPECT_TRUE(r.rig.engine_actions.requests.empty());
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::CountdownOpen);
  EXPECT_EQ(r.LastRecord().Kind, kEventCountdown);
}

TEST(BreakNow, TheDueCountdownDisablesTheBreakCommandsAndStopsTheTick) {
  EngineRig r;
  EngineTestAccess::BreakTimerTimer(r.engine());
  EXPECT_EQ(r.rig.engine_actions.Whats(), (std::vector<std::string>{"Countdown shown"}));
  EXPECT_FALSE(r.engine().BreakCommandsEnabled());
  EXPECT_FALSE(r.engine().CountdownPreviewEnabled());
  EXPECT_EQ(r.LastRecord().Kind, kEventCountdown);
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::CountdownOpen);
  EXPECT_FALSE(r.TickRunning());
}

TEST(Demonstrations, ARealCountdownDuringADemonstrationBreakEndsInARealBreak) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  r.engine().NBreakDemoClick();
  r.engine().CountdownEnded(true, 0, false);
  r.engine().CountdownClosed();
  r.Run(std::string(29, 'a'));  // the break falls due under the demonstration break screen
  r.engine().BreakLeft(true, 0, 3);
  EXPECT_FALSE(r.engine().BreakCommandsEnabled());  // the scheduled countdown still runs
  r.engine().CountdownEnded(false, 2, false);
  EXPECT_FALSE(r.rig.engine_actions.last_demo);
  EXPECT_EQ(r.rig.engine_actions.last_delayed_mins, 2);
  EXPECT_EQ(r.LastRecord().Kind, kEventScheduledBreak);
  EXPECT_EQ(r.engine().Phase(), CyclePhase::BreakOpen);
}

TEST(Demonstrations, LogNothingAndLeaveTheCycleAlone) {
  EngineRig r;
  r.rig.app.settings().SelectBreakMode = 0;
  r.rig.app.settings().NotShowFrmBreakHintLastOneMin_FreeMode = true;
  r.engine().NBreakDemoClick();
  EXPECT_TRUE(r.rig.engine_actions.last_demo);
  EXPECT_TRUE(r.engine().BreakCommandsEnabled());  // as long as only the countdown runs
  EXPECT_FALSE(r.engine().CountdownPreviewEnabled());
  r.engine().CountdownEnded(true, 0, false);  // the countdown window hands over and goes
  r.engine().CountdownClosed();
  EXPECT_EQ(r.rig.engine_actions.Whats(),
            (std::vector<std::string>{"Countdown shown", "BreakScreen"}));
  EXPECT_TRUE(r.rig.engine_actions.last_demo);
  EXPECT_FALSE(r.engine().BreakCommandsEnabled());
  EXPECT_TRUE(r.engine().CountdownPreviewEnabled());
  r.engine().BreakLeft(true, 0, 3);
  EXPECT_TRUE(r.engine().BreakCommandsEnabled());
  EXPECT_EQ(r.rig.app.log().Cycles()[0].size(), 1u);
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::Working);
  EXPECT_TRUE(r.TickRunning());
}

TEST(IdleActions, FireOnceAtTheirMinuteOfAnIdleStretch) {
  EngineRig r;
  Settings& s = r.rig.app.settings();
  s.SCR = 2;
  s.ShutDownDisplayer = 5;
  s.LetSuspend = 20;
  s.StandByOrSleep = 1;
  r.Run("a" + std::string(25, '.') + "a...");
  EXPECT_EQ(r.Requests({"ScreenSaver", "DisplayOff", "StandBy", "Hibernate"}),
            (std::vector<std::string>{"3 ScreenSaver", "6 DisplayOff", "21 Hibernate",
                                      "29 ScreenSaver"}));
}

TEST(IdleActions, AreSkippedWhenSwitchedOffOrTheSaverRunsAlready) {
  struct Case {
    const char* process;
    bool saver_form;
    bool saver_on;
  };
  for (const Case& c :
       {Case{"Bubbles.SCR", false, true}, Case{"x.exe", true, true}, Case{"x.exe", false, false}}) {
    EngineRig r;
    Settings& s = r.rig.app.settings();
    s.EnableSelfSCR = c.saver_on;
    s.EnableShutDownDisplayer = false;
    s.EnableSuspend = false;
    r.rig.processes.names.push_back(c.process);
    if (c.saver_form) r.rig.app.forms().Add("frmScrZEVO");
    r.Run(std::string(40, '.'));
    EXPECT_EQ(r.Requests({"ScreenSaver", "DisplayOff", "StandBy", "Hibernate"}),
              std::vector<std::string>{});
  }
}

TEST(WorkedPercent, RoundsHalvesToEvenAndGoesNegativePastTheInterval) {
  EngineRig r;
  r.UsePlan(40, 8, 6);
  Engine& e = r.engine();
  struct Case {
    uint8_t mins_to_hint, work_mins;
    int percent;
  };
  // 100 × (40 - m) / 40: m 39 → 2.5 → 2, m 37 → 7.5 → 8, m 50 → -25.
  for (const Case& c : {Case{39, 0, 2}, Case{39, 2, 8}, Case{50, 0, -25}, Case{39, 39, 100}}) {
    EngineTestAccess::Values(e).MinsToHint = c.mins_to_hint;
    EngineTestAccess::Values(e).WorkMins = c.work_mins;
    EXPECT_EQ(e.WorkedPercent(), c.percent) << int(c.mins_to_hint) << " " << int(c.work_mins);
  }
  // A plan chosen in the list but never captured has no interval; the plan in force stands in.
  r.rig.app.settings().BreakPlanPreSet = 0;
  EngineTestAccess::Values(e).MinsToHint = 30;
  EngineTestAccess::Values(e).WorkMins = 0;
  EXPECT_EQ(e.WorkedPercent(), 25);
}

TEST(NextBreakTime, IsOneMinuteAfterTheDuePoint) {
  EngineRig r;
  r.UsePlan(45, 8, 5);
  EXPECT_EQ(r.engine().NextBreakTime().ToLocal(), (LocalTime{2026, 12, 9, 9, 45, 0, 0}));
  r.Run("aaa");
  EXPECT_EQ(r.engine().NextBreakTime().ToLocal(), (LocalTime{2026, 12, 9, 9, 45, 0, 0}));
}

TEST(BreakScreen, ABreakLeftEarlyKeepsPartOfTheFatigueAndStartsANewCycle) {
  EngineRig r;
  r.UsePlan(40, 8, 6);
  Engine& e = r.engine();
  EngineTestAccess::Values(e).TiredIndexCarry = 40;
  r.Run(std::string(20, 'a'));
  EngineTestAccess::BreakNow(e, 0, kEventManualBreak);
  e.BreakScreenOpened(false);
  EXPECT_EQ(e.Values().TiredIndexCarry, 92);  // + 100 × (40 - 19) / 40 = 52.5 → 52
  EXPECT_EQ(e.Values().MinsToHint, 0);
  EXPECT_TRUE(r.TickRunning());
  r.rig.app.settings().BreakPlanPreSet = 0;  // chosen during the break
  r.rig.app.plans().cbxBreakPlanPreSetSelect();
  e.BreakLeft(false, 60, 240);
  EXPECT_EQ(e.Values().TiredIndexCarry, 23);
  const auto& cycles = r.rig.app.log().Cycles();
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(cycles[0].back().Kind, kEventManualBreak);
  EXPECT_EQ(cycles[0].back().Value, 125);
  EXPECT_EQ(cycles[0].back().EndTick, r.rig.loop.Tick());
  EXPECT_EQ(cycles[1][0].Kind, kEventNewCycle);
  EXPECT_EQ(e.Values().CycleNo, 2);
  EXPECT_EQ(e.Values().CycleState, CyclePhase::Working);
  EXPECT_EQ(r.rig.app.plans().AppliedPlanIndex(), 0);
  EXPECT_EQ(e.Values().MinsToHint, 29);
  EXPECT_EQ(e.Values().LastCreditMins, Engine::kNoCredit);
}

TEST(BreakScreen, LeftOpenForHoursItNeverTriggersTheDuePoint) {
  EngineRig r;
  r.UsePlan(30, 8, 6);
  EngineTestAccess::BreakNow(r.engine(), 0, kEventScheduledBreak);
  r.engine().BreakScreenOpened(false);
  r.rig.engine_actions.Clear();
  r.Run(std::string(256, '.') + std::string(300, 'a'));
  EXPECT_EQ(r.engine().Values().MinsToHint, 0);
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::BreakOpen);
  EXPECT_EQ(r.Requests({"Countdown", "HintSmall"}), std::vector<std::string>{});
  for (const EventRecord& e : r.rig.app.log().Cycles()[0]) EXPECT_NE(e.Kind, kEventIdle);
}

}  // namespace
}  // namespace tavu
