#include "cycle/tiredness.hpp"

#include <algorithm>

#include "base/rounding.hpp"

namespace tavu::tiredness {

uint16_t AtBreakStart(uint16_t carry, int worked_percent) {
  return static_cast<uint16_t>(carry + worked_percent);
}

uint16_t AfterBreak(uint16_t carry, uint32_t position, uint32_t length) {
  if (length == 0) length = 1;
  position = std::min(position, length);
  return static_cast<uint16_t>(RoundEvenRatio(int64_t{position} * carry, length));
}

uint16_t AfterIdle(uint16_t carry, uint16_t idle_mins, uint8_t reset_after) {
  if (idle_mins >= reset_after) return 0;
  return static_cast<uint16_t>(
      RoundEvenRatio(int64_t{carry} * (reset_after - idle_mins), reset_after));
}

}  // namespace tavu::tiredness
