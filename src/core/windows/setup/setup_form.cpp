#include "windows/setup/setup_form.hpp"

#include "settings/config_file.hpp"

#include <algorithm>

namespace tavu {

void TfrmSetup::FormCreate() {
  s_.SCRSavers = 1;
  LoadConfigFile();
  cbbHotKeyActionChange();
  rbxSelectBreakModeClick();
  plans_.ApplyAtStart();
  app_.StartEngine();
  system_.SetScreenSaverActive(false);
  s_.UpdateMoiseBound();
  if (s_.EnablePopHelpInfo) app_.EnableWelcomeClose();
}

void TfrmSetup::FormShow() {
  random_.Randomize();
  s_.HotKeyAction = random_.Next(s_.HotKeyAction.Count());
  cbbHotKeyActionChange();
}

void TfrmSetup::ShowAtPage(int page, bool topmost) {
  if (page >= 0) SelectPage(page);
  if (topmost) state_.topmost = true;
  if (!state_.visible) FormShow();
  state_.visible = true;
  host_.Show();
}

bool TfrmSetup::FormClose() {
  if (!SaveConfigFile()) return false;
  state_.visible = false;
  host_.Hide();
  return true;
}

void TfrmSetup::FormKeyDown(ui::Key key) {
  if (key == ui::Key::Escape) FormClose();
}

void TfrmSetup::SelectPage(int page) {
  if (page >= 0 && page < static_cast<int>(kSetupTabCaptions.size())) state_.page = page;
}

std::string TfrmSetup::ConfigPath() { return files_.ExeFolder() + std::string(kConfigFileName); }

void TfrmSetup::LoadConfigFile() {
  if (auto bytes = files_.Read(ConfigPath(), kConfigFileReadLimit)) DecodeConfig(*bytes, s_);
}

bool TfrmSetup::SaveConfigFile() {
  if (files_.WriteAtomic(ConfigPath(), EncodeConfig(s_))) return true;
  dialogs_.Warn(kSaveFailedText, kNoteCaption);
  return false;
}

void TfrmSetup::cbbHotKeyActionChange() {
  state_.hotkey_label = std::string(s_.HotKeyAction.Text());
}

void TfrmSetup::rbxSelectBreakModeClick() {
  const int mode = s_.SelectBreakMode;
  if (mode < 0 || mode > 3) return;
  mode_group_ = mode;
  app_.ModeChanged(mode);
}

int TfrmSetup::ModeGroup() const {
  const int mode = s_.SelectBreakMode;
  return mode >= 0 && mode <= 3 ? mode : mode_group_;
}

void TfrmSetup::ArmRestoreTimer(uint32_t ms) {
  if (ms == 0)
    timers_.Stop(*this, kRestoreDisabledScrTimer);
  else
    timers_.Start(*this, kRestoreDisabledScrTimer, ms);
}

void TfrmSetup::SetPreviewEnabled(bool hint_form, bool enabled) {
  (hint_form ? state_.preview_hint_enabled : state_.preview_break_enabled) = enabled;
}

void TfrmSetup::OnTimer(int id) {
  if (id != kRestoreDisabledScrTimer) return;
  timers_.Stop(*this, kRestoreDisabledScrTimer);
  app_.RestoreScreenSaver();
}

void TfrmSetup::btnApplyBreakPlanNowClick(std::string_view shown_text) {
  if (plans_.btnApplyBreakPlanNowClick(shown_text) == BreakPlans::ApplyResult::NoPlanSelected) {
    dialogs_.Inform(kNoPlanText, kNoteCaption, false);
    return;
  }
  dialogs_.Inform(kPlanAppliedText, kNoteCaption, false);
}

}  // namespace tavu
