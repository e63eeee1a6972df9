// The main window's menu, hot-key and quick-launch handlers.
#include <string>

#include "windows/main/main_form.hpp"

namespace tavu {
namespace {

struct QuickTarget {
  MenuCommand command;
  std::string_view target;
  ShowState show;
};
constexpr QuickTarget kQuickTargets[] = {
    {MenuCommand::OpenNotePad, "notepad", ShowState::Show},
    {MenuCommand::OpenCalculator, "calc", ShowState::Normal},
    {MenuCommand::OpenWord, "winword.exe", ShowState::Normal},
    {MenuCommand::OpenExcel, "excel.exe", ShowState::Normal},
};

}  // namespace

MainMenu TfrmMain::Menu() const {
  return MainMenu(MenuFacts{settings_.SelectBreakMode, settings_.ShowDesktopDeco, settings_.ShowSOT,
                            settings_.EnableSelfSCR, engine_.BreakCommandsEnabled(),
                            engine_.PauseEnabled(), engine_.Paused()});
}

void TfrmMain::OnMenuCommand(int id) {
  if (MenuCommandInfoOf(static_cast<MenuCommand>(id))) MenuClick(static_cast<MenuCommand>(id));
}

void TfrmMain::MenuClick(std::string_view item) { MenuClick(MenuCommandNamed(item)); }

void TfrmMain::MenuClick(MenuCommand command) {
  using C = MenuCommand;
  // The menu may have been shown before the cycle moved on: a command the menu would now show
  // disabled is refused.
  if (!Menu().Enabled(command)) return;
  switch (command) {
    case C::AboutHelp:
      return app_.ShowAbout(1);
    case C::WebPageOfThisProduct:
      return d_.pages.OpenHelpPage(1);
    case C::HomePage:
      return d_.pages.OpenHomePage();
    case C::More_PCKnowledge:
    case C::More_Weather:
    case C::More_Clock:
    case C::More_RiLi:
    case C::More_Map:
    case C::More_Cidian:
    case C::More_Game:
      return MoreUsefulLinksClick(MenuCommandInfoOf(command)->name);
    case C::OpenNotePad:
    case C::OpenCalculator:
    case C::OpenWord:
    case C::OpenExcel:
      return QuickLaunch(command);
    case C::ShortCuts:
      return NShortCutsClick();
    case C::DesktopDeco:
      return NDesktopDecoClick();
    case C::ShowSOT:
      return NShowSOTClick();
    case C::SetupMeiHua:
      return app_.ShowSetup(kPageGeneral, false);
    case C::LetStandBy:
      return app_.PowerStandBy(true);
    case C::LetSleep:
      return app_.PowerSleep(true);
    case C::SysShutdownInterface:
      return NSysShutdownInterfaceClick();
    case C::SetupPower:
    case C::SetupSCR:
      return app_.ShowSetup(kPageScreenSaver, false);
    case C::LaunchSCR:
      return app_.LaunchScreenSaver();
    case C::DisableSelfSCR:
      return NDisableSelfSCRClick(ScrSender::Menu);
    case C::ModeFree:
    case C::ModePassword:
    case C::ModeInterference:
    case C::ModeEnforce:
      return NModeClick(static_cast<int>(command) - static_cast<int>(C::ModeFree));
    case C::SetupMode:
      return app_.ShowSetup(kPageMode, false);
    case C::BreakDemo:
      return engine_.NBreakDemoClick();
    case C::BreakNow:
      return engine_.NBreakNowClick();
    case C::Pause30:
    case C::Pause60:
    case C::Pause120:
    case C::PauseUntilTomorrow:
    case C::Resume:
      return PauseClick(command);
    case C::HintSmallWindow:
      return NHintSmallWindowClick();
    case C::Stat:
      return NStatClick();
    case C::Setup:
      return app_.ShowSetup(kPageUnchanged, false);
    case C::Exit:
      return NExitClick();
    case C::None:
      return;
  }
}

void TfrmMain::OnHotKey(uint32_t modifiers, uint32_t virtual_key) {
  for (std::size_t i = 0; i < kHotKeyCount; ++i) {
    const HotKeyDef& h = kHotKeys[i];
    if (static_cast<uint32_t>(h.key) != virtual_key || hot_key_modifiers_[i] == 0 ||
        hot_key_modifiers_[i] != modifiers)
      continue;
    // Win+S starts the built-in screen saver, which has no menu item; only a saver that
    // really started is recorded.
    if (h.command == MenuCommand::None) {
      if (app_.ShowInternalScreenSaver())
        d_.log.LogEvent(false, true, 0, kEventScreenSaverManual, true);
      return;
    }
    return MenuClick(h.command);
  }
}

void TfrmMain::NModeClick(int mode) {
  settings_.SelectBreakMode = mode;
  app_.ModeChanged(mode);
}

void TfrmMain::NShortCutsClick() {
  std::string text;
  for (const auto& entry : settings_.HotKeyAction.Items()) text += entry + ", ";
  d_.dialogs.Inform(text, "随时随地一键调用！- 岚禾护眼钟的快捷键", false);
}

void TfrmMain::MoreUsefulLinksClick(std::string_view item) { d_.pages.OpenUsefulLink(item); }

void TfrmMain::QuickLaunch(MenuCommand command) {
  for (const auto& q : kQuickTargets)
    if (command == q.command) d_.shell.Execute("open", q.target, "", q.show);
}

void TfrmMain::NDesktopDecoClick() {
  settings_.ShowDesktopDeco = !settings_.ShowDesktopDeco;
  app_.ShowDesktopDecoChanged();
}

void TfrmMain::NShowSOTClick() {
  settings_.ShowSOT = !settings_.ShowSOT;
  app_.ShowSOTChanged();
}

void TfrmMain::NHintSmallWindowClick() {
  if (engine_.Phase() != CyclePhase::Working) return;
  if (d_.forms.IsFormOpen("frmHintSmallWindow")) return app_.BringToFront("frmHintSmallWindow");
  engine_.OpenReminder(kRemindNextBreak, 0);
}

void TfrmMain::NStatClick() { app_.ShowStatistics(); }

void TfrmMain::ShowRemindWindow(int list) { ShowRemindWindow(list, engine_.Values().RemindReason); }

void TfrmMain::ShowRemindWindow(int list, uint8_t reason) {
  static constexpr std::string_view kForms[2] = {"frmHintSmallWindow", "frmRemindWindowCenter"};
  if (list < 0 || list > 1) return;
  if (d_.forms.IsFormOpen(kForms[list])) return app_.BringToFront(kForms[list]);
  engine_.OpenReminder(reason, list);
}

void TfrmMain::NDisableSelfSCRClick(ScrSender sender) { d_.screen_saving.Toggle(sender); }

void TfrmMain::PauseClick(MenuCommand command) {
  if (command == MenuCommand::Resume)
    engine_.Resume();
  else
    engine_.Pause(PauseEnd(command, DateTime::FromLocal(d_.clock.Now())));
  RefreshTray();
}

void TfrmMain::NSysShutdownInterfaceClick() { d_.shell.ShutDownWindows(); }

}  // namespace tavu
