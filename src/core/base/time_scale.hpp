#pragma once
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

}  // namespace tavu
