#pragma once
#include <cmath>
#include <cstdint>

namespace tavu {

// Round to nearest, halves to even: the one rounding rule of the program.
inline int64_t RoundEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

}  // namespace tavu
