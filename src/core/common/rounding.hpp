#pragma once
#include <cmath>
#include <cstdint>

namespace tavu {

// Round to nearest, halves to even: the one rounding rule of the program.
inline int64_t RoundEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

// Integer division truncating toward zero (C++ already does; named for readers).
inline int64_t Div(int64_t a, int64_t b) { return a / b; }

}  // namespace tavu
