#include "windows/main/main_form.hpp"

#include <algorithm>

#include "base/rounding.hpp"

namespace tavu {

void TfrmMain::RegisterHotKeys() {
  for (std::size_t i = 0; i < kHotKeyCount; ++i) {
    hot_key_modifiers_[i] = 0;
    for (uint32_t modifiers : {kHotKeyModifier, kHotKeyFallbackModifiers}) {
      if (host_.RegisterHotKey(i, modifiers, kHotKeys[i].key)) {
        hot_key_modifiers_[i] = modifiers;
        break;
      }
    }
  }
  settings_.HotKeyAction.SetItems(HotKeyListTexts(hot_key_modifiers_));
}

void TfrmMain::FormCreate() {
  RegisterHotKeys();
  tray_wanted_ = true;
  AddTrayIcon();
  engine_.InitAtStart();
}

void TfrmMain::FormShow() {
  const Size screen = screen_.PrimarySize();
  const Rect work = screen_.WorkArea();
  const int height = static_cast<int>(RoundEven(screen.h * 0.46484375));
  const int width = static_cast<int>(RoundEven(screen.w * 0.5537109375));
  const int left = (work.Width() - width) / 2;
  const int top = (work.Height() - height) / 2;
  state_.bounds = {left, top, left + width, top + height};
}

void TfrmMain::ShowAtStart() {
  if (!settings_.EnablePopHelpInfo) return;
  FormShow();
  state_.visible = true;
  host_.Show();
}

bool TfrmMain::FormClose() {
  // The fade ends hidden; a window that is not shown is simply hidden.
  if (state_.visible)
    host_.AnimateHide(kFadeOutMs);
  else
    host_.Hide();
  state_.visible = false;
  state_.taskbar_button = false;
  return false;
}

void TfrmMain::CloseAnimateTimerTimer() {
  FormClose();
  timers_.Stop(*this, kCloseAnimateTimer);
}

void TfrmMain::ShowSplash() {
  FormShow();
  state_.visible = true;
  host_.Show();
  EnableCloseAnimateTimer();
}

void TfrmMain::EnableCloseAnimateTimer() {
  timers_.Start(*this, kCloseAnimateTimer, kCloseAnimateMs);
}

void TfrmMain::OnTrayClick(ui::MouseButton button) {
  if (button == ui::MouseButton::Right) {
    host_.PopupMenu(Menu(), screen_.Cursor());
  } else if (button == ui::MouseButton::Left) {
    if (d_.forms.IsFormOpen("frmStat"))
      app_.CloseStatistics();
    else
      NStatClick();
  }
}

void TfrmMain::AddTrayIcon() {
  if (host_.AddTrayIcon())
    timers_.Stop(*this, kTrayRetryTimer);
  else
    timers_.Start(*this, kTrayRetryTimer, kTrayRetryMs);
}

void TfrmMain::OnTaskbarCreated() {
  if (tray_wanted_) AddTrayIcon();
}

void TfrmMain::OnOpenScreenSaverSetup() { app_.ShowSetup(kPageScreenSaver, true); }

void TfrmMain::OnExitNow() { app_.Terminate(false); }

void TfrmMain::NExitClick() {
  switch (settings_.ActionOnSelectTerminate) {
    case 1:
      app_.Terminate(true);
      break;
    case 2:
      app_.Terminate(false);
      break;
    default:
      app_.ShowSetup(kPageGeneral, false);
      break;
  }
}

void TfrmMain::FormDestroy() {
  tray_wanted_ = false;
  timers_.StopAll(*this);
  host_.UnregisterHotKeys();
  host_.RemoveTrayIcon();
}

void TfrmMain::RefreshTray() {
  state_.tray_tip = TrayTipText(engine_, DateTime::FromLocal(d_.clock.Now()), d_.time_format);
  state_.tray_paused = engine_.Paused();
}

namespace {

constexpr int64_t kMsPerMin = 60'000;
constexpr int64_t kMsPerDay = 86'400'000;

std::string ClockText(DateTime t, const DateTimeFormat& f) { return CutSeconds(TimeText(t, f)); }

}  // namespace

std::string TrayTipText(const Engine& engine, DateTime now, const DateTimeFormat& f) {
  std::string tip(kTrayTip);
  tip += '\n';
  if (engine.Paused()) {
    const DateTime end = engine.PausedUntil();
    tip += "已暂停休息提醒，到";
    tip += end.Days() != now.Days() ? "明天 " : " ";
    tip += ClockText(end, f);
  } else if (engine.Deferring()) {
    tip += "休息已推迟，稍后开始";
  } else if (engine.Phase() == CyclePhase::CountdownOpen) {
    tip += "即将休息";
  } else if (engine.Phase() == CyclePhase::BreakOpen) {
    tip += "休息中";
  } else {
    const DateTime next = engine.NextBreakTime();
    const int64_t left = std::max<int64_t>(0, (next.ms - now.ms + kMsPerMin - 1) / kMsPerMin);
    tip += "下次休息 ";
    tip += ClockText(next, f);
    tip += "（还有 ";
    tip += std::to_string(left);
    tip += " 分钟）";
  }
  return tip;
}

DateTime PauseEnd(MenuCommand command, DateTime now) {
  switch (command) {
    case MenuCommand::Pause30:
      return {now.ms + 30 * kMsPerMin};
    case MenuCommand::Pause60:
      return {now.ms + 60 * kMsPerMin};
    case MenuCommand::Pause120:
      return {now.ms + 120 * kMsPerMin};
    default:
      return {(now.Days() + 1) * kMsPerDay};
  }
}

void TfrmMain::OnTimer(int id) {
  if (id == kCloseAnimateTimer) CloseAnimateTimerTimer();
  if (id == kTrayRetryTimer) AddTrayIcon();
}

}  // namespace tavu
