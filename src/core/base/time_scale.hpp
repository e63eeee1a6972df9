#pragma once
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace tavu {

inline constexpr int kMaxTimeScale = 3600;

// TAVU_TIME_SCALE: a whole number 1..3600 makes all of the program's time run that many times
// faster; anything else means 1.
inline int ParseTimeScale(const char* text) {
  if (!text || !*text) return 1;
  int value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return 1;
    value = value * 10 + (*p - '0');
    if (value > kMaxTimeScale) return 1;
  }
  return value >= 1 ? value : 1;
}

// The program's time from the system's. With a scale of N the tick and the wall clock run N
// times faster from the program's start. With 1 (no scale asked for) both are the system's own,
// so that a clock change or a time sync after the start moves chimes, reminders and log times
// with the real clock.
class TimeScale {
 public:
  // `start_wall` in any fixed unit of which `units_per_ms` make a millisecond.
  TimeScale(int scale, uint64_t start_tick, uint64_t start_wall, uint64_t units_per_ms)
      : scale_(scale), start_tick_(start_tick), start_wall_(start_wall), per_ms_(units_per_ms) {}

  int scale() const { return scale_; }

  uint64_t Tick(uint64_t real_tick) const {
    if (scale_ == 1) return real_tick;
    if (real_tick >= start_tick_) return start_tick_ + (real_tick - start_tick_) * scale_;
    const uint64_t back = (start_tick_ - real_tick) * scale_;
    return back < start_tick_ ? start_tick_ - back : 0;
  }

  uint64_t Wall(uint64_t real_tick, uint64_t real_wall) const {
    if (scale_ == 1) return real_wall;
    return start_wall_ + (real_tick - start_tick_) * scale_ * per_ms_;
  }

  // A timer interval of the program's time in the system's milliseconds; never 0.
  uint32_t Interval(uint32_t ms) const {
    const uint32_t scaled = ms / static_cast<uint32_t>(scale_);
    return scaled ? scaled : 1;
  }

 private:
  int scale_;
  uint64_t start_tick_;
  uint64_t start_wall_;
  uint64_t per_ms_;
};

}  // namespace tavu
