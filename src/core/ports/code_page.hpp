#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tavu {

// The system's code page (936 on a Chinese system), for files other programs read that way.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Nothing when the code page cannot hold every character of the text.
  virtual std::optional<std::string> Encode(std::string_view utf8) = 0;
  virtual std::string Decode(std::string_view bytes) = 0;
};

}  // namespace tavu
