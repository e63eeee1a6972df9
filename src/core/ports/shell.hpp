#pragma once
#include <string_view>

namespace tavu {

enum class ShowState { Normal, Show, Minimized, Maximized, Hidden };

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a program, document or URL with a verb ("open" when empty).
  virtual bool Execute(std::string_view verb, std::string_view target, std::string_view params,
                       ShowState show) = 0;
  // The Windows shut-down dialog ("Shell.Application").
  virtual bool ShutDownWindows() = 0;
};

// System-wide switches the program touches.
class SystemSettings {
 public:
  virtual ~SystemSettings() = default;
  // The system's own screen saver, for this session only (not written to the profile).
  virtual void SetScreenSaverActive(bool active) = 0;
  virtual bool ScreenSaverActive() = 0;
};

class Random {
 public:
  virtual ~Random() = default;
  virtual void Randomize() = 0;
  // 0 <= result < n (0 when n <= 0).
  virtual int Next(int n) = 0;
};

}  // namespace tavu
