#pragma once
#include <cstdint>
#include <string_view>

#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "ports/dialogs.hpp"
#include "ports/power.hpp"
#include "settings/settings.hpp"

namespace tavu {

inline constexpr std::string_view kStandByQuestion = "系统正准备待机,要继续吗?";
inline constexpr std::string_view kHibernateQuestion = "系统正准备休眠,要继续吗?";
inline constexpr std::string_view kOutsideSuspendQuestion = "系统正准备挂机,要继续吗?";

// The system's power-broadcast events the program acts on, and its refusal of a suspend.
enum PowerEvent : uint32_t {
  kPowerQuerySuspend = 0,
  kPowerQuerySuspendFailed = 2,
  kPowerResumeSuspend = 7,
};
inline constexpr intptr_t kDenySuspend = 0x424D5144;

// What a resume does beyond the log: the composition root carries it out.
class PowerHost {
 public:
  virtual ~PowerHost() = default;
  // The machine woke during a countdown: the program starts afresh.
  virtual void RestartAfterResume() = 0;
  // The machine slept `seconds` during a break: the time counts as rest.
  virtual void CreditSleepToBreak(uint16_t seconds) = 0;
};

// Standby, hibernation and display off, by idle time or by hand, and the answers to the
// system's power notifications. Every attempt is logged before it is made and a failure after;
// a call that reports success while the machine never slept is a failure too.
class PowerActions {
 public:
  // Below this much time asleep a "successful" suspend did not happen.
  static constexpr uint64_t kMinSleptMs = 1000;

  struct Deps {
    Power& power;
    Dialogs& dialogs;
    EventLog& log;
    const Settings& settings;
    const Engine& engine;
    PowerHost& host;
  };
  explicit PowerActions(const Deps& deps) : d_(deps) {}

  bool EnabledDebugPrivilege(bool enable) { return d_.power.EnableShutdownPrivilege(enable); }
  void LetSysStandBy(bool manual);
  void LetSysSleep(bool manual);
  void ShutdownDisplayer();
  // Message 0x218: the result handed back to the system.
  intptr_t OnPowerBroadcast(uint32_t event);
  // The length of the power record the last resume closed, in seconds (16 bits).
  uint16_t LastPowerEventSecs() const { return last_power_secs_; }
  bool SuspendByUs() const { return suspend_by_us_; }

 private:
  void Suspend(bool manual, bool hibernate);
  void Resume();

  Deps d_;
  bool suspend_by_us_ = false;
  uint16_t last_power_secs_ = 0;
};

}  // namespace tavu
