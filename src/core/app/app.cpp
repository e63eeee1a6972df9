#include "app/app.hpp"

namespace tavu {
namespace {
constexpr Color kHistoryNoticeLabel = 0x808000;  // teal, as the screen-saving notices
constexpr Color kHistoryNoticeForm = 0x0000FF;
}  // namespace

App::App(const Ports& ports, const ViewHosts& hosts)
    : ports_(ports),
      actions_(hosts.engine),
      log_(ports.clock, ports.input),
      power_(PowerActions::Deps{ports.power, ports.dialogs, log_, settings_, engine_, *this}),
      main_(TfrmMain::Deps{hosts.main, *this, settings_, ports.screen, ports.timers, engine_, log_,
                           ports.shell, ports.dialogs, pages_, forms_, screen_saving_, power_,
                           ports.clock, time_format_}),
      engine_(Engine::Deps{ports.clock, ports.input, ports.timers, settings_, plans_, log_,
                           ports.dialogs, ports.processes, ports.sound, forms_, *this, ports.busy}),
      setup_(hosts.setup, *this, settings_, plans_, ports.files, ports.dialogs, ports.random,
             ports.screen, ports.links),
      pages_(ports.shell),
      about_(hosts.about, pages_, *this),
      views_(hosts.views) {
  log_.SetSink(&history_);
  history_.OnReplaced(
      [this] { PopHint(kHistoryNoticeLabel, kHistoryNoticeForm, HistoryRecorder::kReplacedText); });
}

void App::Start() {
  main_.FormCreate();
  // The about window's creation arms the check; it is armed here, at that place in the order,
  // so that it does not hang on how that window is built.
  installation_check_.Arm();
  savers_.AddSysSCR({ports_.links.FolderPath(ShellFolder::Windows),
                     ports_.links.FolderPath(ShellFolder::System)});
  setup_.FormCreate();
  StartHistory();
  plans_.ApplyAtStart();
  engine_.StartCycle();
  main_.RefreshTray();
  OpenDesktopDeco(settings_.ShowDesktopDeco);
  OpenSOTForm(settings_.ShowSOT);
  // The program starts the screen saver itself from now on; the system's own one is given back
  // as it was at every exit.
  system_saver_was_on_ = ports_.system.ScreenSaverActive();
  if (system_saver_was_on_) ports_.system.SetScreenSaverActive(false);
  if (settings_.EnablePopHelpInfo) main_.EnableCloseAnimateTimer();
  main_.ShowAtStart();
}

void App::StartHistory() {
  if (!history_folder_) return;
  std::string path = *history_folder_;
  if (path.empty()) {
    path = setup_.ConfigPath();
    path.erase(path.find_last_of("\\/") + 1);
  }
  path += HistoryRecorder::kFileName;
  history_.Start(std::move(path));
}

void App::Shutdown() {
  // The input lock of an open break screen never outlives the program.
  windows_.ForEachOpen<TTWForm>([](TTWForm& screen) { screen.Release(); });
  main_.FormDestroy();
  history_.Stop();
  if (system_saver_was_on_) ports_.system.SetScreenSaverActive(true);
  system_saver_was_on_ = false;
}

void App::ShowSetup(int page, bool topmost) { setup_.ShowAtPage(page, topmost); }

void App::Terminate(bool restart) { ports_.lifecycle.Quit(restart); }

void App::ShowWelcome() { main_.ShowSplash(); }

void App::OpenCountdownWindow(bool shown, bool demo) {
  actions_.OpenCountdownWindow(shown, demo);
  TfrmBreakHint* window = windows_.Open<TfrmBreakHint, BreakHintHost>(
      [&](auto on_freed) { return views_.CreateBreakHint(std::move(on_freed)); },
      [&](BreakHintHost& view) {
        auto p = std::make_unique<TfrmBreakHint>(
            view, TfrmBreakHint::Deps{settings_, plans_, engine_, log_, ports_.timers,
                                      ports_.screen, forms_, *this});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open(shown, demo);
}

void App::OpenBreakScreen(bool demo, uint8_t delayed_mins) {
  actions_.OpenBreakScreen(demo, delayed_mins);
  TTWForm* window = windows_.Open<TTWForm, BreakScreenHost>(
      [&](auto on_freed) { return views_.CreateBreakScreen(std::move(on_freed)); },
      [&](BreakScreenHost& view) {
        auto p = std::make_unique<TTWForm>(
            view, TTWForm::Deps{settings_, plans_, engine_, ports_.screen, ports_.timers,
                                ports_.random, ports_.dialogs, forms_});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open(demo, delayed_mins);
}

void App::OpenHintSmallWindow(uint8_t remind_reason) {
  actions_.OpenHintSmallWindow(remind_reason);
  TfrmHintSmallWindow* window = windows_.Open<TfrmHintSmallWindow, HintSmallWindowHost>(
      [&](auto on_closed) { return views_.CreateHintSmallWindow(std::move(on_closed)); },
      [&](HintSmallWindowHost& view) {
        auto p = std::make_unique<TfrmHintSmallWindow>(
            view, TfrmHintSmallWindow::Deps{settings_, engine_, ports_.clock, ports_.timers,
                                            ports_.screen, hint_small_forms_, *this, time_format_});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open(remind_reason);
}

void App::OpenRemindWindowCenter(uint8_t remind_reason) {
  actions_.OpenRemindWindowCenter(remind_reason);
  TfrmRemindWindowCenter* window = windows_.Open<TfrmRemindWindowCenter, ReminderHost>(
      [&](auto on_closed) { return views_.CreateRemindWindowCenter(std::move(on_closed)); },
      [&](ReminderHost& view) {
        auto p = std::make_unique<TfrmRemindWindowCenter>(
            view, TfrmRemindWindowCenter::Deps{settings_, ports_.clock, ports_.timers,
                                               ports_.screen, remind_center_forms_});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open(remind_reason);
}

void App::PreviewReminder(uint8_t reason, int window) { main_.ShowRemindWindow(window, reason); }

void App::PreviewBreak() { engine_.DemoBreak(); }

void App::PreviewCountdown() { engine_.DemoHint(); }

void App::OpenPowerOptions() { power_options_.Open(); }

void App::OpenPowerHelp() { pages_.OpenPowerHelpPage(); }

void App::StartScreenSaver() {
  actions_.StartScreenSaver();
  NLaunchSCRClick(false);
}

void App::NLaunchSCRClick(bool by_hand) {
  log_.LogEvent(false, true, 0, by_hand ? kEventScreenSaverManual : kEventScreenSaverAuto, true);
  savers_.LaunchSCR(settings_.UseKoPlayer);
}

bool App::ShowInternalSCR() { return ShowInternalScreenSaver(); }

void App::RunKoPlayerCommand(int command) { companions_.RunKoPlayerCommand(command); }

void App::ShutdownDisplayer() {
  actions_.ShutdownDisplayer();
  power_.ShutdownDisplayer();
}

void App::LetSysStandBy() {
  actions_.LetSysStandBy();
  power_.LetSysStandBy(false);
}

void App::LetSysSleep() {
  actions_.LetSysSleep();
  power_.LetSysSleep(false);
}

void App::ShellToggleDesktop() { actions_.ShellToggleDesktop(); }

void App::CycleChanged() {
  setup_.SetPreviewEnabled(true, engine_.CountdownPreviewEnabled());
  setup_.SetPreviewEnabled(false, engine_.BreakCommandsEnabled());
  main_.RefreshTray();
  actions_.CycleChanged();
}

void App::MinuteTicked() {
  main_.RefreshTray();
  actions_.MinuteTicked();
}

bool App::AutostartOn() { return integration_.HasAutostart(kAutostartName); }

void App::SwitchAutostart(bool on) {
  if (on) {
    if (!integration_.AddAutostart(kAutostartName, AutostartCommand(ports_.files.ExePath())))
      ports_.dialogs.Warn(kAutostartOnFailedText, kNoteCaption);
    return;
  }
  if (!integration_.RemoveAutostart(kAutostartName)) {
    ports_.dialogs.Warn(kAutostartOffFailedText, kNoteCaption);
    return;
  }
  integration_.CreateSelfShortcut(integration_.GetShellFolder(ShellFolder::Desktop), kShortcutName,
                                  kShortcutDescription);
}

void App::CopyMailAddress() { tavu::CopyMailAddress(ports_.clipboard, ports_.dialogs); }

void App::ShowAbout(int page) { about_.ShowAtPage(page); }

void App::PopHint(Color label_color, Color form_color, std::string_view text) {
  pop_hint_values_ = {std::string(text), label_color, form_color};
  bool reused = false;
  windows_.ForEachOpen<TfrmPopHint>([&](TfrmPopHint& open) {
    if (reused || !forms_.IsFormOpen("frmPopHint")) return;
    open.FormCreate();  // the open notice takes the new values and keeps its timer
    reused = true;
  });
  if (reused) return;
  TfrmPopHint* window = windows_.Open<TfrmPopHint, PopHintHost>(
      [&](auto on_closed) { return views_.CreatePopHint(std::move(on_closed)); },
      [&](PopHintHost& view) {
        auto p = std::make_unique<TfrmPopHint>(view, ports_.timers, forms_, pop_hint_values_);
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open();
}

void App::ModeChanged(int) {
  windows_.ForEachOpen<TfrmBreakHint>([](TfrmBreakHint& countdown) { countdown.UpdateCaption(); });
}

// The menu's check marks already follow the settings; only the windows need to follow.
void App::ShowDesktopDecoChanged() { OpenDesktopDeco(settings_.ShowDesktopDeco); }

void App::ShowSOTChanged() { OpenSOTForm(settings_.ShowSOT); }

void App::OpenDesktopDeco(bool show) {
  if (!show) {
    windows_.ForEachOpen<TfrmDesktopDeco>([](TfrmDesktopDeco& window) { window.FormClose(); });
    return;
  }
  if (forms_.IsFormOpen(TfrmDesktopDeco::kFormName)) return;
  TfrmDesktopDeco* window = windows_.Open<TfrmDesktopDeco, DesktopDecoHost>(
      [&](auto on_closed) { return views_.CreateDesktopDeco(std::move(on_closed)); },
      [&](DesktopDecoHost& view) {
        auto p = std::make_unique<TfrmDesktopDeco>(
            view, TfrmDesktopDeco::Deps{ports_.screen, forms_, *this});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open();
}

void App::OpenSOTForm(bool show) {
  if (!show) {
    windows_.ForEachOpen<TSOTForm>([](TSOTForm& window) { window.FormClose(); });
    return;
  }
  if (forms_.IsFormOpen(TSOTForm::kFormName)) return;
  TSOTForm* window = windows_.Open<TSOTForm, SOTHost>(
      [&](auto on_closed) { return views_.CreateSOTForm(std::move(on_closed)); },
      [&](SOTHost& view) {
        auto p = std::make_unique<TSOTForm>(view, TSOTForm::Deps{ports_.screen, forms_, settings_});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open();
}

void App::ShowStatistics() {
  if (forms_.IsFormOpen(TfrmStat::kFormName)) {
    views_.BringToFront(TfrmStat::kFormName);
    return;
  }
  TfrmStat* window = windows_.Open<TfrmStat, StatHost>(
      [&](auto on_closed) { return views_.CreateStat(std::move(on_closed)); },
      [&](StatHost& view) {
        auto p = std::make_unique<TfrmStat>(
            view, TfrmStat::Deps{ports_.clock, ports_.timers, ports_.screen, ports_.random,
                                 ports_.dialogs, ports_.shell, settings_, plans_, engine_, log_,
                                 time_format_, forms_, *this, &ports_.files, &history_});
        views_.Attach(view, *p);
        return p;
      });
  if (window) window->Open();
}

void App::CloseStatistics() {
  windows_.ForEachOpen<TfrmStat>([](TfrmStat& window) { window.FormClose(); });
}

void App::RunMenuCommand(MenuCommand command) { main_.MenuClick(command); }

void App::RunKaloCommand(int command) { companions_.RunKaloCommand(command); }

void App::BringToFront(std::string_view form_name) { views_.BringToFront(form_name); }

bool App::ShowInternalScreenSaver() {
  TfrmScrZEVO* saver = windows_.Open<TfrmScrZEVO, ScrZevoHost>(
      [&](auto on_freed) { return views_.CreateScrZevo(std::move(on_freed)); },
      [&](ScrZevoHost& view) {
        auto p = std::make_unique<TfrmScrZEVO>(
            view,
            TfrmScrZEVO::Deps{settings_, ports_.screen, ports_.timers, ports_.random, forms_});
        views_.Attach(view, *p);
        return p;
      });
  if (!saver) return false;
  saver->FormCreate();
  // The on-top picture stays above the saver.
  if (settings_.ShowSOT && forms_.IsFormOpen(TSOTForm::kFormName))
    views_.BringToFront(TSOTForm::kFormName);
  return true;
}

void App::LaunchScreenSaver() { NLaunchSCRClick(true); }

void App::ScreenSaverSettings() { savers_.btnSCRSetupClick(); }

void App::ScreenSavingBoxChanged() {
  screen_saving_.Toggle(ScreenSavingSwitch::Sender::SettingsBox);
}

void App::PowerStandBy(bool manual) { power_.LetSysStandBy(manual); }

void App::PowerSleep(bool manual) { power_.LetSysSleep(manual); }

void App::RestartAfterResume() {
  settings_.ActionOnSelectTerminate = 1;
  main_.NExitClick();
}

void App::CreditSleepToBreak(uint16_t seconds) {
  windows_.ForEachOpen<TTWForm>([&](TTWForm& screen) { screen.LowerPosition(seconds); });
}

}  // namespace tavu
