#include "machine/power_options.hpp"

namespace tavu {

void PowerOptions::Open() {
  shell_.Execute("open", "RunDll32.exe", "Shell32.dll,Control_RunDLL powercfg.cpl",
                 ShowState::Normal);
  // The dialog takes a moment to come; waiting on a timer keeps the program responsive.
  timers_.Start(*this, 1, kWaitMs);
}

void PowerOptions::OnTimer(int id) {
  timers_.Stop(*this, id);
  // The hibernation page is the third tab on desktops and the fifth on laptops.
  windows_.PressCtrlPageDown(kPowerDialogTitle, settings_.HarwareIsLaptop ? 4 : 2);
}

}  // namespace tavu
