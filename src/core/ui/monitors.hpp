#pragma once
#include <vector>

#include "base/geometry.hpp"
#include "ports/screen.hpp"

namespace tavu::ui {

// The monitors a full-screen window covers besides the primary one, in the system's order: all
// the others when `all_monitors`, none otherwise. A monitor of no area is left out.
std::vector<Monitor> OtherMonitors(Screen& screen, bool all_monitors);

}  // namespace tavu::ui
