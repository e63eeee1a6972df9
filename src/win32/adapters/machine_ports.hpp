#pragma once
#include <windows.h>

#include "ports/clipboard.hpp"
#include "ports/code_page.hpp"
#include "ports/registry.hpp"
#include "ports/shell_links.hpp"
#include "ports/sound.hpp"

namespace tavu::win {

// Wide-character registry calls in the process's native view.
class Win32Registry : public Registry {
 public:
  std::optional<std::string> Read(RegistryRoot root, std::string_view key,
                                  std::string_view name) override;
  bool Write(RegistryRoot root, std::string_view key, std::string_view name,
             std::string_view data) override;
  bool Delete(RegistryRoot root, std::string_view key, std::string_view name) override;
};

// Known folders and IShellLinkW shortcuts.
class Win32ShellLinks : public ShellLinks {
 public:
  std::string FolderPath(ShellFolder folder) override;
  bool Save(const ShellLink& link, std::string_view link_path) override;
};

class Win32Clipboard : public Clipboard {
 public:
  bool SetText(std::string_view utf8) override;
};

// The cues are WAVE resources, played asynchronously by the system.
class Win32Sound : public Sound {
 public:
  void Play(SoundCue cue) override;
};

// The system's ANSI code page.
class Win32CodePage : public CodePage {
 public:
  std::optional<std::string> Encode(std::string_view utf8) override;
  std::string Decode(std::string_view bytes) override;
};

}  // namespace tavu::win
