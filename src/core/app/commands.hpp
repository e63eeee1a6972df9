#pragma once
#include "common/geometry.hpp"

namespace tavu {

// Settings window pages, in tab order.
enum SetupPage : int {
  kPageBasic = 0,
  kPageMode = 1,
  kPageScreenSaver = 2,
  kPageReminders = 3,
  kPageBreakScreen = 4,
  kPageCountdown = 5,
  kPageChime = 6,
  kPageGeneral = 7,
  kPageUnchanged = -1,
};

// Commands that cross windows; the composition root carries them out.
class AppCommands {
 public:
  virtual ~AppCommands() = default;
  virtual void ShowSetup(int page, bool topmost) = 0;
  // Ends the program; with `restart` a new instance starts once this one's windows are gone.
  virtual void Terminate(bool restart) = 0;
  virtual void StartEngine() = 0;
  virtual void EnableWelcomeClose() = 0;
  virtual void ShowWelcome() = 0;
};

}  // namespace tavu
