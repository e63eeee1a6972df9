#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_access.hpp"
#include "fakes.hpp"

namespace tavu {
namespace {

using Kinds = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

// The kinds the last cycle gained since `from` records.
Kinds KindsSince(fake::Rig& rig, std::size_t from) {
  Kinds out;
  const auto& cycle = rig.app.log().Cycles().back();
  for (std::size_t i = from; i < cycle.size(); ++i) out.push_back(cycle[i].Kind);
  return out;
}

TEST(Power, StandByAndHibernationAskWhenManualAndLogEveryAttemptTruthfully) {
  struct Case {
    const char* name;
    bool hibernate, manual, answer, privilege, call_ok;
    uint64_t slept_ms;
    bool asked;
    Texts power_calls;
    Kinds kinds;
  };
  const Case cases[] = {
      {"auto standby",
       false,
       false,
       true,
       true,
       true,
       60'000,
       false,
       {"Privilege on", "StandBy"},
       {kEventAutoStandBy}},
      {"manual standby, yes",
       false,
       true,
       true,
       true,
       true,
       60'000,
       true,
       {"Privilege on", "StandBy"},
       {kEventManualStandBy}},
      {"manual standby, no", false, true, false, true, true, 60'000, true, {}, {}},
      {"manual hibernation, yes",
       true,
       true,
       true,
       true,
       true,
       60'000,
       true,
       {"Privilege on", "Hibernate"},
       {kEventManualHibernate}},
      {"auto hibernation",
       true,
       false,
       true,
       true,
       true,
       60'000,
       false,
       {"Privilege on", "Hibernate"},
       {kEventAutoHibernate}},
      {"no privilege",
       false,
       false,
       true,
       false,
       true,
       60'000,
       false,
       {"Privilege on"},
       {kEventAutoStandBy, kEventAutoStandByFailed}},
      {"refused by the system",
       true,
       true,
       true,
       true,
       false,
       0,
       true,
       {"Privilege on", "Hibernate"},
       {kEventManualHibernate, kEventManualHibernateFailed}},
      // Reported as done, yet the machine never slept: a failure all the same.
      {"success that was not",
       false,
       true,
       true,
       true,
       true,
       20,
       true,
       {"Privilege on", "StandBy"},
       {kEventManualStandBy, kEventManualStandByFailed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Rig rig;
    rig.app.Start();
    rig.dialogs.answers = {c.answer};
    rig.power.privilege = c.privilege;
    rig.power.outcome = {c.call_ok, c.slept_ms};
    const std::size_t before = rig.app.log().Cycles().back().size();
    if (c.hibernate)
      rig.app.power().LetSysSleep(c.manual);
    else
      rig.app.power().LetSysStandBy(c.manual);
    EXPECT_EQ(rig.dialogs.shown.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(rig.dialogs.shown[0].text,
                c.hibernate ? "系统正准备休眠,要继续吗?" : "系统正准备待机,要继续吗?");
    }
    EXPECT_EQ(rig.power.calls, c.power_calls);
    EXPECT_EQ(KindsSince(rig, before), c.kinds);
    const bool waiting_for_resume = c.kinds.size() == 1;
    EXPECT_EQ(rig.app.power().SuspendByUs(), waiting_for_resume);
  }
}

TEST(Power, IdleTimeSuspendsTheMachineWithoutAsking) {
  fake::Rig rig;
  rig.app.Start();
  Settings& s = rig.app.settings();
  s.EnableSuspend = true;
  s.LetSuspend = 20;
  s.StandByOrSleep = 1;
  s.EnableShutDownDisplayer = false;
  rig.loop.Advance(21 * 60'000);  // nobody at the machine
  EXPECT_EQ(rig.power.calls, (Texts{"Privilege on", "Hibernate"}));
  for (const auto& box : rig.dialogs.shown) EXPECT_NE(box.text, kHibernateQuestion);
}

TEST(Power, WithoutAClassicStandbyStateStandbyIsTheDisplayGoingOff) {
  fake::Rig rig;
  rig.app.Start();
  rig.power.has_standby = false;
  const std::size_t before = rig.app.log().Cycles().back().size();
  rig.app.power().LetSysStandBy(false);
  EXPECT_EQ(rig.power.calls, Texts{"DisplayOff"});
  EXPECT_EQ(KindsSince(rig, before), Kinds{kEventAutoStandBy});
}

TEST(Power, AQuerySuspendAsksOnlyAtWorkOnADesktopAndNoRefuses) {
  struct Case {
    CyclePhase phase;
    bool laptop, answer;
    bool asked;
    intptr_t result;
    Kinds kinds;
  };
  const Case cases[] = {
      {CyclePhase::Working, false, true, true, 1, {kEventOutsideStandBy}},
      {CyclePhase::Working, false, false, true, kDenySuspend, {}},
      {CyclePhase::Working, true, false, false, 1, {kEventOutsideStandBy}},
      {CyclePhase::CountdownOpen, false, false, false, 1, {kEventOutsideStandBy}},
      {CyclePhase::CountdownOpen, true, false, false, 1, {kEventOutsideStandBy}},
      {CyclePhase::BreakOpen, false, false, false, 1, {kEventOutsideStandBy}},
      {CyclePhase::BreakOpen, true, true, false, 1, {kEventOutsideStandBy}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << int(c.phase) << " laptop " << c.laptop << " answer " << c.answer);
    fake::Rig rig;
    rig.app.Start();
    rig.app.settings().HarwareIsLaptop = c.laptop;
    EngineTestAccess::Values(rig.app.engine()).CycleState = c.phase;
    rig.dialogs.answers = {c.answer};
    const std::size_t before = rig.app.log().Cycles().back().size();
    EXPECT_EQ(rig.app.main().OnPowerBroadcast(kPowerQuerySuspend), c.result);
    EXPECT_EQ(rig.dialogs.shown.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(rig.dialogs.shown[0].text, "系统正准备挂机,要继续吗?");
    }
    EXPECT_EQ(KindsSince(rig, before), c.kinds);
  }
}

TEST(Power, OurOwnSuspendIsNeitherAskedAboutNorLoggedAsFromOutside) {
  fake::Rig rig;
  rig.app.Start();
  rig.power.outcome = {true, 60'000};
  rig.app.power().LetSysStandBy(false);
  const std::size_t before = rig.app.log().Cycles().back().size();
  EXPECT_EQ(rig.app.main().OnPowerBroadcast(kPowerQuerySuspend), 1);
  EXPECT_EQ(rig.app.main().OnPowerBroadcast(kPowerQuerySuspendFailed), 1);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_EQ(KindsSince(rig, before), Kinds{});
  rig.loop.Advance(90'000);
  rig.app.main().OnPowerBroadcast(kPowerResumeSuspend);
  EXPECT_FALSE(rig.app.power().SuspendByUs());
  const auto& cycle = rig.app.log().Cycles().back();
  const EventRecord& r = cycle[rig.app.log().FindLastEvent(0, kEventKeyPower)];
  EXPECT_EQ(r.Kind, kEventAutoStandBy);
  EXPECT_EQ(r.EndTick - r.StartTick, 90'000u);
  EXPECT_EQ(rig.app.power().LastPowerEventSecs(), 90);
}

TEST(Power, AResumeWithNoOpenPowerRecordChangesNothing) {
  fake::Rig rig;
  rig.app.Start();
  rig.app.power().LetSysStandBy(false);  // an older record, closed at its resume
  rig.app.main().OnPowerBroadcast(kPowerResumeSuspend);
  const std::size_t index = rig.app.log().FindLastEvent(0, kEventKeyPower);
  const EventRecord closed = rig.app.log().Cycles()[0][index];
  rig.loop.Advance(60'000);
  rig.app.main().OnPowerBroadcast(kPowerResumeSuspend);  // no query came first
  EXPECT_EQ(rig.app.log().Cycles()[0][index], closed);
  EXPECT_TRUE(rig.lifecycle.quits.empty());
}

struct BreakResumeRig : fake::Rig {
  BreakResumeRig() {
    views.cycle_windows = true;
    app.Start();
    dialogs.answers = {true};
    app.main().MenuClick(MenuCommand::BreakNow);
    loop.Advance(5'000);  // faded in, counting
  }
};

TEST(Power, ASleepDuringABreakCountsAsRest) {
  const std::pair<uint64_t, int> cases[] = {{100, 140}, {300, 0}};
  for (auto [asleep, left] : cases) {
    SCOPED_TRACE(asleep);
    BreakResumeRig r;
    TTWForm* screen = r.app.break_screen();
    ASSERT_NE(screen, nullptr);
    // 240 s left when the machine goes to sleep.
    r.loop.Advance((screen->State().ProgressBar1.position - 240) * 1000ull);
    ASSERT_EQ(screen->State().ProgressBar1.position, 240);
    EXPECT_EQ(r.app.main().OnPowerBroadcast(kPowerQuerySuspend), 1);
    r.app.ports().timers.Stop(*screen, TTWForm::kTrackingTimer);  // asleep: nothing ticks
    r.loop.Advance(asleep * 1000);
    r.app.main().OnPowerBroadcast(kPowerResumeSuspend);
    EXPECT_EQ(screen->State().ProgressBar1.position, left);
    const auto& cycle = r.app.log().Cycles().back();
    EXPECT_EQ(
        cycle[r.app.log().FindLastEvent(r.app.log().Cycles().size() - 1, kEventKeyPower)].Value,
        99);
  }
}

TEST(Power, AResumeDuringACountdownRestartsTheProgram) {
  fake::Rig rig;
  rig.views.cycle_windows = true;
  rig.app.Start();
  rig.app.settings().ActionOnSelectTerminate = 0;
  EngineTestAccess::BreakTimerTimer(rig.app.engine());
  ASSERT_EQ(rig.app.engine().Phase(), CyclePhase::CountdownOpen);
  rig.app.main().OnPowerBroadcast(kPowerQuerySuspend);
  rig.loop.Advance(30'000);
  rig.app.main().OnPowerBroadcast(kPowerResumeSuspend);
  EXPECT_EQ(rig.lifecycle.quits, std::vector<bool>{true});
}

}  // namespace
}  // namespace tavu
