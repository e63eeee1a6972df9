#include "windows/setup/setup_form.hpp"

#include <algorithm>

namespace tavu {

void TfrmSetup::FormCreate() {
  s_.SCRSavers = 1;
  LoadConfigFile();
  cbbHotKeyActionChange();
  rbxSelectBreakModeClick();
  s_.UpdateMoiseBound();
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

std::string TfrmSetup::ConfigPath() { return store_.Path(); }

void TfrmSetup::LoadConfigFile() { store_.Load(s_); }

// Keeping an unreadable file at the user's word closes the window without saving.
bool TfrmSetup::SaveConfigFile() { return store_.Save(s_) != SettingsStore::SaveResult::Failed; }

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

void TfrmSetup::SetPreviewEnabled(bool hint_form, bool enabled) {
  (hint_form ? state_.preview_hint_enabled : state_.preview_break_enabled) = enabled;
}

void TfrmSetup::btnApplyBreakPlanNowClick(std::string_view shown_text) {
  if (plans_.btnApplyBreakPlanNowClick(shown_text) == BreakPlans::ApplyResult::NoPlanSelected) {
    dialogs_.Inform(kNoPlanText, kNoteCaption, false);
    return;
  }
  dialogs_.Inform(kPlanAppliedText, kNoteCaption, false);
}

void TfrmSetup::cbxEnableSelfSCRClick(bool checked) {
  s_.EnableSelfSCR = checked;
  app_.ScreenSavingBoxChanged();
}

}  // namespace tavu
