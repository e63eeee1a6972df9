#include "machine/screen_saving.hpp"

namespace tavu {
namespace {

constexpr Color kNoticeLabel = 0x808000;  // teal
constexpr Color kNoticeOff = 0x0000FF;
constexpr Color kNoticeOn = 0x00FF00;

}  // namespace

void ScreenSavingSwitch::Toggle(Sender sender) {
  if (sender != Sender::SettingsBox) settings_.EnableSelfSCR = !settings_.EnableSelfSCR;
  if (!settings_.EnableSelfSCR) {
    app_.PopHint(kNoticeLabel, kNoticeOff, "屏幕保护已禁用！");
    if (settings_.AutoRestoreDisabledSCR)
      Arm(static_cast<uint32_t>(settings_.RestoreSCRAfterMins) * 60 * 1000);
  } else {
    app_.PopHint(kNoticeLabel, kNoticeOn, "屏幕保护已启用！");
    Arm(0);
  }
}

void ScreenSavingSwitch::Arm(uint32_t ms) {
  timers_.Stop(*this, kRestoreTimer);
  armed_ = ms != 0;
  if (armed_) timers_.Start(*this, kRestoreTimer, ms);
}

void ScreenSavingSwitch::OnTimer(int id) {
  if (id != kRestoreTimer) return;
  timers_.Stop(*this, kRestoreTimer);
  armed_ = false;
  // Only switches on: a switch already on again by hand stays on.
  if (!settings_.EnableSelfSCR) Toggle(Sender::None);
}

}  // namespace tavu
