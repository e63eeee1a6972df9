#pragma once
#include <cstdint>

#include "ports/shell.hpp"

namespace tavu::bench {

// A cheap generator, so the measurement is the painting and not the random source.
class XorShiftRandom : public Random {
 public:
  void Randomize() override {}
  int Next(int n) override {
    if (n <= 0) return 0;
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<int>(state_ % static_cast<uint64_t>(n));
  }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace tavu::bench
