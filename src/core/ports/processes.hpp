#pragma once
#include <string>
#include <vector>

namespace tavu {

// The running processes of the system.
class Processes {
 public:
  virtual ~Processes() = default;
  // The file names of their executables ("explorer.exe", "Bubbles.scr"), UTF-8; empty when the
  // list cannot be taken.
  virtual std::vector<std::string> ExecutableNames() = 0;
};

}  // namespace tavu
