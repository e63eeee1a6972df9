#include "machine/power.hpp"

namespace tavu {

void PowerActions::LetSysStandBy(bool manual) { Suspend(manual, false); }

void PowerActions::LetSysSleep(bool manual) { Suspend(manual, true); }

void PowerActions::Suspend(bool manual, bool hibernate) {
  if (manual &&
      !d_.dialogs.Ask(hibernate ? kHibernateQuestion : kStandByQuestion, kQuestionCaption))
    return;
  const uint8_t kind = hibernate ? (manual ? kEventManualHibernate : kEventAutoHibernate)
                                 : (manual ? kEventManualStandBy : kEventAutoStandBy);
  d_.log.LogEvent(false, true, 0, kind, true);
  // Without a classic standby state, standby is the display going off: modern standby follows
  // by itself, and the resume notification closes the record as after any standby.
  if (!hibernate && !d_.power.HasStandby()) {
    d_.power.DisplayOff();
    return;
  }
  bool slept = false;
  if (EnabledDebugPrivilege(true)) {
    suspend_by_us_ = true;
    const SuspendOutcome outcome = d_.power.Suspend(hibernate);
    slept = outcome.call_succeeded && outcome.slept_ms >= kMinSleptMs;
  }
  if (slept) return;  // the resume notification ends the request
  d_.log.LogEvent(false, true, 0, static_cast<uint8_t>(kind + 1), true);
  suspend_by_us_ = false;
}

void PowerActions::ShutdownDisplayer() {
  d_.log.LogEvent(false, true, 0, kEventDisplayOff, true);
  d_.power.DisplayOff();
}

intptr_t PowerActions::OnPowerBroadcast(uint32_t event) {
  switch (event) {
    case kPowerQuerySuspend:
      if (suspend_by_us_) return 1;
      if (d_.engine.Phase() == CyclePhase::Working && !d_.settings.HarwareIsLaptop &&
          !d_.dialogs.Ask(kOutsideSuspendQuestion, kQuestionCaption))
        return kDenySuspend;
      d_.log.LogEvent(false, true, 0, kEventOutsideStandBy, true);
      return 1;
    case kPowerQuerySuspendFailed:
      if (!suspend_by_us_) d_.log.LogEvent(false, true, 0, kEventOutsideStandByFailed, true);
      return 1;
    case kPowerResumeSuspend:
      Resume();
      return 1;
    default:
      return 1;
  }
}

void PowerActions::Resume() {
  suspend_by_us_ = false;
  // Current Windows sends no query first: with no open power record in this cycle there is
  // nothing to close, and nothing to credit or restart for.
  const auto& cycles = d_.log.Cycles();
  if (cycles.empty()) return;
  const std::size_t index = d_.log.FindLastEvent(cycles.size() - 1, kEventKeyPower);
  if (index == EventLog::kNone || cycles.back()[index].EndTick != 0) return;
  const CyclePhase phase = d_.engine.Phase();
  d_.log.LogEvent(false, false, phase == CyclePhase::BreakOpen ? 99 : 0, kEventKeyPower, true);
  const EventRecord& r = d_.log.Cycles().back()[index];
  last_power_secs_ = static_cast<uint16_t>((r.EndTick - r.StartTick) / 1000);
  if (phase == CyclePhase::CountdownOpen) d_.host.RestartAfterResume();
  if (phase == CyclePhase::BreakOpen) d_.host.CreditSleepToBreak(last_power_secs_);
}

}  // namespace tavu
