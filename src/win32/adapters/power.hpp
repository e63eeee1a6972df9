#pragma once
#include <windows.h>

#include "ports/power.hpp"

namespace tavu::win {

class Win32Power : public Power {
 public:
  bool EnableShutdownPrivilege(bool enable) override;
  bool HasStandby() override;
  SuspendOutcome Suspend(bool hibernate) override;
  void DisplayOff() override;

  HWND main_window = nullptr;  // receives the monitor-power command
};

}  // namespace tavu::win
