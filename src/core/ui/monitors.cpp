#include "ui/monitors.hpp"

namespace tavu::ui {

std::vector<Monitor> OtherMonitors(Screen& screen, bool all_monitors) {
  std::vector<Monitor> others;
  if (!all_monitors) return others;
  for (const Monitor& m : screen.Monitors())
    if (!m.primary && m.rect.Width() > 0 && m.rect.Height() > 0) others.push_back(m);
  return others;
}

}  // namespace tavu::ui
