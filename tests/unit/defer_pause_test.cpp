// A due break that waits for a presentation or call, and the timed pause of the break
// reminders, on the virtual loop: the program starts at 9:00 with the default plan (a break
// every 50 minutes: the countdown opens at minute 49).
#include <gtest/gtest.h>

#include "engine_rig.hpp"
#include "stats/figures.hpp"
#include "stats/history.hpp"

namespace tavu {
namespace {

using test::EngineRig;
using test::kMin;
using Texts = std::vector<std::string>;

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

// The records of one kind in the first cycle.
std::vector<EventRecord> RecordsOf(EngineRig& r, uint8_t kind) {
  std::vector<EventRecord> out;
  for (const EventRecord& e : r.rig.app.log().Cycles()[0])
    if (e.Kind == kind) out.push_back(e);
  return out;
}

struct DeferCase {
  const char* name;
  bool defer_presenting, defer_calls;
  bool presenting, in_call;
  int max_mins;
  int busy_for;      // minutes from the due point until the user is free; -1 never
  int countdown_at;  // minute of the countdown
  uint8_t reason;    // of the deferral record; 0 for none
};

const DeferCase kDeferCases[] = {
    {"PresentationEndsAfterSevenMinutes", true, false, true, false, 30, 7, 56, kDeferPresenting},
    {"CallNeverEndsCountdownAtTheLimit", false, true, false, true, 30, -1, 79, kDeferCall},
    {"ShortLimit", true, true, true, false, 5, -1, 54, kDeferPresenting},
    {"PresentingWithOnlyTheCallSettingOn", false, true, true, false, 30, -1, 49, 0},
    {"CallWithOnlyThePresentationSettingOn", true, false, false, true, 30, -1, 49, 0},
    {"BothSettingsOffNothingIsAsked", false, false, true, true, 30, -1, 49, 0},
};

void PrintTo(const DeferCase& c, std::ostream* os) { *os << c.name; }

class DeferredBreak : public ::testing::TestWithParam<DeferCase> {};

TEST_P(DeferredBreak, TheCountdownOpensWhenTheUserIsFreeOrAtTheLimit) {
  const DeferCase& c = GetParam();
  EngineRig r;
  Settings& s = r.rig.app.settings();
  s.DeferWhenPresenting = c.defer_presenting;
  s.DeferInCalls = c.defer_calls;
  s.DeferMaxMins = c.max_mins;
  r.rig.busy.presenting = c.presenting;
  r.rig.busy.in_call = c.in_call;
  if (c.busy_for >= 0) {
    r.Run(Repeat('a', 49 + c.busy_for - 1));
    r.rig.busy.presenting = r.rig.busy.in_call = false;
  }
  r.Run(Repeat('a', 200));

  EXPECT_EQ(r.Requests({"Countdown"}), Texts{std::to_string(c.countdown_at) + " Countdown shown"});
  // The next break's reminders stay quiet while the break waits.
  for (const std::string& hint : r.Requests({"HintSmall"})) EXPECT_LE(std::stoi(hint), 49) << hint;
  const std::vector<EventRecord> deferrals = RecordsOf(r, kEventBreakDeferred);
  if (c.reason == 0) {
    EXPECT_TRUE(deferrals.empty());
    if (!c.defer_presenting && !c.defer_calls) {
      EXPECT_EQ(r.rig.busy.questions, 0);
    }
    return;
  }
  ASSERT_EQ(deferrals.size(), 1u);
  EXPECT_EQ(deferrals[0].Value, c.reason);
  EXPECT_EQ(deferrals[0].StartTick, r.start + 49 * kMin);
  EXPECT_EQ(deferrals[0].EndTick, r.start + c.countdown_at * kMin);
  EXPECT_FALSE(r.engine().Deferring());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeferredBreak, ::testing::ValuesIn(kDeferCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The break that follows a deferral is as long as it would have been.
TEST(Deferral, TheBreakAfterADeferralKeepsItsFullLength) {
  auto break_length = [](bool deferred) {
    EngineRig r;
    r.rig.views.cycle_windows = true;  // the real countdown and break screen
    r.rig.app.settings().DeferWhenPresenting = true;
    r.rig.busy.presenting = deferred;
    r.Run(Repeat('a', 60));
    r.rig.busy.presenting = false;
    r.Run(Repeat('a', 3));  // the countdown's minute runs out
    EXPECT_EQ(r.Requests({"BreakScreen"}).size(), 1u);
    EXPECT_EQ(r.rig.engine_actions.last_delayed_mins, 0);
    return r.rig.app.break_screen() ? r.rig.app.break_screen()->State().ProgressBar1.max : -1;
  };
  const int normal = break_length(false);
  EXPECT_GT(normal, 0);
  EXPECT_EQ(break_length(true), normal);
}

// Away from the machine for the reset length while the break waits: the user rested, so the
// cycle starts afresh as after any such stretch, and the deferral ends with nothing owed.
TEST(Deferral, ALongIdleStretchDuringADeferralStartsTheCycleAfresh) {
  EngineRig r;
  r.UsePlan(30, 8, 6);  // due at minute 29; six idle minutes reset the cycle
  r.rig.app.settings().DeferWhenPresenting = true;
  r.rig.busy.presenting = true;
  r.Run(Repeat('a', 31) + Repeat('.', 6) + "a");
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{});
  EXPECT_FALSE(r.engine().Deferring());
  EXPECT_EQ(r.engine().Values().MinsToHint, 29);
  ASSERT_EQ(RecordsOf(r, kEventIdleReset).size(), 1u);
  const std::vector<EventRecord> deferrals = RecordsOf(r, kEventBreakDeferred);
  ASSERT_EQ(deferrals.size(), 1u);
  EXPECT_EQ(deferrals[0].StartTick, r.start + 29 * kMin);
  EXPECT_EQ(deferrals[0].EndTick, r.start + 38 * kMin);

  r.rig.busy.presenting = false;
  r.Run(Repeat('a', 40));
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{"67 Countdown shown"});
}

// Idle minutes inside a deferral (a presentation watched, a call listened to) are work for the
// health score, though the stretch is logged as idle time as always.
TEST(Deferral, IdleTimeWithinADeferralIsNotRest) {
  EngineRig r;
  r.UsePlan(30, 8, 60);
  r.rig.app.settings().DeferWhenPresenting = true;
  r.rig.busy.presenting = true;
  r.Run(Repeat('a', 31) + Repeat('.', 4) + "a");  // deferred from minute 29
  const std::vector<EventRecord> idle = RecordsOf(r, kEventIdle);
  ASSERT_EQ(idle.size(), 1u);
  EXPECT_EQ(idle[0].EndTick - idle[0].StartTick, 4 * kMin);
  EXPECT_EQ(RestMs(r.rig.app.log(), 0), 0u);
  EXPECT_EQ(RestMs(r.rig.app.log(), 5), 5 * kMin);  // the plan's break as the base, as always
}

TEST(Deferral, FiguresAndHistoryShowTheDeferralsAndTheirReason) {
  EngineRig r;
  r.rig.app.settings().DeferInCalls = true;
  r.rig.busy.in_call = true;
  r.Run(Repeat('a', 49 + 11));
  r.rig.busy.in_call = false;
  r.Run("a");
  const StatFigures f =
      ComputeFigures(r.rig.loop, r.rig.app.time_format(), r.rig.app.log(), r.engine());
  EXPECT_EQ(f.deferred, "推迟 1 次，约 12 分钟");
  const std::string history = HistoryText(r.rig.loop, r.rig.app.time_format(), r.rig.app.log());
  EXPECT_NE(history.find("推迟休息 (通话中): 2026/12/9 9:49 至 2026/12/9 10:01, 约0:12"),
            std::string::npos)
      << history;
}

// ---- The timed pause ----

TEST(Pause, NothingOfTheNextBreakDuringThePauseThenAFreshCycleAtItsEnd) {
  EngineRig r;
  Settings& s = r.rig.app.settings();
  s.RemindOnce1 = true;  // a timed reminder at 9:20 still comes
  s.HourOfRemindOnce1 = 9;
  s.MinOfRemindOnce1 = 20;
  r.Run(Repeat('a', 10));
  r.rig.app.main().MenuClick(MenuCommand::Pause30);
  EXPECT_TRUE(r.engine().Paused());
  EXPECT_EQ(r.rig.app.main().State().tray_tip, "岚禾休息软件\n已暂停休息提醒，到 9:40");
  EXPECT_TRUE(r.rig.app.main().State().tray_paused);
  // The statistics and the reminder window see the break after the pause.
  EXPECT_EQ(r.engine().NextBreakTime().ToLocal(), (LocalTime{2026, 12, 9, 10, 30}));
  r.Run(Repeat('a', 20) + Repeat('.', 10) + Repeat('a', 60));

  EXPECT_EQ(r.Requests({"HintSmall", "RemindCenter", "Countdown", "ScreenSaver"}),
            (Texts{"1 HintSmall 0", "20 RemindCenter 3", "32 ScreenSaver", "41 HintSmall 0",
                   "60 RemindCenter 2", "84 HintSmall 1", "87 HintSmall 1", "89 Countdown shown"}));
  const std::vector<EventRecord> pauses = RecordsOf(r, kEventPause);
  ASSERT_EQ(pauses.size(), 1u);
  EXPECT_EQ(pauses[0].StartTick, r.start + 10 * kMin);
  EXPECT_EQ(pauses[0].EndTick, r.start + 40 * kMin);
  EXPECT_TRUE(RecordsOf(r, kEventIdle).empty());  // the pause's idle minutes count nothing
  EXPECT_FALSE(r.rig.app.main().State().tray_paused);
}

TEST(Pause, EndsAtTheFirstTickAfterASleepThatOutlastedIt) {
  EngineRig r;
  r.Run(Repeat('a', 10));
  r.rig.app.main().MenuClick(MenuCommand::Pause60);
  r.rig.loop.Suspend(3 * 60 * kMin);
  r.rig.loop.Advance(0);  // the tick that fell due during the sleep
  EXPECT_FALSE(r.engine().Paused());
  EXPECT_EQ(RecordsOf(r, kEventPause).at(0).EndTick, r.rig.loop.Tick());
  EXPECT_EQ(r.engine().Values().WorkMins, 0);
  EXPECT_EQ(r.engine().Values().MinsToHint, 49);
}

TEST(Pause, ResumeNowAndABreakTakenByHandEndIt) {
  EngineRig r;
  r.Run(Repeat('a', 10));
  r.rig.app.main().MenuClick(MenuCommand::Pause120);
  EXPECT_TRUE(r.rig.app.main().Menu().Enabled(MenuCommand::Resume));
  r.rig.app.main().MenuClick(MenuCommand::Pause30);  // moves the end; still one pause
  r.Run("a");
  r.rig.app.main().MenuClick(MenuCommand::Resume);
  EXPECT_FALSE(r.engine().Paused());
  EXPECT_EQ(r.rig.app.main().Menu().Find(MenuCommand::Resume), nullptr);
  EXPECT_EQ(RecordsOf(r, kEventPause).size(), 1u);
  EXPECT_EQ(RecordsOf(r, kEventPause)[0].EndTick, r.start + 11 * kMin);
  r.Run(Repeat('a', 60));
  EXPECT_EQ(r.Requests({"Countdown"}), Texts{"60 Countdown shown"});

  EngineRig by_hand;
  by_hand.rig.app.main().MenuClick(MenuCommand::PauseUntilTomorrow);
  by_hand.rig.dialogs.answers = {true};
  by_hand.rig.app.main().MenuClick(MenuCommand::BreakNow);
  EXPECT_FALSE(by_hand.engine().Paused());
  EXPECT_NE(RecordsOf(by_hand, kEventPause).at(0).EndTick, 0u);
  EXPECT_EQ(by_hand.Requests({"BreakScreen"}).size(), 1u);
}

TEST(Pause, OnlyAtWorkAndItEndsADeferral) {
  EngineRig r;
  r.rig.app.settings().DeferWhenPresenting = true;
  r.rig.busy.presenting = true;
  r.Run(Repeat('a', 52));
  ASSERT_TRUE(r.engine().Deferring());
  r.rig.app.main().MenuClick(MenuCommand::Pause30);
  EXPECT_FALSE(r.engine().Deferring());
  EXPECT_NE(RecordsOf(r, kEventBreakDeferred).at(0).EndTick, 0u);
  r.rig.app.main().MenuClick(MenuCommand::Resume);

  r.rig.busy.presenting = false;
  r.Run(Repeat('a', 50));  // the countdown is open
  const MainMenu menu = r.rig.app.main().Menu();
  EXPECT_FALSE(menu.Find("NPause")->enabled);
  EXPECT_FALSE(menu.Enabled(MenuCommand::Pause30));
  r.rig.app.main().MenuClick(MenuCommand::Pause30);
  EXPECT_FALSE(r.engine().Paused());
}

struct EndCase {
  LocalTime now;
  MenuCommand command;
  LocalTime end;
};

TEST(Pause, EndOfEachChoice) {
  const EndCase cases[] = {
      {{2026, 12, 9, 9, 10}, MenuCommand::Pause30, {2026, 12, 9, 9, 40}},
      {{2026, 12, 9, 9, 10}, MenuCommand::Pause60, {2026, 12, 9, 10, 10}},
      {{2026, 12, 9, 23, 10}, MenuCommand::Pause120, {2026, 12, 10, 1, 10}},
      {{2026, 12, 31, 23, 50}, MenuCommand::Pause30, {2027, 1, 1, 0, 20}},
      // "直到明天": the next local midnight, a whole day on at midnight itself.
      {{2026, 12, 9, 9, 10}, MenuCommand::PauseUntilTomorrow, {2026, 12, 10, 0, 0}},
      {{2026, 12, 9, 0, 0}, MenuCommand::PauseUntilTomorrow, {2026, 12, 10, 0, 0}},
      {{2026, 12, 9, 23, 59, 59}, MenuCommand::PauseUntilTomorrow, {2026, 12, 10, 0, 0}},
  };
  for (const EndCase& c : cases)
    EXPECT_EQ(PauseEnd(c.command, DateTime::FromLocal(c.now)).ToLocal(), c.end)
        << c.now.hour << ":" << c.now.minute << " " << static_cast<int>(c.command);
}

// ---- The tray tip ----

TEST(TrayTip, FollowsTheCycleAtEveryTick) {
  EngineRig r;
  r.rig.views.cycle_windows = true;
  auto tip = [&] { return r.rig.app.main().State().tray_tip; };
  EXPECT_EQ(tip(), "岚禾休息软件\n下次休息 9:50（还有 50 分钟）");
  r.Run(Repeat('a', 38));
  EXPECT_EQ(tip(), "岚禾休息软件\n下次休息 9:50（还有 12 分钟）");
  r.rig.app.main().MenuClick(MenuCommand::PauseUntilTomorrow);
  EXPECT_EQ(tip(), "岚禾休息软件\n已暂停休息提醒，到明天 0:00");
  r.rig.app.main().MenuClick(MenuCommand::Resume);
  EXPECT_EQ(tip(), "岚禾休息软件\n下次休息 10:28（还有 50 分钟）");
  r.rig.app.settings().DeferWhenPresenting = true;
  r.rig.busy.presenting = true;
  r.Run(Repeat('a', 49));
  EXPECT_EQ(tip(), "岚禾休息软件\n休息已推迟，稍后开始");
  r.rig.busy.presenting = false;
  r.Run("a");
  EXPECT_EQ(tip(), "岚禾休息软件\n即将休息");
  r.Run("aa");  // the countdown's minute runs out
  EXPECT_EQ(tip(), "岚禾休息软件\n休息中");
  EXPECT_LE(tip().size(), kTrayTipMax);  // UTF-8 bytes: never fewer than UTF-16 units
}

}  // namespace
}  // namespace tavu
