#pragma once
#include <windows.h>

#include "cycle/engine.hpp"

namespace tavu::win {

// The platform side of what the engine asks for. Windows that are not built yet are asked
// for and nothing opens; the machine actions call the system.
class Win32EngineActions : public EngineActions {
 public:
  void OpenCountdownWindow(bool, bool) override {}
  void OpenBreakScreen(bool, uint8_t) override {}
  void OpenHintSmallWindow(uint8_t) override {}
  void OpenRemindWindowCenter(uint8_t) override {}
  void StartScreenSaver() override {}
  void ShutdownDisplayer() override;
  void LetSysStandBy() override {}
  void LetSysSleep() override {}
  void ShellToggleDesktop() override;
  void CycleChanged() override {}

  HWND main_window = nullptr;  // receives the monitor-power command
};

}  // namespace tavu::win
