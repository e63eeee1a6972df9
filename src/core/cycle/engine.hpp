#pragma once
#include <cstdint>
#include <string_view>

#include "cycle/event_log.hpp"
#include "cycle/idle_credit.hpp"
#include "cycle/reminders.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/processes.hpp"
#include "ports/sound.hpp"
#include "ports/timers.hpp"
#include "ports/user_busy.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::string_view kBreakNowQuestion = "你主动选择了休息，确定要马上休息吗？";

// Where the cycle stands: at work, in the last minute before a break, or in the break.
enum class CyclePhase : uint8_t { Working = 0, CountdownOpen = 1, BreakOpen = 2 };

// Everything the engine opens or asks of the machine. Every Open call creates a new window;
// an instance already open is not looked for. The idle-time requests are automatic ones: they
// never ask the user and log their own events.
class EngineActions {
 public:
  virtual ~EngineActions() = default;
  // The pre-break countdown window (TfrmBreakHint); `shown` false: it counts down hidden.
  // A demonstration's countdown ends in a demonstration break, never in a real one.
  virtual void OpenCountdownWindow(bool shown, bool demo) = 0;
  // The break screen (TTWForm), lengthened for the minutes of delay granted before it.
  virtual void OpenBreakScreen(bool demo, uint8_t delayed_mins) = 0;
  // TfrmHintSmallWindow and TfrmRemindWindowCenter, for the given reason.
  virtual void OpenHintSmallWindow(uint8_t remind_reason) = 0;
  virtual void OpenRemindWindowCenter(uint8_t remind_reason) = 0;
  virtual void StartScreenSaver() = 0;  // NLaunchSCRClick without a sender
  virtual void ShutdownDisplayer() = 0;
  virtual void LetSysStandBy() = 0;
  virtual void LetSysSleep() = 0;         // hibernation
  virtual void ShellToggleDesktop() = 0;  // show the desktop
  // The phase or a demonstration changed: whatever is derived from them is due for a refresh
  // (the break commands' enabled states).
  virtual void CycleChanged() = 0;
  // The minute tick ran: what shows the time to the next break is due for a refresh.
  virtual void MinuteTicked() {}
};

// What windows and statistics may read of the cycle; names as the user's figures call them.
struct CycleValues {
  uint8_t WorkMins = 0;    // minutes counted since the cycle (re)started
  uint8_t MinsToHint = 0;  // the due point; 0 while a break is open
  uint64_t CycleStartTick = 0;
  uint16_t IdleMins = 0;
  CyclePhase CycleState = CyclePhase::Working;
  uint8_t CycleNo = 1;
  uint8_t ApplyMinsTotal = 0;  // delay granted by the last countdown
  uint8_t RemindReason = kRemindNextBreak;
  uint16_t LastCreditMins = 999;
  uint16_t TiredIndexCarry = 0;
};

// The rest-cycle engine: once a minute (its own DetectPauseTimer) it decides whether the user
// worked or was idle, counts towards the next break, credits short pauses, restarts the cycle
// after a long one, fires the timed reminders and idle actions, and opens the countdown window
// when the break is due. Its state is its own: windows read it through Values() and report
// what happened through the verbs below.
class Engine : public TimerSink {
 public:
  static constexpr uint32_t kTickMs = 60'000;
  static constexpr uint16_t kNoCredit = 999;
  static constexpr int kDetectPauseTimer = 1;

  struct Deps {
    Clock& clock;
    InputWatch& input;
    Timers& timers;
    Settings& settings;
    BreakPlans& plans;
    EventLog& log;
    Dialogs& dialogs;
    Processes& processes;
    Sound& sound;
    const OpenForms& forms;
    EngineActions& actions;
    UserBusy& busy;
  };

  explicit Engine(const Deps& deps) : d_(deps) {}
  ~Engine() override;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Program start: the first cycle and its record. The tick starts with StartCycle, once the
  // settings are loaded.
  void InitAtStart();
  // A full cycle under the plan in force, counted from now; starts the tick.
  void StartCycle();

  const CycleValues& Values() const { return v_; }
  CyclePhase Phase() const { return v_.CycleState; }
  // "立即休息", "休息演示" and the break-screen preview: not while a break is under way (a
  // scheduled countdown, a break screen, a demonstration break).
  bool BreakCommandsEnabled() const;
  // The countdown-window preview: not while a countdown window is open.
  bool CountdownPreviewEnabled() const;
  // Percent of the selected plan's interval worked so far; negative past the interval.
  int WorkedPercent() const;
  // When the break is expected to start, on the wall clock (during a pause: a full cycle after
  // its end).
  DateTime NextBreakTime() const;
  uint8_t MinsLeft() const { return static_cast<uint8_t>(v_.MinsToHint - v_.WorkMins); }
  uint16_t IdleCreditMins(uint16_t idle_mins) const;

