#pragma once
#include <cstdint>

#include "base/geometry.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"

namespace tavu {

// Screen saving on or off (`EnableSelfSCR`) with its notices and the timer that switches it on
// again (`tmrToRestoreDisabledSCR`). The menu's check mark and caption are derived from the
// setting, so every path that switches it shows the same state.
class ScreenSavingSwitch : public TimerSink {
 public:
  static constexpr int kRestoreTimer = 1;
  enum class Sender { None, Menu, SettingsBox };

  ScreenSavingSwitch(Settings& settings, Timers& timers, AppCommands& app)
      : settings_(settings), timers_(timers), app_(app) {}
  ~ScreenSavingSwitch() override { timers_.StopAll(*this); }
  ScreenSavingSwitch(const ScreenSavingSwitch&) = delete;
  ScreenSavingSwitch& operator=(const ScreenSavingSwitch&) = delete;

  // NDisableSelfSCRClick: the settings box has already set the value; every other sender
  // switches it over.
  void Toggle(Sender sender);
  bool On() const { return settings_.EnableSelfSCR; }
  bool RestoreArmed() const { return armed_; }
  void OnTimer(int id) override;

 private:
  void Arm(uint32_t ms);

  Settings& settings_;
  Timers& timers_;
  AppCommands& app_;
  bool armed_ = false;
};

}  // namespace tavu
