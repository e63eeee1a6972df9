#pragma once
#include <cstdint>

namespace tavu {

// The tiredness carried from one cycle into the next (`TiredIndexCarry`), in percent of a
// cycle's work: it grows by the share of the interval worked when a break starts, and rest
// takes it down in proportion.
namespace tiredness {

// A break starts after `worked_percent` of the interval.
uint16_t AtBreakStart(uint16_t carry, int worked_percent);
// A break was left with `position` of `length` seconds still to run.
uint16_t AfterBreak(uint16_t carry, uint32_t position, uint32_t length);
// An idle stretch of `idle_mins` ended; `reset_after` minutes of rest clear it.
uint16_t AfterIdle(uint16_t carry, uint16_t idle_mins, uint8_t reset_after);

}  // namespace tiredness
}  // namespace tavu
