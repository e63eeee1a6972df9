#pragma once
#include "base/geometry.hpp"

namespace tavu {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual Size PrimarySize() = 0;
  virtual Rect WorkArea() = 0;
  virtual Point Cursor() = 0;
};

}  // namespace tavu
