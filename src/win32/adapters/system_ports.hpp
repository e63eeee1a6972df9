#pragma once
#include <windows.h>

#include <string>

#include "ports/event_loop.hpp"
#include "ports/processes.hpp"

namespace tavu::win {

class Win32Processes : public Processes {
 public:
  std::vector<std::string> ExecutableNames() override;
};

// Waits for messages without spinning; the time scale shortens the waits as it does timers.
class Win32EventLoop : public EventLoop {
 public:
  explicit Win32EventLoop(int scale) : scale_(scale) {}
  void ProcessMessages(uint64_t max_wait_ms) override;

 private:
  int scale_;
};

// Late-bound "Shell.Application" methods without arguments ("ToggleDesktop",
// "ShutDownWindows"). Returns whether the call succeeded.
bool CallShellApplication(const wchar_t* method);

// The system's short date and long time format pictures.
std::string ShortDateFormat();
std::string LongTimeFormat();

}  // namespace tavu::win
