#include "windows/main/main_form.hpp"

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

void TfrmMain::OnTimer(int id) {
  if (id == kCloseAnimateTimer) CloseAnimateTimerTimer();
  if (id == kTrayRetryTimer) AddTrayIcon();
}

}  // namespace tavu
