#pragma once
#include <cstdint>
#include <string_view>

namespace tavu {

// Top-level windows of other programs, by class or title.
class TopWindows {
 public:
  virtual ~TopWindows() = default;
  virtual bool ExistsByClass(std::string_view window_class) = 0;
  virtual bool PostToClass(std::string_view window_class, uint32_t message, uintptr_t wparam,
                           intptr_t lparam) = 0;
};

}  // namespace tavu
