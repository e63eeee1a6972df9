#include "settings/screen_zoom.hpp"

#include <algorithm>
#include <cstdint>

#include "base/rounding.hpp"

namespace tavu {

namespace screen_zoom {

int AutoPercent(Size screen) {
  constexpr int kDesignHalfSum = (800 + 600) / 2;
  const auto half_sum = static_cast<uint16_t>((screen.w + screen.h) / 2);
  // One division of whole numbers: the ratio minus 1 would carry a rounding error of its own.
  return static_cast<int>(RoundEven((half_sum - kDesignHalfSum) * 100.0 / kDesignHalfSum));
}

int PercentFor(int choice, int current, Size screen) {
  int percent = current;
  if (choice == 0) percent = 0;
  if (choice == 1) percent = AutoPercent(screen);
  return std::clamp(percent, 0, 100);
}

int Scale(int value, int percent) {
  // A whole numerator keeps exact halves exact, so they round to even (75 × 1.5 gives 112).
  return static_cast<int>(RoundEven(value * (100.0 + percent) / 100.0));
}

int FontIncrement(Size screen) { return AutoPercent(screen) / 10; }

}  // namespace screen_zoom

}  // namespace tavu
