#pragma once
#include <vector>

#include "base/geometry.hpp"

namespace tavu {

// One display as Windows arranges them: rectangles in virtual-screen pixels (the primary's
// top left is 0,0; a monitor left of or above it has negative coordinates).
struct Monitor {
  Rect rect;
  Rect work;
  int dpi = 96;
  bool primary = false;
  bool operator==(const Monitor&) const = default;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual Size PrimarySize() = 0;
  virtual Rect WorkArea() = 0;
  virtual Point Cursor() = 0;
  // Every monitor, in the system's order.
  virtual std::vector<Monitor> Monitors() = 0;
};

}  // namespace tavu
