#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tavu {

enum class RegistryRoot { LocalMachine, CurrentUser };

// String values of the system registry. Keys are UTF-8 with backslashes, below their root.
class Registry {
 public:
  virtual ~Registry() = default;
  // Nothing when the key or the value is absent or cannot be read.
  virtual std::optional<std::string> Read(RegistryRoot root, std::string_view key,
                                          std::string_view name) = 0;
  // Creates the key when needed; false when refused (an ordinary user and the machine's keys).
  virtual bool Write(RegistryRoot root, std::string_view key, std::string_view name,
                     std::string_view data) = 0;
  // True when the value is gone afterwards, also when it was never there.
  virtual bool Delete(RegistryRoot root, std::string_view key, std::string_view name) = 0;
};

}  // namespace tavu
