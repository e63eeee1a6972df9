#include "windows/setup/setup_form.hpp"

#include <algorithm>

#include "ui/menu.hpp"

namespace tavu {

void TfrmSetup::FormCreate() {
  s_.SCRSavers = 1;
  LoadConfigFile();
  cbbHotKeyActionChange();
  rbxSelectBreakModeClick();
  plan_text_ = std::string(s_.BreakPlanPreSet.Text());
  s_.UpdateMoiseBound();
}

void TfrmSetup::FormShow() {
  random_.Randomize();
  s_.HotKeyAction = random_.Next(s_.HotKeyAction.Count());
  cbbHotKeyActionChange();
  // The box shows whether the program really starts with the system.
  s_.EnableStartUpWithSys = app_.AutostartOn();
}

void TfrmSetup::ShowAtPage(int page, bool topmost) {
  if (topmost) state_.topmost = true;
  if (!state_.visible) FormShow();
  SelectPage(page >= 0 ? page : state_.page);
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
  if (page < 0 || page >= static_cast<int>(kSetupTabCaptions.size())) return;
  state_.page = page;
  switch (page) {
    case kPageReminders:
      cbxRemindHourUseColorClick();
      cbxRemindOnceUseColorClick();
      break;
    case kPageCountdown:
      SelectZoom(s_, kCountdownZoom, DesignScreen());
      SelectZoom(s_, kSmallWindowZoom, DesignScreen());
      break;
    case kPageChime:
      SelectZoom(s_, kCentreWindowZoom, DesignScreen());
      break;
    default:
      break;
  }
}

Size TfrmSetup::DesignScreen() {
  const Size device = screen_.PrimarySize();
  const int dpi = std::max(1, host_.Dpi());
  return {device.w * 96 / dpi, device.h * 96 / dpi};
}

std::string TfrmSetup::ConfigPath() { return store_.Path(); }

void TfrmSetup::LoadConfigFile() { store_.Load(s_); }

// Keeping an unreadable file at the user's word closes the window without saving.
bool TfrmSetup::SaveConfigFile() { return store_.Save(s_) != SettingsStore::SaveResult::Failed; }

void TfrmSetup::cbxBreakPlanPreSetSelect() { plans_.cbxBreakPlanPreSetSelect(); }

void TfrmSetup::btnApplyBreakPlanNowClick() {
  if (plans_.btnApplyBreakPlanNowClick(plan_text_) == BreakPlans::ApplyResult::NoPlanSelected) {
    dialogs_.Inform(kNoPlanText, kNoteCaption, false);
    return;
  }
  dialogs_.Inform(kPlanAppliedText, kNoteCaption, false);
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

void TfrmSetup::SetPreviewEnabled(bool hint_form, bool enabled) {
  (hint_form ? state_.preview_hint_enabled : state_.preview_break_enabled) = enabled;
}

// The chosen window's own colours, for a group whose "使用界面设置配色方案" is on.
void TfrmSetup::ApplyColorScheme(bool chime) {
  const bool on = chime ? s_.RemindHourUseColorOfMainSetup : s_.RemindOnceUseColorOfMainSetup;
  if (!on) return;
  const int window = chime ? s_.SelectRemindHourWindow : s_.SelectRemindOnceWindow;
  Color& main = chime ? s_.RemindHourWindowColorMain : s_.RemindOnceWindowColorMain;
  Color& border = chime ? s_.RemindHourWindowColorBorder : s_.RemindOnceWindowColorBorder;
  if (window == 0) {
    main = s_.HintSmallWindowColorMain;
  } else if (window == 1) {
    main = s_.ColorMainOfRemindCenterWindow;
    border = s_.ColorBorderOfRemindCenterWindow;
  }
}

void TfrmSetup::cbxRemindHourUseColorClick() { ApplyColorScheme(true); }

void TfrmSetup::cbxRemindOnceUseColorClick() { ApplyColorScheme(false); }

void TfrmSetup::PreviewReminder(bool chime) {
  if (chime) {
    if (!s_.RemindOnHour && !s_.RemindOnHalfHour) {
      dialogs_.Inform(kNoChimeText, kNoteCaption, false);
      return;
    }
    app_.PreviewReminder(2, s_.SelectRemindHourWindow);
    return;
  }
  if (!s_.RemindOnce1 && !s_.RemindOnce2) {
    dialogs_.Inform(kNoQuickRemindText, kNoteCaption, false);
    return;
  }
  app_.PreviewReminder(s_.RemindOnce1 ? 3 : 4, s_.SelectRemindOnceWindow);
}

void TfrmSetup::btnPreviewChimeClick() { PreviewReminder(true); }

void TfrmSetup::btnPreviewQuickRemindClick() { PreviewReminder(false); }

void TfrmSetup::btnBreakFontClick() {
  const StoredFont& f = s_.BreakFont;
  FontChoice choice{f.name,   f.size_pt,   f.color,      f.bold,
                    f.italic, f.underline, f.strike_out, f.charset};
  if (!dialogs_.AskFont(choice)) return;
  StoredFont& out = s_.BreakFont;
  out.name = choice.face;
  out.size_pt = std::clamp(choice.size_pt, kMinSloganPoints, kMaxSloganPoints);
  out.color = choice.color;
  out.bold = choice.bold;
  out.italic = choice.italic;
  out.underline = choice.underline;
  out.strike_out = choice.strike_out;
  out.charset = choice.charset;
}

void TfrmSetup::cbbZoomRate1Select() { SelectZoom(s_, kCountdownZoom, DesignScreen()); }

void TfrmSetup::cbbZoomRate2Select() { SelectZoom(s_, kSmallWindowZoom, DesignScreen()); }

void TfrmSetup::cbbZoomRateRemindCenterWindowSelect() {
  SelectZoom(s_, kCentreWindowZoom, DesignScreen());
}

// The bar has moved the percent already: the rest of the chain follows, and the zoom becomes
// the user's own.
void TfrmSetup::PercentMoved(const WindowZoom& zoom) {
  const int moved_to = s_.*zoom.percent;
  s_.*zoom.percent = changed_from_;
  SetZoomPercent(s_, zoom, moved_to);
  s_.*zoom.rate = 2;  // "自定义..."
}

void TfrmSetup::scbZoomPercent1Change() { PercentMoved(kCountdownZoom); }

void TfrmSetup::scbZoomPercent2Change() { PercentMoved(kSmallWindowZoom); }

void TfrmSetup::scbZoomPercentRemindCenterWindowChange() { PercentMoved(kCentreWindowZoom); }

void TfrmSetup::btnPreviewSmallWindowClick() { app_.RunMenuCommand(MenuCommand::HintSmallWindow); }

void TfrmSetup::cbxEnableStartUpWithSysClick() {
  if (s_.EnableStartUpWithSys) {
    app_.SwitchAutostart(true);
    return;
  }
  if (!dialogs_.Ask(kStopAutostartText, kQuestionCaption)) {
    // No: the box is checked again, and its reaction makes sure the entry is there.
    s_.EnableStartUpWithSys = true;
    app_.SwitchAutostart(true);
    return;
  }
  app_.SwitchAutostart(false);
}

}  // namespace tavu
