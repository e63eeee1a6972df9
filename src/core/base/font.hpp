#pragma once
#include <string>

#include "base/geometry.hpp"

namespace tavu {

// A font as the small windows use it: face, pixel height, weight and text colour.
struct HintFont {
  std::string face;
  int height_px = 12;
  bool bold = false;
  Color color = 0;
  bool operator==(const HintFont&) const = default;
};

}  // namespace tavu
