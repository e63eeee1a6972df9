#include "cycle/idle_credit.hpp"

#include <algorithm>

#include "base/rounding.hpp"

namespace tavu {
namespace {

// Idle-credit weights for stretches of 1..4 minutes, by frequency of computer use.
constexpr double kWeights[3][4] = {
    {0.25, 0.45, 0.8, 1.0},  // high
    {0.1, 0.3, 0.65, 0.9},   // normal
    {0.05, 0.15, 0.5, 0.8},  // low
};

}  // namespace

uint16_t IdleCreditFor(uint16_t idle_mins, const BreakPlan& plan, int frequency) {
  const int full = std::max(plan.BreakInterval - 1, 0);
  if (idle_mins >= plan.IdleMinsResetCycle) return static_cast<uint16_t>(full);
  if (idle_mins == 0) return 0;
  const int e = plan.ExtWorkMinsPerIdle;
  if (idle_mins >= 5) return static_cast<uint16_t>(idle_mins * e);
  const int row = frequency >= 0 && frequency <= 2 ? frequency : 1;
  return static_cast<uint16_t>(
      RoundEvenScaled(int64_t{idle_mins} * e, kWeights[row][idle_mins - 1]));
}

}  // namespace tavu
