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
  // Brings the top-level window titled `title` to the front and presses Ctrl+Page Down on it
  // `times` times; false (and no key pressed) when there is no such window.
  virtual bool PressCtrlPageDown(std::string_view title, int times) = 0;
};

}  // namespace tavu
