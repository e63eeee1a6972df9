#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavu {

// Paths are UTF-8 with backslashes; folders end with a backslash.
class Files {
 public:
  virtual ~Files() = default;
  // The folder of the running executable.
  virtual std::string ExeFolder() = 0;
  virtual std::string ExePath() = 0;
  // Up to `limit` bytes of a file; nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> Read(std::string_view path, std::size_t limit) = 0;
  // Writes beside the target, then replaces it: a failure leaves the old file as it was.
  virtual bool WriteAtomic(std::string_view path, std::string_view bytes) = 0;
  virtual bool Exists(std::string_view path) = 0;
  virtual std::vector<std::string> List(std::string_view folder, std::string_view pattern) = 0;
};

}  // namespace tavu
