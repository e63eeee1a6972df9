#pragma once
#include <cstdint>

#include "settings/plans.hpp"

namespace tavu {

// The work credited for an idle stretch of `idle_mins` minutes under a plan. `frequency` picks
// the weights of stretches of 1 to 4 minutes; a value outside 0..2 counts as 1 (normal).
uint16_t IdleCreditFor(uint16_t idle_mins, const BreakPlan& plan, int frequency);

}  // namespace tavu
