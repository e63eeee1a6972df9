#pragma once
#include <cstdint>

namespace tavu {

struct LocalTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const LocalTime&) const = default;
};

// Milliseconds since system start (64-bit: never wraps) and the local wall clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t Tick() = 0;
  virtual LocalTime Now() = 0;
};

// The time of the last keyboard or mouse input, on the Clock's tick scale.
class InputWatch {
 public:
  virtual ~InputWatch() = default;
  virtual uint64_t LastInputTick() = 0;
};

}  // namespace tavu
