// A week of the whole program on the virtual loop: working days with pauses, idle nights asleep,
// every rest mode, delayed, postponed and shortened breaks, the settings saved and read back,
// chimes and a daily reminder. The invariants are checked at every simulated minute.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "fakes.hpp"
#include "windows/break_screen/rest_modes.hpp"

namespace tavu {
namespace {

constexpr uint64_t kSec = 1000;
constexpr uint64_t kMin = 60 * kSec;
constexpr uint64_t kHour = 60 * kMin;
constexpr uint64_t kDay = 24 * kHour;
constexpr uint64_t kStep = 5 * kSec;  // the user's input comes every few seconds at work

// Deterministic choices: a failure replays the same week.
class Dice {
 public:
  int Roll(int n) {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return static_cast<int>(s_ % static_cast<uint32_t>(n));
  }

 private:
  uint32_t s_ = 2463534242u;
};

bool HasDuration(uint8_t kind) {
  return kind == kEventIdle || kind == kEventScheduledBreak || kind == kEventManualBreak ||
         (kind >= kEventOutsideStandBy && kind <= kEventManualHibernateFailed && kind % 2 == 1);
}

// What the user does with the countdown and the break screen of one cycle.
enum class OnCountdown { LetRun, Delay, BreakNow, Minimise };
enum class OnBreak { Full, Shorten, Postpone, SleepThrough };

class Week {
 public:
  Week() {
    r_.views.cycle_windows = true;
    r_.views.reminder_windows = true;
    r_.loop.Input();
    r_.app.Start();
    start_ = r_.loop.Tick();
    Settings& s = r_.app.settings();
    s.EnablePopHelpInfo = false;
    s.HarwareIsLaptop = true;  // an outside suspend is not asked about
    s.RemindOnce1 = true;
    s.HourOfRemindOnce1 = 15;
    s.MinOfRemindOnce1 = 30;
    s.SelectRemindOnceWindow = 1;
    s.SelectRemindHourWindow = 0;
    SaveAndReload();
  }

  void Run(uint64_t length) {
    const uint64_t end = start_ + length;
    while (r_.loop.Tick() < end && !testing::Test::HasFatalFailure()) Minute();
  }

  fake::Rig& rig() { return r_; }

  struct Counts {
    int checks = 0, countdowns = 0, delays = 0, postponed = 0, left_early = 0, sleeps = 0,
        sleeps_in_break = 0, saves = 0, mode_changes = 0, max_windows = 0, max_timers = 0,
        max_carry = 0, breaks_now = 0;
  } counts;

 private:
  // Time since midnight of the first day (the 9th, a Wednesday), and where that falls.
  static int MinuteOf(uint64_t since) { return static_cast<int>(since % kDay / kMin); }
  static int DayOf(uint64_t since) { return static_cast<int>(since / kDay); }
  static bool WeekendOf(uint64_t since) {
    const int weekday = (3 + DayOf(since)) % 7;
    return weekday == 0 || weekday == 6;
  }
  static bool WorkHoursAt(uint64_t since) {
    const int m = MinuteOf(since);
    if (WeekendOf(since)) return m >= 10 * 60 && m < 11 * 60 + 30;
    return (m >= 9 * 60 && m < 12 * 60) || (m >= 13 * 60 && m < 17 * 60 + 30);
  }
  uint64_t Since() { return r_.loop.Tick() - start_ + 9 * kHour; }
  int MinuteOfDay() { return MinuteOf(Since()); }
  int Day() { return DayOf(Since()); }
  bool Weekend() { return WeekendOf(Since()); }

  // Once a day, at the first minute awake from `minute` on.
  bool Daily(int minute, int& done_day) {
    if (MinuteOfDay() < minute || done_day == Day()) return false;
    done_day = Day();
    return true;
  }

