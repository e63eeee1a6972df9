#pragma once
#include <cstdint>
#include <string_view>

#include "cycle/event_log.hpp"
#include "cycle/idle_credit.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/processes.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::string_view kBreakNowQuestion = "你主动选择了休息，确定要马上休息吗？";

// Why a small hint window or centre reminder window is being opened; those windows read it.
enum RemindReasonCode : uint8_t {
  kRemindNextBreak = 0,
  kRemindBreakApproaching = 1,
  kRemindChime = 2,
  kRemindOnce1 = 3,
  kRemindOnce2 = 4,
};

enum CycleStateCode : uint8_t { kWorking = 0, kCountdownOpen = 1, kBreakScreenOpen = 2 };

// Commands that must not start a second break while one is under way.
enum class BreakCommand {
  NBreakNow,            // menu "立即休息"
  NBreakDemo,           // menu "休息演示"
  btnPreviewHintForm,   // settings window, countdown-window preview
  btnPreviewBreakForm,  // settings window, break-screen preview
};

// Everything the engine opens or asks of the machine. Every Open call creates a new window;
// an instance already open is not looked for. The idle-time requests are automatic ones: they
// never ask the user and log their own events.
class EngineActions {
 public:
  virtual ~EngineActions() = default;
  // The pre-break countdown window (TfrmBreakHint); `shown` false: it counts down hidden.
  virtual void OpenCountdownWindow(bool shown) = 0;
  // The break screen (TTWForm).
  virtual void OpenBreakScreen() = 0;
  // TfrmHintSmallWindow and TfrmRemindWindowCenter, for the given reason.
  virtual void OpenHintSmallWindow(uint8_t remind_reason) = 0;
  virtual void OpenRemindWindowCenter(uint8_t remind_reason) = 0;
  virtual void StartScreenSaver() = 0;  // NLaunchSCRClick without a sender
  virtual void ShutdownDisplayer() = 0;
  virtual void LetSysStandBy() = 0;
  virtual void LetSysSleep() = 0;         // hibernation
  virtual void ShellToggleDesktop() = 0;  // show the desktop
  virtual void SetCommandEnabled(BreakCommand command, bool enabled) = 0;
};

// The rest-cycle engine: once a minute (the main window's DetectPauseTimer) it decides whether
// the user worked or was idle, counts towards the next break, credits short pauses, restarts
// the cycle after a long one, fires the timed reminders and idle actions, and opens the
// countdown window when the break is due. The windows of a cycle read and write its state
// fields directly from their handlers.
class Engine {
 public:
  static constexpr uint32_t kTickMs = 60'000;
  static constexpr uint16_t kNoCredit = 999;

  struct Deps {
    Clock& clock;
    InputWatch& input;
    Timers& timers;
    TimerSink& tick_sink;  // owner of DetectPauseTimer, which forwards its ticks here
    int tick_id;
    Settings& settings;
    BreakPlans& plans;
    EventLog& log;
    Dialogs& dialogs;
    Processes& processes;
    const OpenForms& forms;
    EngineActions& actions;
  };

  explicit Engine(const Deps& deps) : d_(deps) {}

  // Main window creation: the first cycle and the program-start event. The tick is started
  // later, once the settings are loaded (RestartCountdown and ResetIdleWatch).
  void InitAtStart();

  void DetectPauseTimerTimer();
  void BreakTimerTimer();
  // kind 0 break screen, 1 countdown window; event_kind 10, 11, 12, or 3 for demonstrations.
  void BreakNow(uint8_t kind, uint8_t event_kind);
  void NBreakNowClick();
  void DemoBreak();
  void DemoHint();
  void NBreakDemoClick();
  void RestartCountdown(uint8_t minutes);
  void ResetIdleWatch();
  bool NoInputSinceLastTick();
  uint16_t MissedIdleMins();
  uint16_t IdleCreditMins(uint16_t idle_mins) const;
  uint8_t ApplyIdleCredit(bool reset, uint8_t credit_mins);
  void ShowQuickReminder(uint8_t reason);
  // Percent of the selected plan's interval worked so far; negative past the interval.
  int WorkedPercent() const;
  // When the break is expected to start, on the wall clock.
  DateTime NextBreakTime() const;
  uint8_t MinsLeft() const { return static_cast<uint8_t>(MinsToHint - WorkMins); }

  // The engine side of a real break screen: when it opens (the tick runs on through the break
  // with nothing due) and when the user leaves it with `position` of `length` seconds still to
  // run (a new cycle under the selected plan).
  void BreakScreenOpened();
  void BreakScreenClosed(uint32_t position, uint32_t length);

  // Engine state.
  uint8_t WorkMins = 0;
  uint8_t MinsToHint = 0;
  uint64_t CycleStartTick = 0;
  uint16_t IdleMins = 0;
  uint8_t CycleState = kWorking;
  uint8_t CycleNo = 1;
  uint8_t ApplyMinsTotal = 0;
  bool IsDemoBreak = false;
  bool IsDemoHint = false;
  uint8_t RemindReason = kRemindNextBreak;
  uint64_t LastInputTick = 0;
  uint64_t LastActiveTick = 0;
  uint16_t LastCreditMins = kNoCredit;
  bool FreshStart = true;
  uint16_t TiredIndexCarry = 0;

 private:
  const BreakPlan& Plan() const { return d_.plans.Applied(); }
  uint8_t FullCycle() const { return static_cast<uint8_t>(Plan().BreakInterval - 1); }
  // The countdown window is created hidden in free or password mode with its switch on.
  bool CountdownHidden() const;
  // WorkMins has reached the due point of a working cycle (never during a break, where the
  // 8-bit count may wrap onto MinsToHint 0).
  bool Due() const;
  void OpenReminder(int window_choice, uint8_t reason);
  void OpenHint(uint8_t reason);
  void IdleMinute();
  void ActiveMinute();

  Deps d_;
};

}  // namespace tavu
