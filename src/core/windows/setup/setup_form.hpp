#pragma once
#include <array>
#include <string>
#include <string_view>

#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"
#include "ui/commands.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::array<std::string_view, 8> kSetupTabCaptions = {
    "基本设置",   "休息模式",       "屏保与电源",   "定时提醒",
    "休息主界面", "倒计时提醒界面", "正点报时界面", "综合/其它"};
inline constexpr std::string_view kSetupCaption = "设置-[岚禾护眼钟]";
inline constexpr std::string_view kNoPlanText = "你还未选定方案！";
inline constexpr std::string_view kPlanAppliedText = "当前设置已正式生效!";

// Page "休息模式": the mode choice and the one visible group of settings for it.
struct ModePageState {
  static constexpr std::string_view kGroupCaptions[4] = {"自由模式设置", "提醒模式设置",
                                                         "干扰模式设置", "强制模式设置"};
  static constexpr std::string_view kRadioCaption = "休息模式选择";
  static constexpr std::string_view kRemindAgainText = "再次提醒：(在休息界面上选择)";
  static constexpr std::string_view kNotShowText = "不显示最后一分钟倒计时界面";
  static constexpr std::string_view kIntensityText = "干扰强度：";
  static constexpr std::string_view kDisableKeyboardText = "禁用键盘";
  static constexpr std::string_view kHideCursorText = "禁用鼠标";
  int mode = 0;
  bool not_show_free = false;
  bool not_show_password = false;
  int interfere_intensity = 30;
  std::string intensity_label;  // the value followed by "秒"
  bool disable_keyboard = false;
  bool hide_cursor = false;
};

struct SetupFormState {
  Size client{645, 447};
  int page = kPageScreenSaver;  // in front when first shown without a chosen page
  bool visible = false;
  bool topmost = false;
  std::string hotkey_label;
  int mode_group = 0;  // the one visible rest-mode group
  // "点击预览" of the countdown window and of the break screen: off while a real one runs.
  bool preview_hint_enabled = true;
  bool preview_break_enabled = true;
  ModePageState mode_page;
};

// The settings window: owns the editing of the settings model and its file.
class TfrmSetup {
 public:
  TfrmSetup(FormHost& host, AppCommands& app, Settings& settings, BreakPlans& plans, Files& files,
            Dialogs& dialogs, Random& random, SystemSettings& system, Timers& timers)
      : host_(host),
        app_(app),
        s_(settings),
        plans_(plans),
        files_(files),
        dialogs_(dialogs),
        random_(random),
        system_(system),
        timers_(timers) {}

  // Creation at start: the settings read from the file and the pages filled from them.
  void FormCreate();
  void FormShow();
  // Shows the window at a page (kPageUnchanged keeps the page in front).
  void ShowAtPage(int page, bool topmost = false);
  // Esc, the close box and "关闭窗口": saves, then hides. A failed save keeps it open.
  bool FormClose();
  void FormKeyDown(int virtual_key);
  void SelectPage(int page);

  void LoadConfigFile();
  bool SaveConfigFile();
  std::string ConfigPath();

  void cbbHotKeyActionChange();
  void rbxSelectBreakModeClick();
  // The user picks a mode in the radio group.
  void rbxSelectBreakModeChoose(int mode);
  void scbInterfereIntensityChange(int value);
  void cbxDisableKeyboardClick(bool checked);
  void cbxHideCursorClick(bool checked);
  const Settings& settings() const { return s_; }
  void btnApplyBreakPlanNowClick(std::string_view shown_text);
  void SetPreviewEnabled(bool hint_form, bool enabled);

  const SetupFormState& State() const { return state_; }

 private:
  FormHost& host_;
  AppCommands& app_;
  Settings& s_;
  BreakPlans& plans_;
  Files& files_;
  Dialogs& dialogs_;
  Random& random_;
  SystemSettings& system_;
  Timers& timers_;
  SettingsStore store_{files_, dialogs_};
  SetupFormState state_;
  void RefreshModePage();
};

}  // namespace tavu
