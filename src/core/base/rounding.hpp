#pragma once
#include <cmath>
#include <cstdint>

namespace tavu {

// Round to nearest, halves to even: the one rounding rule of the program.
inline int64_t RoundEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

// Round(n × w) to nearest, halves to even, over the exact value of the binary64 weight w:
// 0.1 is a little above a tenth and 0.15 a little below, and the credit table depends on it,
// so the product must not be rounded to a double first.
inline int64_t RoundEvenScaled(int64_t n, double w) {
  int exp = 0;
  const double frac = std::frexp(w, &exp);  // w = frac × 2^exp, 0.5 <= frac < 1
  const auto mantissa = static_cast<uint64_t>(std::ldexp(frac, 53));
  const int shift = 53 - exp;  // w = mantissa / 2^shift exactly
  const uint64_t product = static_cast<uint64_t>(n) * mantissa;
  if (shift <= 0) return static_cast<int64_t>(product << -shift);
  const uint64_t q = product >> shift;
  const uint64_t rem = product & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  return static_cast<int64_t>(q + ((rem > half || (rem == half && (q & 1))) ? 1 : 0));
}

// Round(num / den) to nearest, halves to even, exactly; den > 0.
inline int64_t RoundEvenRatio(int64_t num, int64_t den) {
  if (num < 0) return -RoundEvenRatio(-num, den);
  const int64_t q = num / den;
  const int64_t twice_rem = 2 * (num % den);
  return q + ((twice_rem > den || (twice_rem == den && (q & 1))) ? 1 : 0);
}

}  // namespace tavu