  void Minute() {
    // Every other day the machine's own idle standby is off, so it sleeps from outside at night.
    if (Daily(7 * 60, suspend_day_)) r_.app.settings().EnableSuspend = Day() % 2 == 0;
    if (Daily(8 * 60, mode_day_)) {
      SetMode(Day() % 4);
      // Some days the last minute before a break counts down without a window.
      Settings& s = r_.app.settings();
      s.NotShowFrmBreakHintLastOneMin_FreeMode = s.NotShowFrmBreakHintLastOneMin_PasswordMode =
          Day() % 3 == 2;
    }
    if (Daily(12 * 60 + 30, save_day_)) SaveAndReload();
    if (Daily(15 * 60, afternoon_day_)) SetMode((Day() + 2) % 4);
    if (Daily(23 * 60, night_day_)) OutsideSleep();

    const bool back_from_pause = pause_left_ == 1;
    if (pause_left_ > 0) --pause_left_;
    const bool at_work = WorkHoursAt(Since()) && pause_left_ == 0;
    // Back at the desk, the user sometimes takes the break at once from the menu.
    if (at_work && back_from_pause && dice_.Roll(5) == 0) {
      Input();
      r_.dialogs.answers = {true};
      r_.app.main().MenuClick(MenuCommand::BreakNow);
      r_.dialogs.answers.clear();
      ++counts.breaks_now;
    }
    // Short pauses now and then, which the engine credits; seldom a long one, which restarts the
    // cycle.
    if (at_work && dice_.Roll(40) == 0) pause_left_ = 1 + dice_.Roll(3);
    if (at_work && dice_.Roll(300) == 0) pause_left_ = 10 + dice_.Roll(35);

    for (uint64_t t = 0; t < kMin; t += kStep) {
      const std::size_t power_calls = r_.power.calls.size();
      Windows();
      Reminder(at_work && pause_left_ == 0);
      if (at_work && pause_left_ == 0 && r_.app.engine().Phase() != CyclePhase::BreakOpen) Input();
      r_.loop.Advance(kStep);
      if (r_.power.calls.size() != power_calls) SleptByItself();
    }
    Check();
  }

  // The user touches the machine: a running saver goes.
  void Input() {
    r_.loop.Input();
    if (TfrmScrZEVO* saver = r_.app.screen_saver()) saver->FormMouseMove({500, 500});
  }

  void SetMode(int mode) {
    r_.app.main().MenuClick(
        static_cast<MenuCommand>(static_cast<int>(MenuCommand::ModeFree) + mode));
    ++counts.mode_changes;
  }

  // The settings window closed (saved), the file read back and saved again: the same bytes.
  void SaveAndReload() {
    TfrmSetup& setup = r_.app.setup();
    setup.ShowAtPage(0, false);
    ASSERT_TRUE(setup.FormClose());
    const std::string saved = r_.files.files[r_.ConfigPath()];
    const int mode = r_.app.settings().SelectBreakMode;
    setup.LoadConfigFile();
    EXPECT_EQ(int(r_.app.settings().SelectBreakMode), mode);
    setup.ShowAtPage(0, false);
    ASSERT_TRUE(setup.FormClose());
    EXPECT_EQ(r_.files.files[r_.ConfigPath()], saved) << "day " << Day();
    ++counts.saves;
  }

  // Time from now until the user is next at work.
  uint64_t UntilWork() {
    uint64_t ms = kMin * std::max(pause_left_, 1);
    while (!WorkHoursAt(Since() + ms)) ms += kMin;
    return ms;
  }

  void Asleep(uint64_t ms) {
    r_.loop.Suspend(ms);
    r_.app.main().OnPowerBroadcast(kPowerResumeSuspend);
    pause_left_ = 0;
    ++counts.sleeps;
  }

  // The idle standby put the machine to sleep: it wakes when the user is back.
  void SleptByItself() {
    const std::string& last = r_.power.calls.back();
    if (last != "StandBy" && last != "Hibernate") return;
    Asleep(r_.app.engine().Phase() == CyclePhase::BreakOpen ? 3 * kMin : UntilWork());
  }

