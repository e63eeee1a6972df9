// The main window's menu, hot-key and quick-launch handlers.
#include <string>

#include "windows/main/main_form.hpp"

namespace tavu {
namespace {

constexpr Color kPopHintLabel = 0x808000;  // teal
constexpr Color kPopHintDisabled = 0x0000FF;
constexpr Color kPopHintEnabled = 0x00FF00;

struct QuickTarget {
  std::string_view item, target;
  ShowState show;
};
constexpr QuickTarget kQuickTargets[] = {
    {"NOpenNotePad", "notepad", ShowState::Show},
    {"NOpenCalculator", "calc", ShowState::Normal},
    {"NOpenWord", "winword.exe", ShowState::Normal},
    {"NOpenExcel", "excel.exe", ShowState::Normal},
};

}  // namespace

void TfrmMain::MenuCommand(int id) {
  if (const MenuItem* item = menu_.FindById(id)) MenuClick(item->name);
}

void TfrmMain::MenuClick(std::string_view item) {
  if (const MenuItem* m = menu_.Find(item); !m || !m->enabled) return;
  if (item == "NAboutHelp") return app_.ShowAbout(1);
  if (item == "NWebPageOfThisProduct") return d_.pages.OpenHelpPage(1);
  if (item == "NHomePage") return d_.pages.OpenHomePage();
  if (item.starts_with("NMore_")) return MoreUsefulLinksClick(item);
  if (item == "NShortCuts") return NShortCutsClick();
  for (const auto& q : kQuickTargets)
    if (item == q.item) return QuickLaunch(item);
  if (item == "NDesktopDeco") return NDesktopDecoClick();
  if (item == "NShowSOT") return NShowSOTClick();
  if (item == "NSetupMeiHua") return app_.ShowSetup(kPageGeneral, false);
  if (item == "NLetStandBy") return app_.PowerStandBy(true);
  if (item == "NLetSleep") return app_.PowerSleep(true);
  if (item == "NSysShutdownInterface") return NSysShutdownInterfaceClick();
  if (item == "NSetupPower" || item == "NSetupSCR") return app_.ShowSetup(kPageScreenSaver, false);
  if (item == "NLaunchSCR") return app_.LaunchScreenSaver();
  if (item == "NDisableSelfSCR") return NDisableSelfSCRClick(ScrSender::Menu);
  for (int mode = 0; mode < 4; ++mode)
    if (item == kModeItems[mode]) return NModeClick(mode);
  if (item == "NSetupMode") return app_.ShowSetup(kPageMode, false);
  if (item == "NBreakDemo") return engine_.NBreakDemoClick();
  if (item == "NBreakNow") return engine_.NBreakNowClick();
  if (item == "NHintSmallWindow") return NHintSmallWindowClick();
  if (item == "NStat") return NStatClick();
  if (item == "NSetup") return app_.ShowSetup(kPageUnchanged, false);
  if (item == "NExit") return NExitClick();
}

void TfrmMain::OnHotKey(uint32_t modifiers, uint32_t virtual_key) {
  if (modifiers != kHotKeyModifier) return;
  switch (virtual_key) {
    case 'S':
      d_.log.LogEvent(false, true, 0, 14, true);
      app_.ShowInternalScreenSaver();
      break;
    case 'Z':
      QuickLaunch("NOpenNotePad");
      break;
    case 'C':
      QuickLaunch("NOpenCalculator");
      break;
    case 'W':
      QuickLaunch("NOpenWord");
      break;
    case 'K':
      NDisableSelfSCRClick(ScrSender::None);
      break;
    case 'V':
      NShowSOTClick();
      break;
    case 'X':
      QuickLaunch("NOpenExcel");
      break;
    default:
      break;
  }
}

void TfrmMain::NModeClick(int mode) {
  menu_.CheckMode(mode);
  settings_.SelectBreakMode = mode;
  app_.ModeChanged(mode);
}

void TfrmMain::NShortCutsClick() {
  std::string text;
  for (const auto& entry : settings_.HotKeyAction.Items()) text += entry + ", ";
  d_.dialogs.Inform(text, "随时随地一键调用！- 岚禾护眼钟的快捷键", false);
}

void TfrmMain::MoreUsefulLinksClick(std::string_view item) { d_.pages.OpenUsefulLink(item); }

void TfrmMain::QuickLaunch(std::string_view item) {
  for (const auto& q : kQuickTargets)
    if (item == q.item) d_.shell.Execute("open", q.target, "", q.show);
}

void TfrmMain::NDesktopDecoClick() {
  settings_.ShowDesktopDeco = !menu_.Checked("NDesktopDeco");
  app_.ShowDesktopDecoChanged();
}

void TfrmMain::NShowSOTClick() {
  settings_.ShowSOT = !menu_.Checked("NShowSOT");
  app_.ShowSOTChanged();
}

void TfrmMain::NHintSmallWindowClick() {
  if (engine_.CycleState != kWorking) return;
  if (d_.forms.IsFormOpen("frmHintSmallWindow")) return app_.BringToFront("frmHintSmallWindow");
  engine_.RemindReason = kRemindNextBreak;
  d_.actions.OpenHintSmallWindow(kRemindNextBreak);
}

void TfrmMain::NStatClick() { app_.ShowStatistics(); }

void TfrmMain::ShowRemindWindow(int list) {
  static constexpr std::string_view kForms[2] = {"frmHintSmallWindow", "frmRemindWindowCenter"};
  if (list < 0 || list > 1) return;
  if (d_.forms.IsFormOpen(kForms[list])) return app_.BringToFront(kForms[list]);
  if (list == 0)
    d_.actions.OpenHintSmallWindow(engine_.RemindReason);
  else
    d_.actions.OpenRemindWindowCenter(engine_.RemindReason);
}

void TfrmMain::NDisableSelfSCRClick(ScrSender sender) {
  if (sender != ScrSender::SettingsBox)
    menu_.SetChecked("NDisableSelfSCR", !menu_.Checked("NDisableSelfSCR"));
  const bool disabled = menu_.Checked("NDisableSelfSCR");
  menu_.SetCaption("NDisableSelfSCR", disabled ? kScrDisabledCaption : kScrEnabledCaption);
  if (sender != ScrSender::SettingsBox) settings_.EnableSelfSCR = !disabled;
  if (disabled) {
    app_.PopHint(kPopHintLabel, kPopHintDisabled, "屏幕保护已禁用！");
    if (settings_.AutoRestoreDisabledSCR)
      app_.ArmScreenSaverRestore(static_cast<uint32_t>(settings_.RestoreSCRAfterMins) * 60 * 1000);
  } else {
    app_.PopHint(kPopHintLabel, kPopHintEnabled, "屏幕保护已启用！");
    app_.ArmScreenSaverRestore(0);
  }
}

void TfrmMain::NSysShutdownInterfaceClick() { d_.shell.ShutDownWindows(); }

}  // namespace tavu
