#include "app/startup.hpp"

namespace tavu {

StartDecision RunStartChecks(TopWindows& windows, Dialogs& dialogs) {
  if (windows.ExistsByClass(kMainWindowClass)) {
    windows.PostToClass(kMainWindowClass, kMsgShowSplash, 0, 0);
    return StartDecision::HandedOver;
  }
  auto old_version_running = [&] {
    for (auto cls : kOldVersionClasses)
      if (windows.ExistsByClass(cls)) return true;
    return false;
  };
  while (old_version_running()) dialogs.Inform(kOldVersionText, kNoteCaption, true);
  return StartDecision::Proceed;
}

}  // namespace tavu