  void OutsideSleep() {
    if (r_.app.engine().Phase() == CyclePhase::CountdownOpen) return;  // a resume would restart
    r_.app.main().OnPowerBroadcast(kPowerQuerySuspend);
    Asleep(UntilWork());
  }

  // What the user does with the windows that are open.
  void Windows() {
    if (TfrmBreakHint* countdown = r_.app.countdown();
        countdown && r_.app.forms().IsFormOpen(TfrmBreakHint::kFormName))
      Countdown(*countdown);
    if (TTWForm* screen = r_.app.break_screen();
        screen && r_.app.forms().IsFormOpen(kBreakScreenForm) && !screen->State().is_demo)
      BreakScreen(*screen);
  }

  // A reminder that stays until it is clicked is clicked away at the desk.
  void Reminder(bool at_work) {
    TfrmRemindWindowCenter* reminder = r_.app.remind_window_center();
    if (!reminder || reminder->ClosesByItself() || !at_work) return;
    if (++reminder_steps_ < 4) return;
    reminder_steps_ = 0;
    Input();
    reminder->FormClick();
  }

  void Countdown(TfrmBreakHint& countdown) {
    const uint8_t cycle = r_.app.engine().Values().CycleNo;
    if (countdown_cycle_ != cycle) {
      countdown_cycle_ = cycle;
      countdown_plan_ = static_cast<OnCountdown>(dice_.Roll(4));
      countdown_seconds_ = 0;
      ++counts.countdowns;
    }
    countdown_seconds_ += kStep / kSec;
    switch (countdown_plan_) {
      case OnCountdown::LetRun:
        break;
      case OnCountdown::Delay:
        if (countdown.HintDelayRequests == 0 && countdown_seconds_ >= 10) {
          Input();
          countdown.UpDown1Click(true);
          countdown.UpDown1Click(true);
          countdown.btnApplyMinsClick();
          if (countdown.HintDelayRequests != 0) ++counts.delays;
        }
        break;
      case OnCountdown::BreakNow:
        if (countdown_seconds_ >= 20) {
          Input();
          countdown.btnBreakClick();
        }
        break;
      case OnCountdown::Minimise:
        if (countdown_seconds_ == 10) {
          Input();
          countdown.btnApplyMinsClick();
        }
        break;
    }
  }

  void BreakScreen(TTWForm& screen) {
    const uint8_t cycle = r_.app.engine().Values().CycleNo;
    if (break_cycle_ != cycle) {
      break_cycle_ = cycle;
      break_plan_ = static_cast<OnBreak>(dice_.Roll(5) % 4);
      break_seconds_ = 0;
      break_done_ = false;
    }
    break_seconds_ += kStep / kSec;
    const BreakScreenState& st = screen.State();
    if (st.phase == BreakPhase::Finished) {
      if (++finished_steps_ >= 3) {  // back at the desk some seconds later
        finished_steps_ = 0;
        Input();
        screen.FormClick();
      }
      return;
    }
    finished_steps_ = 0;
    if (break_done_ || break_seconds_ < 60 || st.phase != BreakPhase::Counting) return;
    break_done_ = true;
    const int mode = r_.app.settings().SelectBreakMode;
    switch (break_plan_) {
      case OnBreak::Full:
        break;
      case OnBreak::Shorten:
      case OnBreak::Postpone: {
        const int item = break_plan_ == OnBreak::Shorten ? kRemindAgainNever : 1;
        Input();
        screen.cbbRemindAgainAtSelect(item);
        if (mode == kPasswordMode) screen.edtExitPswChange(std::to_string(st.ChallengeSum));
        r_.dialogs.answers = {true};
        screen.imgUrgentExitIconClick();
        r_.dialogs.answers.clear();
        ++(break_plan_ == OnBreak::Shorten ? counts.left_early : counts.postponed);
        break;
      }
      case OnBreak::SleepThrough:
        r_.app.main().OnPowerBroadcast(kPowerQuerySuspend);
        Asleep(2 * kMin);
        ++counts.sleeps_in_break;
        break;
    }
  }

