#pragma once
#include <string>

#include "base/geometry.hpp"
#include "settings/values.hpp"

namespace tavu {

// The slogan font's size is kept within these points.
inline constexpr int kMinSloganPoints = 6;
inline constexpr int kMaxSloganPoints = 96;

struct StoredFont {
  std::string name = "楷体_GB2312";
  int size_pt = 24;  // 32 px at 96 dpi
  Color color = kRed;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int charset = 134;  // GB2312
};

// Fixed list texts shared by the settings window, the menu and the break windows.
namespace lists {
inline constexpr int kPlanCount = 6;
inline constexpr int kModeCount = 4;
inline constexpr int kInterfaceCount = 14;
inline constexpr int kSloganCount = 10;
inline constexpr int kHotKeyActionCount = 7;
}  // namespace lists

// Every user setting, named after the settings control that edits it. One instance, owned by
// the composition root; everything reads it at the moment it needs a value.
struct Settings {
  Settings();

  // Break plan page (the engine reads the plan table, not these).
  Choice BreakPlanPreSet;
  Bounded BreakInterval{40, 30, 60};
  Bounded BreakMins{4, 3, 10};
  Bounded CanApplyMaxMins{5, 0, 5};
  Bounded CanApplyMaxTimes{3, 1, 3};
  Bounded ApplyOnceMaxMins{5, 0, 5};
  Bounded AddBreak4ExtTime_SECperMIN{6, 6, 12};
  Bounded IdleMinsResetCycle{5, 4, 10};
  Bounded ExtWorkMinsPerIdle{8, 6, 10};
  Bounded MicroAdjust{0, -1, 1};
  Choice FrequencyOfPCOperation;

  // Rest mode.
  Choice SelectBreakMode;
  Bounded InterfereIntensity{30, 15, 45};
  bool NotShowFrmBreakHintLastOneMin_FreeMode = false;
  bool NotShowFrmBreakHintLastOneMin_PasswordMode = false;
  bool DisableKeyboard = false;
  bool HideCursor = false;

  // Screen saver and power.
  Bounded SCR{2, 1, 20};
  // 0 "(无)", 1 "<Internal>", then the saver files found once SCRSavers.SetCatalogue has
  // built the catalogue; the display list mirrors its index.
  CatalogueChoice SCRSavers;
  bool RandomSCR = false;
  bool EnableSelfSCR = true;
  bool UseKoPlayer = false;
  bool AutoRestoreDisabledSCR = true;
  Bounded RestoreSCRAfterMins{30, 5, 60};
  bool EnableShutDownDisplayer = true;
  Bounded ShutDownDisplayer{10, 5, 60};
  bool EnableSuspend = true;
  Bounded LetSuspend{30, 20, 100};
  Choice StandByOrSleep;

  // Timed reminders.
  bool RemindOnHour = true;
  bool RemindOnHalfHour = false;
  bool RemindOnce1 = false;
  bool RemindOnce2 = false;
  Bounded HourOfRemindOnce1{0, 0, 23};
  Bounded HourOfRemindOnce2{0, 0, 23};
  Bounded MinOfRemindOnce1{0, 0, 59};
  Bounded MinOfRemindOnce2{0, 0, 59};
  Choice ContentOfRemindOnce1List;
  Choice ContentOfRemindOnce2List;
  std::string ContentOfRemindOnce1;
  std::string ContentOfRemindOnce2;
  Choice SelectRemindHourWindow;
  Choice SelectRemindOnceWindow;
  Color RemindHourWindowColorMain = kGray;
  Color RemindHourWindowColorBorder = kYellow;
  Color RemindOnceWindowColorMain = kGray;
  Color RemindOnceWindowColorBorder = kYellow;
  bool RemindHourUseColorOfMainSetup = false;
  bool RemindOnceUseColorOfMainSetup = false;

  // Break screen.
  Choice BreakInterface;
  bool RandomInterface = false;
  bool ShowSlogan = true;
  StoredFont BreakFont;
  Choice SloganList;   // the suggestion whose index the file keeps
  std::string Slogan;  // the text in use (the user may type over the suggestion)
  Bounded FadeInSpeed{32, 1, 150};
  Bounded FadeInStep{12, 1, 36};
  Bounded Transparency{200, 100, 255};
  Bounded MoiseStrenth{112, 1, 150};
  bool UseMoiseEffect = true;
  bool ShowPowerButton = true;
  bool ToggleB4Break = false;
  bool ShowCurrentMode = true;

  // Countdown and reminder windows.
  Choice ZoomRate1;
  Bounded ZoomPercent1{0, 0, 100};
  Bounded FontAdjust1{0, -15, 15};
  Color BreakHintColorMain = SystemColor(kSysColorInactiveCaptionText);
  Choice ZoomRate2;
  Bounded ZoomPercent2{0, 0, 100};
  Bounded FontAdjust2{0, -15, 15};
  Color HintSmallWindowColorMain = SystemColor(kSysColorActiveCaption);
  Choice ZoomRateRemindCenterWindow;
  Bounded ZoomPercentRemindCenterWindow{0, 0, 100};
  Bounded FontAdjustOfRemindCenterWindow{0, -3, 3};
  Color ColorMainOfRemindCenterWindow = kGray;
  Color ColorBorderOfRemindCenterWindow = kYellow;

  // General.
  bool ShowSOT = true;
  bool HarwareIsLaptop = false;
  bool EnablePopHelpInfo = true;
  bool ShowDesktopDeco = true;
  bool EnableStartUpWithSys = true;
  Choice ActionOnSelectTerminate;
  Choice HotKeyAction;

  // Kept in the program's own INI file beside the configuration file (page "更多").
  bool BreakOnAllMonitors = true;
  bool DeferWhenPresenting = false;
  bool DeferInCalls = false;
  Bounded DeferMaxMins{30, 1, 120};
  bool SoundCues = true;
  bool KeepHistory = true;
  Bounded KeepHistoryDays{365, 1, 3650};

  // Picks a suggestion and makes it the text in use, as choosing it from the list does.
  void SelectSlogan(int index);
  // MoiseStrenth's upper bound follows FadeInSpeed.
  void UpdateMoiseBound();
};

}  // namespace tavu
