#pragma once
#include "cycle/engine.hpp"

namespace tavu::win {

// The platform side of what the engine asks for: the core carries the requests out through
// its ports and the window factory; what is left here is what has no port yet.
class Win32EngineActions : public EngineActions {
 public:
  void OpenCountdownWindow(bool, bool) override {}
  void OpenBreakScreen(bool, uint8_t) override {}
  void OpenHintSmallWindow(uint8_t) override {}
  void OpenRemindWindowCenter(uint8_t) override {}
  void StartScreenSaver() override {}
  void ShutdownDisplayer() override {}
  void LetSysStandBy() override {}
  void LetSysSleep() override {}
  void ShellToggleDesktop() override;
  void CycleChanged() override {}
};

}  // namespace tavu::win