  void Check() {
    ++counts.checks;
    SCOPED_TRACE(testing::Message() << "day " << Day() << " minute " << MinuteOfDay());
    App& a = r_.app;
    const CycleValues& v = a.engine().Values();
    const CyclePhase phase = v.CycleState;
    const bool countdown_open = a.forms().IsFormOpen(TfrmBreakHint::kFormName);
    const bool screen_open = a.forms().IsFormOpen(kBreakScreenForm);
    ASSERT_EQ(countdown_open, phase == CyclePhase::CountdownOpen);
    ASSERT_EQ(screen_open, phase == CyclePhase::BreakOpen);
    // The engine's tick runs except while the countdown counts.
    ASSERT_EQ(r_.loop.IsRunning(a.engine(), Engine::kDetectPauseTimer),
              phase != CyclePhase::CountdownOpen);
    const bool screen_shown = screen_open && a.break_screen()->State().visible;
    ASSERT_TRUE(r_.views.input_locks_held == 0 || screen_shown);
    ASSERT_LE(r_.views.input_locks_held, 1);

    const BreakPlan& plan = a.plans().Applied();
    if (phase == CyclePhase::Working) {
      ASSERT_GE(v.MinsToHint, 1);
      ASSERT_LE(v.MinsToHint, plan.BreakInterval - 1);
      ASSERT_LE(v.WorkMins, v.MinsToHint);
    }
    if (phase == CyclePhase::BreakOpen) {
      ASSERT_EQ(v.MinsToHint, 0);
    }
    ASSERT_LE(v.ApplyMinsTotal, plan.CanApplyMaxMins);
    ASSERT_TRUE(v.LastCreditMins == Engine::kNoCredit || v.LastCreditMins < plan.BreakInterval);
    // The engine sees input only at its tick: measured from the input seen a minute ago.
    ASSERT_LE(v.IdleMins, (r_.loop.Tick() - input_at_last_check_) / kMin + 1);
    input_at_last_check_ = r_.loop.LastInputTick();
    const auto& cycles = a.log().Cycles();
    ASSERT_EQ(v.CycleNo, static_cast<uint8_t>(cycles.size()));
    counts.max_carry = std::max<int>(counts.max_carry, v.TiredIndexCarry);

    // The log: closed cycles have every record with a duration closed (a failed power attempt
    // is closed by its failure record), times run forward, nothing ends in the future.
    for (; closed_checked_ + 1 < cycles.size(); ++closed_checked_) {
      const EventCycle& c = cycles[closed_checked_];
      for (std::size_t i = 0; i < c.size(); ++i) {
        if (!HasDuration(c[i].Kind) || c[i].EndTick != 0) continue;
        const bool failed =
            c[i].Kind >= kEventOutsideStandBy && i + 1 < c.size() && c[i + 1].Kind == c[i].Kind + 1;
        ASSERT_TRUE(failed) << "cycle " << closed_checked_ << " record " << i << " kind "
                            << int(c[i].Kind) << " left open";
      }
    }
    uint64_t previous = start_before_;
    for (std::size_t ci = order_from_; ci < cycles.size(); ++ci) {
      for (const EventRecord& e : cycles[ci]) {
        // A pause's record starts at the last input, which may precede the tick that logged the
        // record before it.
        const uint64_t slack = e.Kind == kEventIdle ? Engine::kTickMs : 0;
        ASSERT_GE(e.StartTick + slack, previous)
            << "cycle " << ci << " kind " << int(e.Kind) << " after " << int(previous_kind_);
        previous_kind_ = e.Kind;
        previous = std::max(previous, e.StartTick);
        if (e.EndTick != 0) {
          ASSERT_GE(e.EndTick, e.StartTick) << "kind " << int(e.Kind);
          ASSERT_LE(e.EndTick, r_.loop.Tick()) << "kind " << int(e.Kind);
        }
      }
      if (ci + 1 < cycles.size()) {
        start_before_ = previous;
        order_from_ = ci + 1;
      }
    }

    // Nothing but the log grows: windows that come and go are freed, timers stopped.
    const int windows = static_cast<int>(a.WindowCount());
    const int timers = static_cast<int>(r_.loop.TimerCount());
    counts.max_windows = std::max(counts.max_windows, windows);
    counts.max_timers = std::max(counts.max_timers, timers);
    ASSERT_LE(windows, 6);
    ASSERT_LE(timers, 16);
  }

