#pragma once
#include <string_view>

#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "ports/windows.hpp"
#include "settings/settings.hpp"

namespace tavu {

// The title of the system's tabbed power dialog on Chinese Windows of the XP era.
inline constexpr std::string_view kPowerDialogTitle = "电源选项 属性";

// The settings window's "设置..": the system's power options, turned to their hibernation page.
// Current Windows shows the power options as a control-panel page without tabs and another
// title; then nothing is found and no key is pressed, so keys never go to another window.
class PowerOptions : public TimerSink {
 public:
  static constexpr int kWaitMs = 1000;

  PowerOptions(Shell& shell, Timers& timers, TopWindows& windows, const Settings& settings)
      : shell_(shell), timers_(timers), windows_(windows), settings_(settings) {}
  ~PowerOptions() override { timers_.StopAll(*this); }
  PowerOptions(const PowerOptions&) = delete;
  PowerOptions& operator=(const PowerOptions&) = delete;

  void Open();
  void OnTimer(int id) override;

 private:
  Shell& shell_;
  Timers& timers_;
  TopWindows& windows_;
  const Settings& settings_;
};

}  // namespace tavu
