#pragma once
#include <string_view>

namespace tavu {

// Text on the clipboard.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool SetText(std::string_view utf8) = 0;
};

}  // namespace tavu