  fake::Rig r_;
  Dice dice_;
  uint64_t start_ = 0;
  int pause_left_ = 0;
  int suspend_day_ = -1, mode_day_ = -1, save_day_ = -1, afternoon_day_ = -1, night_day_ = -1;
  uint8_t countdown_cycle_ = 0, break_cycle_ = 0;
  OnCountdown countdown_plan_ = OnCountdown::LetRun;
  OnBreak break_plan_ = OnBreak::Full;
  uint64_t countdown_seconds_ = 0, break_seconds_ = 0;
  bool break_done_ = false;
  int finished_steps_ = 0, reminder_steps_ = 0;
  std::size_t closed_checked_ = 0, order_from_ = 0;
  uint64_t start_before_ = 0, input_at_last_check_ = 0;
  uint8_t previous_kind_ = 0;
};

TEST(Soak, AWeekOfWorkBreaksSleepAndSettings) {
  const auto began = std::chrono::steady_clock::now();
  Week week;
  week.Run(7 * kDay);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

  fake::Rig& r = week.rig();
  const auto& cycles = r.app.log().Cycles();
  std::size_t records = 0;
  int full = 0, shortened = 0;
  for (const EventCycle& c : cycles) {
    records += c.size();
    for (const EventRecord& e : c) {
      if (e.Kind != kEventScheduledBreak && e.Kind != kEventManualBreak) continue;
      if (e.EndTick != 0) ++(e.Value == 100 ? full : shortened);
    }
  }
  const Week::Counts& n = week.counts;
  // The week really went through what it is about.
  EXPECT_GT(full, 20);
  EXPECT_GE(shortened, 2);
  EXPECT_GT(n.delays, 3);
  EXPECT_GT(n.sleeps, 6);
  EXPECT_GT(n.sleeps_in_break, 0);
  EXPECT_GE(n.saves, 1 + 5);  // a weekend day may sleep through its time
  int chimes = 0, once = 0;
  for (const auto& q : r.engine_actions.requests) {
    chimes += q.what == "HintSmall " + std::to_string(kRemindChime);
    once += q.what == "RemindCenter " + std::to_string(kRemindOnce1);
  }
  EXPECT_GT(chimes, 20);
  EXPECT_GT(once, 2);
  std::printf(
      "[ soak     ] 7 days in %.2f s: %d minute checks, %zu cycles, %zu records (%zu bytes), "
      "%d full and %d shortened breaks, %d countdowns (%d delayed), %d taken at once, %d "
      "postponed, %d sleeps "
      "(%d in a break), %d chimes, %d quick reminders, %d mode changes, %d saves; at most %d "
      "windows and %d timers; tiredness "
      "carry at most %d\n",
      seconds, n.checks, cycles.size(), records, records * sizeof(EventRecord), full, shortened,
      n.countdowns, n.delays, n.breaks_now, n.postponed, n.sleeps, n.sleeps_in_break, chimes, once,
      n.mode_changes, n.saves, n.max_windows, n.max_timers, n.max_carry);
}

}  // namespace
}  // namespace tavu