  // A timed pause of the break reminders: until `until` on the wall clock no countdown or break
  // starts and the next break's reminders are quiet; chimes, quick reminders and idle actions go
  // on. The end is judged at each tick by the wall clock, so a pause also ends across a sleep;
  // then a fresh cycle starts. Refused (false) unless at work. A new pause while paused only
  // moves the end.
  bool Pause(DateTime until);
  // Ends the pause now with a fresh cycle.
  void Resume();
  bool Paused() const { return paused_; }
  DateTime PausedUntil() const { return pause_until_; }
  bool PauseEnabled() const { return v_.CycleState == CyclePhase::Working; }
  // A due break waits while the user presents or is in a call (their settings on), checked at
  // each tick, for DeferMaxMins at most; then, or as soon as the user is free, the countdown
  // opens. The break keeps its full length.
  bool Deferring() const { return deferring_; }

  // ---- Verbs: what the user and the windows tell the engine ----
  void DetectPauseTimerTimer();
  void NBreakNowClick();
  // The demonstration from the menu: a short countdown, then a short break screen.
  void NBreakDemoClick();
  // Previews: a demonstration break screen, or a demonstration countdown on its own.
  void DemoBreak();
  void DemoHint();
  // The countdown window ended with `delayed_mins` minutes of delay granted, by the user's
  // "马上休息" or by the count reaching 0.
  void CountdownEnded(bool demo, uint8_t delayed_mins, bool by_user);
  // The countdown window is gone.
  void CountdownClosed();
  // The break screen is up: the tick runs on through the break with nothing due.
  void BreakScreenOpened(bool demo);
  // The user left the break screen with `position` of `length` seconds still to run: a new
  // cycle under the selected plan.
  void BreakLeft(bool demo, uint32_t position, uint32_t length);
  // A reminder window for `reason`: 0 the small window, 1 the centre window.
  void OpenReminder(uint8_t reason, int window);

  void OnTimer(int id) override;

 private:
  friend struct EngineTestAccess;

  void BreakTimerTimer();
  // kind 0 break screen, 1 countdown window; event_kind 10, 11, 12, or 3 for demonstrations.
  void BreakNow(uint8_t kind, uint8_t event_kind);
  void RestartCountdown(uint8_t minutes);
  void ResetIdleWatch();
  bool NoInputSinceLastTick();
  uint16_t MissedIdleMins();
  uint8_t ApplyIdleCredit(bool reset, uint8_t credit_mins);
  const BreakPlan& Plan() const { return d_.plans.Applied(); }
  uint8_t FullCycle() const { return static_cast<uint8_t>(Plan().BreakInterval - 1); }
  // The countdown window is created hidden in free or password mode with its switch on.
  bool CountdownHidden() const;
  // WorkMins has reached the due point of a working cycle (never during a break, where the
  // 8-bit count may wrap onto MinsToHint 0).
  bool Due() const;
  void SetPhase(CyclePhase phase);
  // Demonstrations and previews never get here: only real breaks and chimes sound.
  void Cue(SoundCue cue);
  void IdleMinute();
  void ActiveMinute();
  // The idle actions of one more idle minute: screen saver, display off, standby.
  void IdleActions();
  // A tick during a pause: only the idle actions.
  void PausedMinute();
  void EndPause();
  // The break is due at this tick: the countdown opens, or the break waits for the user.
  void BreakDue();
  // Why the due break should wait now (EventDeferReason), 0 for no reason.
  uint8_t DeferReason();
  void EndDeferral();
  // Closes the open idle record of a stretch the tick has not seen end yet.
  void CloseIdleRecord();

  Deps d_;
  CycleValues v_;
  uint64_t LastInputTick = 0;
  uint64_t LastActiveTick = 0;
  bool FreshStart = true;
  // The demonstration chain: a demonstration countdown is open; a demonstration break screen
  // is to follow it (menu) or is open.
  bool demo_hint_ = false;
  bool demo_break_pending_ = false;
  uint8_t demo_breaks_open_ = 0;
  uint8_t countdowns_open_ = 0;
  bool paused_ = false;
  DateTime pause_until_;
  bool deferring_ = false;
  uint64_t deferred_since_ = 0;
};

}  // namespace tavu
