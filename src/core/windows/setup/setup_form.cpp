#include "windows/setup/setup_form.hpp"

#include <algorithm>

namespace tavu {

namespace {
constexpr int kVirtualKeyEscape = 0x1B;
}

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

void TfrmSetup::FormKeyDown(int virtual_key) {
  if (virtual_key == kVirtualKeyEscape) FormClose();
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
  RefreshModePage();
  const int mode = s_.SelectBreakMode;
  if (mode < 0 || mode > 3) return;
  state_.mode_group = mode;
  app_.ModeChanged(mode);
}

void TfrmSetup::rbxSelectBreakModeChoose(int mode) {
  if (mode < 0 || mode > 3) return;
  s_.SelectBreakMode = mode;
  rbxSelectBreakModeClick();
}

void TfrmSetup::scbInterfereIntensityChange(int value) {
  // The bar moves in steps of 15 between 15 and 45.
  s_.InterfereIntensity = (std::clamp(value, 15, 45) + 7) / 15 * 15;
  RefreshModePage();
}

void TfrmSetup::cbxDisableKeyboardClick(bool checked) {
  s_.DisableKeyboard = checked;
  RefreshModePage();
}

void TfrmSetup::cbxHideCursorClick(bool checked) {
  s_.HideCursor = checked;
  RefreshModePage();
}

void TfrmSetup::RefreshModePage() {
  ModePageState& p = state_.mode_page;
  p.mode = s_.SelectBreakMode;
  p.not_show_free = s_.NotShowFrmBreakHintLastOneMin_FreeMode;
  p.not_show_password = s_.NotShowFrmBreakHintLastOneMin_PasswordMode;
  p.interfere_intensity = s_.InterfereIntensity;
  p.intensity_label = std::to_string(p.interfere_intensity) + "秒";
  p.disable_keyboard = s_.DisableKeyboard;
  p.hide_cursor = s_.HideCursor;
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

}  // namespace tavu
