#include "cycle/engine.hpp"

#include <algorithm>
#include <limits>

#include "base/rounding.hpp"
#include "cycle/tiredness.hpp"
#include "machine/helpers.hpp"
#include "ports/dialogs.hpp"

namespace tavu {

Engine::~Engine() { d_.timers.StopAll(*this); }

void Engine::InitAtStart() {
  v_.CycleNo = 1;
  SetPhase(CyclePhase::Working);
  v_.RemindReason = kRemindNextBreak;
  FreshStart = true;
  v_.TiredIndexCarry = 0;
  d_.log.LogEvent(true, true, 0, kEventProgramStart, true);
  demo_hint_ = demo_break_pending_ = false;
  v_.ApplyMinsTotal = 0;
}

void Engine::StartCycle() {
  RestartCountdown(FullCycle());
  ResetIdleWatch();
}

void Engine::OnTimer(int id) {
  if (id == kDetectPauseTimer) DetectPauseTimerTimer();
}

void Engine::SetPhase(CyclePhase phase) {
  v_.CycleState = phase;
  d_.actions.CycleChanged();
}

bool Engine::BreakCommandsEnabled() const {
  return v_.CycleState == CyclePhase::Working && demo_breaks_open_ == 0;
}

bool Engine::CountdownPreviewEnabled() const { return countdowns_open_ == 0; }

void Engine::DetectPauseTimerTimer() {
  const LocalTime now = d_.clock.Now();
  for (const DueReminder& r : TimedRemindersAt(d_.settings, now)) {
    if (r.reason == kRemindChime) Cue(SoundCue::Chime);
    OpenReminder(r.reason, r.window);
  }

  if (paused_) {
    if (DateTime::FromLocal(now) >= pause_until_)
      Resume();
    else
      PausedMinute();
    d_.actions.MinuteTicked();
    return;
  }

  ++v_.WorkMins;
  const uint8_t m = MinsLeft();
  if (v_.CycleState == CyclePhase::Working) {
    if (v_.WorkMins == 1 && m >= 10) {
      v_.RemindReason = kRemindNextBreak;
      if (v_.LastCreditMins >= 10) d_.actions.OpenHintSmallWindow(kRemindNextBreak);
    } else {
      v_.RemindReason = kRemindBreakApproaching;
      if (m == 5 || m == 2 || (m == 1 && CountdownHidden()))
        d_.actions.OpenHintSmallWindow(kRemindBreakApproaching);
    }
  }

  if (NoInputSinceLastTick())
    IdleMinute();
  else
    ActiveMinute();
  d_.actions.MinuteTicked();
}

void Engine::IdleMinute() {
  // Saturates: a wrapped count would turn a very long absence into a small credit.
  if (v_.IdleMins < std::numeric_limits<uint16_t>::max()) ++v_.IdleMins;
  if (v_.IdleMins == 1 && v_.CycleState == CyclePhase::Working)
    d_.log.LogEvent(false, true, 0, kEventIdle, false);
  IdleActions();
  // Never opens the countdown while idle: the due point moves on a minute at a time.
  if (Due()) RestartCountdown(1);
}

void Engine::IdleActions() {
  const Settings& s = d_.settings;
  if (v_.IdleMins == s.SCR && s.EnableSelfSCR && !IsScreenSaverRunning(d_.processes, d_.forms))
    d_.actions.StartScreenSaver();
  if (v_.IdleMins == s.ShutDownDisplayer && s.EnableShutDownDisplayer)
    d_.actions.ShutdownDisplayer();
  if (v_.IdleMins == s.LetSuspend && s.EnableSuspend) {
    if (s.StandByOrSleep == 0)
      d_.actions.LetSysStandBy();
    else if (s.StandByOrSleep == 1)
      d_.actions.LetSysSleep();
  }
}

void Engine::PausedMinute() {
  if (!NoInputSinceLastTick()) {
    v_.IdleMins = 0;
    return;
  }
  if (v_.IdleMins < std::numeric_limits<uint16_t>::max()) ++v_.IdleMins;
  IdleActions();
}

void Engine::ActiveMinute() {
  const bool stretch_was_counted = v_.IdleMins != 0;
  v_.IdleMins = static_cast<uint16_t>(std::min<uint32_t>(uint32_t{v_.IdleMins} + MissedIdleMins(),
                                                         std::numeric_limits<uint16_t>::max()));
  if (v_.IdleMins == 0) {
    if (Due()) BreakDue();
    return;
  }
  if (stretch_was_counted && v_.CycleState == CyclePhase::Working)
    d_.log.LogEvent(false, false, 0, kEventIdle, true, v_.IdleMins);
  if (v_.MinsToHint != 0) {
    const uint16_t c = IdleCreditMins(v_.IdleMins);
    v_.LastCreditMins = c;
    const uint8_t reset_after = Plan().IdleMinsResetCycle;
    if (c == 0) {
      if (Due()) BreakDue();
    } else if (v_.IdleMins < reset_after) {
      RestartCountdown(ApplyIdleCredit(false, static_cast<uint8_t>(c)));
      v_.TiredIndexCarry = tiredness::AfterIdle(v_.TiredIndexCarry, v_.IdleMins, reset_after);
    } else {
      RestartCountdown(ApplyIdleCredit(true, 0));
      v_.TiredIndexCarry = 0;
    }
  }
  v_.IdleMins = 0;
}

void Engine::BreakTimerTimer() { BreakNow(1, kEventCountdown); }

void Engine::BreakDue() {
  const bool limit_reached =
      deferring_ && (d_.clock.Tick() - deferred_since_) / kTickMs >=
                        static_cast<uint64_t>(d_.settings.DeferMaxMins.Get());
  const uint8_t reason = limit_reached ? 0 : DeferReason();
  if (reason == 0) return BreakTimerTimer();
  if (!deferring_) {
    deferring_ = true;
    deferred_since_ = d_.clock.Tick();
    d_.log.LogEvent(false, true, reason, kEventBreakDeferred, true);
  }
  // Due again at the next tick, where the user's state is looked at again. The break keeps its
  // length: only its start moves.
  RestartCountdown(1);
}

uint8_t Engine::DeferReason() {
  const Settings& s = d_.settings;
  if (s.DeferWhenPresenting && d_.busy.Presenting()) return kDeferPresenting;
  if (s.DeferInCalls && d_.busy.InCall()) return kDeferCall;
  return 0;
}

void Engine::EndDeferral() {
  if (!deferring_) return;
  deferring_ = false;
  d_.log.LogEvent(false, false, 0, kEventBreakDeferred, true);
}

void Engine::CloseIdleRecord() {
  if (v_.IdleMins != 0 && v_.CycleState == CyclePhase::Working)
    d_.log.LogEvent(false, false, 0, kEventIdle, true, v_.IdleMins);
}

bool Engine::Pause(DateTime until) {
  if (!PauseEnabled()) return false;
  if (!paused_) {
    EndDeferral();
    // The user is at the machine to choose the pause: an idle stretch the tick has not seen
    // end yet ends here, so its record does not stay open across the pause.
    CloseIdleRecord();
    v_.IdleMins = 0;
    LastInputTick = d_.input.LastInputTick();
    d_.log.LogEvent(false, true, 0, kEventPause, true);
    paused_ = true;
  }
  pause_until_ = until;
  d_.actions.CycleChanged();
  return true;
}

void Engine::Resume() {
  if (!paused_) return;
  EndPause();
  StartCycle();
  d_.actions.CycleChanged();
}

void Engine::EndPause() {
  paused_ = false;
  d_.log.LogEvent(false, false, 0, kEventPause, true);
}

void Engine::BreakNow(uint8_t kind, uint8_t event_kind) {
  const bool demo = event_kind == kEventDemo;
  if (!demo) {
    // A break taken during a pause of input, before the tick saw the user back, ends that
    // stretch: its record would stay open in a cycle that is over. A break the user asks for
    // during a timed pause ends the pause the same way.
    CloseIdleRecord();
    EndDeferral();
    if (paused_) EndPause();
    d_.log.LogEvent(false, true, 0, event_kind, true);
  }
  if (kind == 0) {
    if (demo) {
      ++demo_breaks_open_;
      d_.actions.CycleChanged();
    } else {
      d_.timers.Stop(*this, kDetectPauseTimer);
      SetPhase(CyclePhase::BreakOpen);
    }
    if (d_.settings.ToggleB4Break) d_.actions.ShellToggleDesktop();
    d_.actions.OpenBreakScreen(demo, v_.ApplyMinsTotal);
  } else {
    ++countdowns_open_;
    if (demo) {
      demo_hint_ = true;
      d_.actions.CycleChanged();
    } else {
      d_.timers.Stop(*this, kDetectPauseTimer);
      SetPhase(CyclePhase::CountdownOpen);
    }
    d_.actions.OpenCountdownWindow(demo || !CountdownHidden(), demo);
  }
}

void Engine::NBreakNowClick() {
  if (!d_.dialogs.Ask(kBreakNowQuestion, kQuestionCaption)) return;
  // The tick runs on while the question waits; a countdown or break that began meanwhile
  // already leads to a break, and a second break screen would count the cycle twice.
  if (v_.CycleState != CyclePhase::Working) return;
  BreakNow(0, kEventManualBreak);
}

void Engine::DemoBreak() { BreakNow(0, kEventDemo); }

void Engine::DemoHint() { BreakNow(1, kEventDemo); }

void Engine::NBreakDemoClick() {
  demo_break_pending_ = true;
  DemoHint();
}

void Engine::CountdownEnded(bool demo, uint8_t delayed_mins, bool by_user) {
  v_.ApplyMinsTotal = delayed_mins;
  if (!demo) return BreakNow(0, by_user ? kEventManualBreak : kEventScheduledBreak);
  demo_hint_ = false;
  if (demo_break_pending_) {
    demo_break_pending_ = false;
    DemoBreak();
  }
}

void Engine::CountdownClosed() {
  if (countdowns_open_ > 0) --countdowns_open_;
  d_.actions.CycleChanged();
}

void Engine::RestartCountdown(uint8_t minutes) {
  v_.MinsToHint = minutes;
  v_.WorkMins = 0;
  if (FreshStart)
    v_.LastCreditMins = kNoCredit;
  else
    FreshStart = true;
  if (minutes != 0) v_.CycleStartTick = d_.clock.Tick();
}

void Engine::ResetIdleWatch() {
  v_.IdleMins = 0;
  LastInputTick = d_.input.LastInputTick();
  LastActiveTick = d_.clock.Tick();
  d_.timers.Start(*this, kDetectPauseTimer, kTickMs);
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
  if (k <= v_.IdleMins) return 0;
  return static_cast<uint16_t>(
      std::min<uint64_t>(k - v_.IdleMins - 1, std::numeric_limits<uint16_t>::max()));
}

uint16_t Engine::IdleCreditMins(uint16_t idle_mins) const {
  return IdleCreditFor(idle_mins, Plan(), d_.settings.FrequencyOfPCOperation);
}

uint8_t Engine::ApplyIdleCredit(bool reset, uint8_t credit_mins) {
  const uint8_t full = FullCycle();
  // A restarted cycle owes no break: a deferral ends with it.
  if (reset) {
    d_.log.LogEvent(false, true, 0, kEventIdleReset, true);
    EndDeferral();
    return full;
  }
  const auto elapsed = static_cast<int64_t>((d_.clock.Tick() - v_.CycleStartTick) / kTickMs);
  // In 8 bits: a stretch that outlasted what was due plus the credit comes out above a full
  // cycle, which restarts the cycle in full.
  auto n = static_cast<uint8_t>(v_.MinsToHint - elapsed + credit_mins);
  if (n > full) {
    d_.log.LogEvent(false, true, 0, kEventCreditOverCycle, true);
    EndDeferral();
    return full;
  }
  // A credit that exactly meets the elapsed time makes the break due now: at the next tick,
  // since v_.MinsToHint 0 would mean that no break is due at all.
  if (n == 0) n = 1;
  d_.log.LogEvent(false, true, credit_mins, kEventIdleCredit, true);
  FreshStart = false;
  return n;
}

int Engine::WorkedPercent() const {
  int b = d_.plans.Selected().BreakInterval;
  // A slot the settings window has not filled yet has no interval; the plan in force stands in.
  if (b == 0) b = Plan().BreakInterval;
  if (b == 0) return 0;
  return static_cast<int>(RoundEvenRatio(100LL * (b - MinsLeft()), b));
}

DateTime Engine::NextBreakTime() const {
  // A pause ends in a fresh cycle.
  if (paused_) return {pause_until_.ms + (FullCycle() + 1ll) * kTickMs};
  return TickToDateTime(d_.clock, v_.CycleStartTick + (v_.MinsToHint + 1ull) * kTickMs);
}

void Engine::BreakScreenOpened(bool demo) {
  if (demo) return;
  Cue(SoundCue::BreakStart);
  v_.TiredIndexCarry = tiredness::AtBreakStart(v_.TiredIndexCarry, WorkedPercent());
  RestartCountdown(0);
  ResetIdleWatch();
}

void Engine::BreakLeft(bool demo, uint32_t position, uint32_t length) {
  if (demo) {
    if (demo_breaks_open_ > 0) --demo_breaks_open_;
    d_.actions.CycleChanged();
    return;
  }
  Cue(SoundCue::BreakEnd);
  v_.TiredIndexCarry = tiredness::AfterBreak(v_.TiredIndexCarry, position, length);
  if (length == 0) length = 1;
  position = std::min(position, length);
  const auto completion =
      static_cast<uint8_t>(100 + RoundEvenRatio(int64_t{position} * 100, length));
  d_.log.LogEvent(false, false, completion, kEventKeyBreak, true);
  ++v_.CycleNo;
  d_.plans.ApplySelected();
  v_.RemindReason = kRemindNextBreak;
  d_.log.LogEvent(true, true, 0, kEventNewCycle, true);
  v_.ApplyMinsTotal = 0;
  RestartCountdown(FullCycle());
  ResetIdleWatch();
  SetPhase(CyclePhase::Working);
}

bool Engine::CountdownHidden() const {
  const Settings& s = d_.settings;
  return (s.SelectBreakMode == 0 && s.NotShowFrmBreakHintLastOneMin_FreeMode) ||
         (s.SelectBreakMode == 1 && s.NotShowFrmBreakHintLastOneMin_PasswordMode);
}

bool Engine::Due() const {
  return v_.CycleState == CyclePhase::Working && v_.MinsToHint != 0 && v_.WorkMins == v_.MinsToHint;
}

void Engine::Cue(SoundCue cue) {
  if (d_.settings.SoundCues) d_.sound.Play(cue);
}

void Engine::OpenReminder(uint8_t reason, int window) {
  v_.RemindReason = reason;
  if (window == 0)
    d_.actions.OpenHintSmallWindow(reason);
  else if (window == 1)
    d_.actions.OpenRemindWindowCenter(reason);
}

}  // namespace tavu
