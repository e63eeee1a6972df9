#include "cycle/engine.hpp"

#include <algorithm>
#include <limits>

#include "base/rounding.hpp"
#include "machine/helpers.hpp"
#include "ports/dialogs.hpp"

namespace tavu {

void Engine::InitAtStart() {
  CycleNo = 1;
  CycleState = kWorking;
  RemindReason = kRemindNextBreak;
  FreshStart = true;
  TiredIndexCarry = 0;
  d_.log.LogEvent(true, true, 0, kEventProgramStart, true);
  IsDemoBreak = false;
  IsDemoHint = false;
  ApplyMinsTotal = 0;
}

void Engine::DetectPauseTimerTimer() {
  const Settings& s = d_.settings;
  const LocalTime now = d_.clock.Now();
  if (s.RemindOnce1 && now.hour == s.HourOfRemindOnce1 && now.minute == s.MinOfRemindOnce1)
    ShowQuickReminder(kRemindOnce1);
  if (s.RemindOnce2 && now.hour == s.HourOfRemindOnce2 && now.minute == s.MinOfRemindOnce2)
    ShowQuickReminder(kRemindOnce2);
  if ((s.RemindOnHour && now.minute == 0) || (s.RemindOnHalfHour && now.minute == 30)) {
    RemindReason = kRemindChime;
    OpenReminder(s.SelectRemindHourWindow, kRemindChime);
  }

  ++WorkMins;
  const uint8_t m = MinsLeft();
  if (CycleState == kWorking) {
    if (WorkMins == 1 && m >= 10) {
      RemindReason = kRemindNextBreak;
      if (LastCreditMins >= 10) OpenHint(kRemindNextBreak);
    } else {
      RemindReason = kRemindBreakApproaching;
      if (m == 5 || m == 2 || (m == 1 && CountdownHidden())) OpenHint(kRemindBreakApproaching);
    }
  }

  if (NoInputSinceLastTick())
    IdleMinute();
  else
    ActiveMinute();
}

void Engine::IdleMinute() {
  const Settings& s = d_.settings;
  // Saturates: a wrapped count would turn a very long absence into a small credit.
  if (IdleMins < std::numeric_limits<uint16_t>::max()) ++IdleMins;
  if (IdleMins == 1 && CycleState == kWorking) d_.log.LogEvent(false, true, 0, kEventIdle, false);
  if (IdleMins == s.SCR && s.EnableSelfSCR && !IsScreenSaverRunning(d_.processes, d_.forms))
    d_.actions.StartScreenSaver();
  if (IdleMins == s.ShutDownDisplayer && s.EnableShutDownDisplayer) d_.actions.ShutdownDisplayer();
  if (IdleMins == s.LetSuspend && s.EnableSuspend) {
    if (s.StandByOrSleep == 0)
      d_.actions.LetSysStandBy();
    else if (s.StandByOrSleep == 1)
      d_.actions.LetSysSleep();
  }
  // Never opens the countdown while idle: the due point moves on a minute at a time.
  if (Due()) RestartCountdown(1);
}

void Engine::ActiveMinute() {
  const bool stretch_was_counted = IdleMins != 0;
  IdleMins = static_cast<uint16_t>(std::min<uint32_t>(uint32_t{IdleMins} + MissedIdleMins(),
                                                      std::numeric_limits<uint16_t>::max()));
  if (IdleMins == 0) {
    if (Due()) BreakTimerTimer();
    return;
  }
  if (stretch_was_counted && CycleState == kWorking)
    d_.log.LogEvent(false, false, 0, kEventIdle, true, IdleMins);
  if (MinsToHint != 0) {
    const uint16_t c = IdleCreditMins(IdleMins);
    LastCreditMins = c;
    const uint8_t reset_after = Plan().IdleMinsResetCycle;
    if (c == 0) {
      if (Due()) BreakTimerTimer();
    } else if (IdleMins < reset_after) {
      RestartCountdown(ApplyIdleCredit(false, static_cast<uint8_t>(c)));
      TiredIndexCarry = static_cast<uint16_t>(
          RoundEvenRatio(int64_t{TiredIndexCarry} * (reset_after - IdleMins), reset_after));
    } else {
      RestartCountdown(ApplyIdleCredit(true, 0));
      TiredIndexCarry = 0;
    }
  }
  IdleMins = 0;
}

void Engine::BreakTimerTimer() {
  d_.actions.SetCommandEnabled(BreakCommand::NBreakNow, false);
  d_.actions.SetCommandEnabled(BreakCommand::NBreakDemo, false);
  d_.actions.SetCommandEnabled(BreakCommand::btnPreviewHintForm, false);
  d_.actions.SetCommandEnabled(BreakCommand::btnPreviewBreakForm, false);
  BreakNow(1, kEventCountdown);
}

void Engine::BreakNow(uint8_t kind, uint8_t event_kind) {
  if (event_kind != kEventDemo) d_.log.LogEvent(false, true, 0, event_kind, true);
  if (kind == 0) {
    if (!IsDemoBreak) {
      CycleState = kBreakScreenOpen;
      d_.timers.Stop(d_.tick_sink, d_.tick_id);
    }
    d_.actions.SetCommandEnabled(BreakCommand::NBreakNow, false);
    d_.actions.SetCommandEnabled(BreakCommand::NBreakDemo, false);
    d_.actions.SetCommandEnabled(BreakCommand::btnPreviewBreakForm, false);
    if (d_.settings.ToggleB4Break) d_.actions.ShellToggleDesktop();
    d_.actions.OpenBreakScreen();
  } else {
    if (!IsDemoHint) {
      CycleState = kCountdownOpen;
      d_.timers.Stop(d_.tick_sink, d_.tick_id);
    }
    d_.actions.SetCommandEnabled(BreakCommand::btnPreviewHintForm, false);
    d_.actions.OpenCountdownWindow(IsDemoHint || !CountdownHidden());
  }
}

void Engine::NBreakNowClick() {
  if (!d_.dialogs.Ask(kBreakNowQuestion, kQuestionCaption)) return;
  // The tick runs on while the question waits; a countdown or break that began meanwhile
  // already leads to a break, and a second break screen would count the cycle twice.
  if (CycleState != kWorking) return;
  BreakNow(0, kEventManualBreak);
}

void Engine::DemoBreak() {
  IsDemoBreak = true;
  BreakNow(0, kEventDemo);
}

void Engine::DemoHint() {
  IsDemoHint = true;
  BreakNow(1, kEventDemo);
}

void Engine::NBreakDemoClick() {
  DemoHint();
  IsDemoBreak = true;
}

void Engine::RestartCountdown(uint8_t minutes) {
  MinsToHint = minutes;
  WorkMins = 0;
  if (FreshStart)
    LastCreditMins = kNoCredit;
  else
    FreshStart = true;
  if (minutes != 0) CycleStartTick = d_.clock.Tick();
}

void Engine::ResetIdleWatch() {
  IdleMins = 0;
  LastInputTick = d_.input.LastInputTick();
  LastActiveTick = d_.clock.Tick();
  d_.timers.Start(d_.tick_sink, d_.tick_id, kTickMs);
}

bool Engine::NoInputSinceLastTick() {
  const uint64_t last_input = d_.input.LastInputTick();
  if (last_input == LastInputTick) return true;
  LastInputTick = last_input;
  return false;
}

uint16_t Engine::MissedIdleMins() {
  const uint64_t now = d_.clock.Tick();
  const uint64_t k = (now - LastActiveTick) / kTickMs;
  LastActiveTick = now;
  if (k <= IdleMins) return 0;
  return static_cast<uint16_t>(
      std::min<uint64_t>(k - IdleMins - 1, std::numeric_limits<uint16_t>::max()));
}

uint16_t Engine::IdleCreditMins(uint16_t idle_mins) const {
  return IdleCreditFor(idle_mins, Plan(), d_.settings.FrequencyOfPCOperation);
}

uint8_t Engine::ApplyIdleCredit(bool reset, uint8_t credit_mins) {
  const uint8_t full = FullCycle();
  if (reset) {
    d_.log.LogEvent(false, true, 0, kEventIdleReset, true);
    return full;
  }
  const auto elapsed = static_cast<int64_t>((d_.clock.Tick() - CycleStartTick) / kTickMs);
  // In 8 bits: a stretch that outlasted what was due plus the credit comes out above a full
  // cycle, which restarts the cycle in full.
  auto n = static_cast<uint8_t>(MinsToHint - elapsed + credit_mins);
  if (n > full) {
    d_.log.LogEvent(false, true, 0, kEventCreditOverCycle, true);
    return full;
  }
  // A credit that exactly meets the elapsed time makes the break due now: at the next tick,
  // since MinsToHint 0 would mean that no break is due at all.
  if (n == 0) n = 1;
  d_.log.LogEvent(false, true, credit_mins, kEventIdleCredit, true);
  FreshStart = false;
  return n;
}

void Engine::ShowQuickReminder(uint8_t reason) {
  RemindReason = reason;
  OpenReminder(d_.settings.SelectRemindOnceWindow, reason);
}

int Engine::WorkedPercent() const {
  int b = d_.plans.Selected().BreakInterval;
  // A slot the settings window has not filled yet has no interval; the plan in force stands in.
  if (b == 0) b = Plan().BreakInterval;
  if (b == 0) return 0;
  return static_cast<int>(RoundEvenRatio(100LL * (b - MinsLeft()), b));
}

DateTime Engine::NextBreakTime() const {
  return TickToDateTime(d_.clock, CycleStartTick + (MinsToHint + 1ull) * kTickMs);
}

void Engine::BreakScreenOpened() {
  TiredIndexCarry = static_cast<uint16_t>(TiredIndexCarry + WorkedPercent());
  RestartCountdown(0);
  ResetIdleWatch();
}

void Engine::BreakScreenClosed(uint32_t position, uint32_t length) {
  if (length == 0) length = 1;
  position = std::min(position, length);
  TiredIndexCarry =
      static_cast<uint16_t>(RoundEvenRatio(int64_t{position} * TiredIndexCarry, length));
  const auto completion =
      static_cast<uint8_t>(100 + RoundEvenRatio(int64_t{position} * 100, length));
  d_.log.LogEvent(false, false, completion, kEventKeyBreak, true);
  ++CycleNo;
  d_.plans.ApplySelected();
  CycleState = kWorking;
  RemindReason = kRemindNextBreak;
  d_.log.LogEvent(true, true, 0, kEventNewCycle, true);
  ApplyMinsTotal = 0;
  RestartCountdown(FullCycle());
  ResetIdleWatch();
}

bool Engine::CountdownHidden() const {
  const Settings& s = d_.settings;
  return (s.SelectBreakMode == 0 && s.NotShowFrmBreakHintLastOneMin_FreeMode) ||
         (s.SelectBreakMode == 1 && s.NotShowFrmBreakHintLastOneMin_PasswordMode);
}

bool Engine::Due() const {
  return CycleState == kWorking && MinsToHint != 0 && WorkMins == MinsToHint;
}

void Engine::OpenReminder(int window_choice, uint8_t reason) {
  if (window_choice == 0)
    d_.actions.OpenHintSmallWindow(reason);
  else if (window_choice == 1)
    d_.actions.OpenRemindWindowCenter(reason);
}

void Engine::OpenHint(uint8_t reason) { d_.actions.OpenHintSmallWindow(reason); }

}  // namespace tavu
