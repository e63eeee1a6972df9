#pragma once
#include <string>
#include <string_view>

namespace tavu {

// The user's special folders, and the system's own (where screen savers live).
enum class ShellFolder { AppData, Programs, Desktop, Windows, System };

struct ShellLink {
  std::string target, arguments, working_folder, description;
  bool operator==(const ShellLink&) const = default;
};

// Special folders and shortcut (.lnk) files. Paths are UTF-8 with backslashes.
class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // The folder's path without a trailing backslash; empty when the system has none.
  virtual std::string FolderPath(ShellFolder folder) = 0;
  virtual bool Save(const ShellLink& link, std::string_view link_path) = 0;
};

}  // namespace tavu
