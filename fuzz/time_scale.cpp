// TAVU_TIME_SCALE comes from the environment: anything but a whole number 1..3600 means 1.
#include <cstdlib>
#include <string>

#include "base/time_scale.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Cut at the first NUL, as the environment hands it over.
  const std::string text(std::string(reinterpret_cast<const char*>(data), size).c_str());
  const int scale = tavu::ParseTimeScale(text.c_str());
  if (scale < 1 || scale > tavu::kMaxTimeScale) std::abort();
  // A scale other than 1 is only ever the number written, in plain digits.
  if (scale != 1) {
    const auto digits = text.find_first_not_of('0');
    if (digits == std::string::npos || text.substr(digits) != std::to_string(scale)) std::abort();
  }
  return 0;
}
