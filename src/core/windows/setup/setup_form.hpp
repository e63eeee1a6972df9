#pragma once
#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"
#include "settings/window_zoom.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"
#include "windows/setup/setup_page.hpp"

namespace tavu {

inline constexpr std::array<std::string_view, 9> kSetupTabCaptions = {
    "基本设置",       "休息模式",     "屏保与电源", "定时提醒", "休息主界面",
    "倒计时提醒界面", "正点报时界面", "综合/其它",  "更多"};
inline constexpr std::string_view kSetupCaption = "设置-[岚禾护眼钟]";
inline constexpr std::string_view kNoPlanText = "你还未选定方案！";
inline constexpr std::string_view kPlanAppliedText = "当前设置已正式生效!";
inline constexpr std::string_view kNoChimeText = "你还没有启用报时功能！";
inline constexpr std::string_view kNoQuickRemindText = "你还没有启用一个快速提醒！";
inline constexpr std::string_view kStopAutostartText = "你真要取消开机自动运行吗？";

// A control of a page, under its stable id.
struct SetupControl {
  int id = 0;
  ui::AnyControl control;
};

struct SetupFormState : ui::FormState {
  SetupFormState() {
    caption = kSetupCaption;
    client = {645, 447};
    // The colour of the tabs' pages, so that labels and boxes sit on them seamlessly.
    color = SystemColor(kSysColorWindow);
  }
  int page = kPageScreenSaver;  // in front when first shown without a chosen page
  bool topmost = false;
  std::string hotkey_label;
  // "点击预览" of the countdown window and of the break screen: off while a real one runs.
  bool preview_hint_enabled = true;
  bool preview_break_enabled = true;
  // Every page's controls, derived from the page tables and the settings; those of the pages
  // behind the one in front are hidden.
  std::vector<SetupControl> controls;

  // The control `id` as a `T`; nullptr if there is none of that kind.
  template <typename T>
  const T* Find(int id) const {
    for (const SetupControl& c : controls)
      if (c.id == id) return std::get_if<T>(&c.control);
    return nullptr;
  }
};

// The settings window: owns the editing of the settings model and its file.
class TfrmSetup {
 public:
  TfrmSetup(FormHost& host, AppCommands& app, Settings& settings, BreakPlans& plans, Files& files,
            Dialogs& dialogs, Random& random, Screen& screen, ShellLinks& links)
      : host_(host),
        app_(app),
        s_(settings),
        plans_(plans),
        files_(files),
        dialogs_(dialogs),
        random_(random),
        screen_(screen),
        store_(files, dialogs, links) {}

  // Creation at start: the settings read from the file and the pages filled from them.
  void FormCreate();
  void FormShow();
  // Shows the window at a page (kPageUnchanged keeps the page in front).
  void ShowAtPage(int page, bool topmost = false);
  // Esc, the close box and "关闭窗口": saves, then hides. A failed save keeps it open.
  bool FormClose();
  void FormKeyDown(ui::Key key);
  // Brings a page to the front; some pages bring their values up to date as they show.
  void SelectPage(int page);

  void LoadConfigFile();
  bool SaveConfigFile();
  std::string ConfigPath();

  // The user changed control `id` of a page: its setting takes the change, then its reaction
  // runs. Input to a hidden or disabled control changes nothing.
  void PageInput(int id, const ui::Input& input);
  const Settings& settings() const { return s_; }
  Settings& MutableSettings() { return s_; }
  const BreakPlans& plans() const { return plans_; }
  void SetPreviewEnabled(bool hint_form, bool enabled);
  bool PreviewHintEnabled() const { return state_.preview_hint_enabled; }
  bool PreviewBreakEnabled() const { return state_.preview_break_enabled; }
  // The group of "休息模式" that shows: the mode's, or the last valid one's while the mode is
  // out of range.
  int ModeGroup() const;
  // What the editable plan list shows (the user may type into it).
  std::string* PlanText() { return &plan_text_; }

  // ---- Reactions, run after the user's change has reached the settings ----
  // Page "基本设置".
  void cbxBreakPlanPreSetSelect();
  void updCanApplyMaxMinsClick() { plans_.updCanApplyMaxMinsClick(); }
  void btnApplyBreakPlanNowClick();
  // Page "休息模式", also run by the menu's mode commands.
  void rbxSelectBreakModeClick();
  // Page "屏保与电源".
  void cbxEnableSelfSCRClick() { app_.ScreenSavingBoxChanged(); }
  void btnSCRPreviewClick() { app_.LaunchScreenSaver(); }
  void btnSCRSetupClick() { app_.ScreenSaverSettings(); }
  void btnPowerSetupClick() { app_.OpenPowerOptions(); }
  void lblPowerHelpClick() { app_.OpenPowerHelp(); }
  // Page "定时提醒".
  void cbxRemindHourUseColorClick();
  void cbxRemindOnceUseColorClick();
  void cbbRemindHourColorChange() { s_.RemindHourUseColorOfMainSetup = false; }
  void cbbRemindOnceColorChange() { s_.RemindOnceUseColorOfMainSetup = false; }
  void btnPreviewChimeClick();
  void btnPreviewQuickRemindClick();
  // Page "休息主界面".
  void btnBreakFontClick();
  void btnPreviewBreakClick() { app_.PreviewBreak(); }
  void updFadeInSpeedClick() { s_.UpdateMoiseBound(); }
  // Page "倒计时提醒界面" and "正点报时界面": the zoom choices and the percent bars.
  void cbbZoomRate1Select();
  void cbbZoomRate2Select();
  void cbbZoomRateRemindCenterWindowSelect();
  void scbZoomPercent1Change();
  void scbZoomPercent2Change();
  void scbZoomPercentRemindCenterWindowChange();
  void btnPreviewHintClick() { app_.PreviewCountdown(); }
  void btnPreviewSmallWindowClick();
  // Page "综合/其它".
  void cbxShowDesktopDecoClick() { app_.ShowDesktopDecoChanged(); }
  void cbxShowSOTClick() { app_.ShowSOTChanged(); }
  void cbbHotKeyActionChange();
  void cbxEnableStartUpWithSysClick();
  void btnCloseClick() { FormClose(); }

  // The window's state, its pages brought up to date with the settings first.
  const SetupFormState& State();

 private:
  FormHost& host_;
  AppCommands& app_;
  Settings& s_;
  BreakPlans& plans_;
  Files& files_;
  Dialogs& dialogs_;
  Random& random_;
  Screen& screen_;
  SettingsStore store_;
  SetupFormState state_;
  int mode_group_ = 0;
  std::string plan_text_;
  // A number's value before the user's change (the percent bars' reactions need it).
  int changed_from_ = 0;
  void RefreshPages();
  ui::AnyControl Describe(const PageRow& row);
  // The screen in the window's design pixels, as the zoom rule measures it.
  Size DesignScreen();
  void ApplyColorScheme(bool chime);
  void PreviewReminder(bool chime);
  void PercentMoved(const WindowZoom& zoom);
};

}  // namespace tavu
