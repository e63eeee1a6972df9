#pragma once
#include <cstdint>

namespace tavu {

// What a suspend request came to. A call can report success without the machine having slept
// (a compatibility layer, firmware that refuses): `slept_ms` is the time the machine really
// spent asleep during the call, measured by the system's sleep-biased clock.
struct SuspendOutcome {
  bool call_succeeded = false;
  uint64_t slept_ms = 0;
};

// The machine's power: the shut-down privilege, standby and hibernation, the display.
class Power {
 public:
  virtual ~Power() = default;
  // Enables (or drops) the shut-down privilege of this process; whether that worked.
  virtual bool EnableShutdownPrivilege(bool enable) = 0;
  // Whether the machine has a classic standby state (S1-S3). Machines with modern standby
  // have none: their standby is entered by switching the display off.
  virtual bool HasStandby() = 0;
  // Forced standby or hibernation; returns once the machine runs again (or the call failed).
  virtual SuspendOutcome Suspend(bool hibernate) = 0;
  // Switches the display off (the monitor-power command to the program's own window).
  virtual void DisplayOff() = 0;
};

}  // namespace tavu
