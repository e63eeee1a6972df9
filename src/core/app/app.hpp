#pragma once
#include <optional>
#include <string>

#include "app/views.hpp"
#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "history/recorder.hpp"
#include "machine/companions.hpp"
#include "machine/integration.hpp"
#include "machine/power.hpp"
#include "machine/power_options.hpp"
#include "machine/screen_savers.hpp"
#include "machine/screen_saving.hpp"
#include "machine/web_pages.hpp"
#include "ports/clipboard.hpp"
#include "ports/clock.hpp"
#include "ports/code_page.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/lifecycle.hpp"
#include "ports/power.hpp"
#include "ports/processes.hpp"
#include "ports/registry.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/shell_links.hpp"
#include "ports/sound.hpp"
#include "ports/timers.hpp"
#include "ports/user_busy.hpp"
#include "ports/windows.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/forms.hpp"
#include "ui/window_owner.hpp"
#include "windows/about/about_form.hpp"
#include "windows/main/main_form.hpp"
#include "windows/notice/pop_hint.hpp"
#include "windows/screen_saver/scr_zevo.hpp"
#include "windows/setup/setup_form.hpp"

namespace tavu {

struct Ports {
  Clock& clock;
  InputWatch& input;
  Timers& timers;
  Dialogs& dialogs;
  Screen& screen;
  Files& files;
  Shell& shell;
  SystemSettings& system;
  Random& random;
  TopWindows& windows;
  Lifecycle& lifecycle;
  Processes& processes;
  Power& power;
  Registry& registry;
  ShellLinks& links;
  CodePage& code_page;
  Clipboard& clipboard;
  Sound& sound;
  UserBusy& busy;
};

struct ViewHosts {
  MainFormHost& main;
  FormHost& setup;
  FormHost& about;
  // The break windows, reminder windows and machine actions the engine asks for.
  EngineActions& engine;
  ViewFactory& views;
};

// The composition root: owns the settings, the plans, the open-form registry, the event log,
// the engine and the permanent windows' presenters, and carries out the commands that cross
// windows. The engine's requests pass through here on their way to the platform.
class App : public AppCommands, public EngineActions, public PowerHost, public ScreenSaverHost {
 public:
  App(const Ports& ports, const ViewHosts& hosts);

  // The program's start, in order: the main window (tray icon, hot keys, the first cycle's
  // record), the installation check's timer, the settings from the file, the plan in force, the
  // engine's first cycle and tick, the desktop pictures that are on, then the welcome picture.
  void Start();
  void Shutdown();
  // Keeps the history database in `folder` (UTF-8, ending with a backslash or slash), or beside
  // the configuration file when empty. Without this call (unit tests) nothing is kept.
  void KeepHistoryIn(std::string folder) { history_folder_ = std::move(folder); }

  void ShowSetup(int page, bool topmost) override;
  void Terminate(bool restart) override;
  void ShowWelcome() override;
  void ShowAbout(int page) override;
  void PopHint(Color label_color, Color form_color, std::string_view text) override;
  void ModeChanged(int mode) override;
  void ShowDesktopDecoChanged() override;
  void ShowSOTChanged() override;
  // Opens the desktop status picture / the on-top picture, or closes the open one.
  void OpenDesktopDeco(bool show);
  void OpenSOTForm(bool show);
  void ShowStatistics() override;
  void CloseStatistics() override;
  void RunMenuCommand(MenuCommand command) override;
  void RunKaloCommand(int command) override;
  void PreviewReminder(uint8_t reason, int window) override;
  void PreviewBreak() override;
  void PreviewCountdown() override;
  void OpenPowerOptions() override;
  void OpenPowerHelp() override;
  void BringToFront(std::string_view form_name) override;
  bool ShowInternalScreenSaver() override;
  void LaunchScreenSaver() override;
  void ScreenSaverSettings() override;
  void ScreenSavingBoxChanged() override;
  void PowerStandBy(bool manual) override;
  void PowerSleep(bool manual) override;

  void OpenCountdownWindow(bool shown, bool demo) override;
  void OpenBreakScreen(bool demo, uint8_t delayed_mins) override;
  void OpenHintSmallWindow(uint8_t remind_reason) override;
  void OpenRemindWindowCenter(uint8_t remind_reason) override;
  void StartScreenSaver() override;
  void ShutdownDisplayer() override;
  void LetSysStandBy() override;
  void LetSysSleep() override;
  void ShellToggleDesktop() override;
  void CycleChanged() override;
  void MinuteTicked() override;

  bool ShowInternalSCR() override;
  void RunKoPlayerCommand(int command) override;
  // NLaunchSCRClick: the chosen saver, recorded as started by hand or by idle time.
  void NLaunchSCRClick(bool by_hand);

  void RestartAfterResume() override;
  void CreditSleepToBreak(uint16_t seconds) override;
  bool AutostartOn() override;
  void SwitchAutostart(bool on) override;
  // The about window's contact address.
  void CopyMailAddress() override;

  // The newest window of each kind that comes and goes, until it is freed.
  TfrmPopHint* pop_hint() { return windows_.Newest<TfrmPopHint>(); }
  TfrmBreakHint* countdown() { return windows_.Newest<TfrmBreakHint>(); }
  TTWForm* break_screen() { return windows_.Newest<TTWForm>(); }
  TfrmHintSmallWindow* hint_small_window() { return windows_.Newest<TfrmHintSmallWindow>(); }
  TfrmRemindWindowCenter* remind_window_center() {
    return windows_.Newest<TfrmRemindWindowCenter>();
  }

  Settings& settings() { return settings_; }
  BreakPlans& plans() { return plans_; }
  OpenForms& forms() { return forms_; }
  EventLog& log() { return log_; }
  HistoryRecorder& history() { return history_; }
  Engine& engine() { return engine_; }
  ScreenSavingSwitch& screen_saving() { return screen_saving_; }
  PowerActions& power() { return power_; }
  // The user's date and time formats; the platform sets them from the system.
  DateTimeFormat& time_format() { return time_format_; }
  TfrmMain& main() { return main_; }
  TfrmSetup& setup() { return setup_; }
  TfrmAboutHelp& about() { return about_; }
  WebPages& pages() { return pages_; }
  // The companion tools' commands (statistics window, settings window, screen-saver start).
  Companions& companions() { return companions_; }
  ScreenSavers& savers() { return savers_; }
  TfrmScrZEVO* screen_saver() { return windows_.Newest<TfrmScrZEVO>(); }
  // The statistics window until it is freed (it may have closed).
  TfrmStat* statistics() { return windows_.Newest<TfrmStat>(); }
  // The desktop pictures until they are freed (they may have closed).
  TfrmDesktopDeco* desktop_deco() { return windows_.Newest<TfrmDesktopDeco>(); }
  TSOTForm* sot_form() { return windows_.Newest<TSOTForm>(); }
  // Windows that come and go, open or waiting to be freed.
  std::size_t WindowCount() const { return windows_.Count(); }
  Integration& integration() { return integration_; }
  InstallationCheck& installation_check() { return installation_check_; }
  const Ports& ports() { return ports_; }

 private:
  void StartHistory();

  Ports ports_;
  Settings settings_;
  BreakPlans plans_{settings_};
  EngineActions& actions_;
  OpenForms forms_;
  DateTimeFormat time_format_;
  EventLog log_;
  HistoryRecorder history_{ports_.clock, ports_.files, settings_, log_};
  std::optional<std::string> history_folder_;
  ScreenSavingSwitch screen_saving_{settings_, ports_.timers, *this};
  PowerActions power_;
  TfrmMain main_;
  Engine engine_;
  TfrmSetup setup_;
  WebPages pages_;
  PowerOptions power_options_{ports_.shell, ports_.timers, ports_.windows, settings_};
  Integration integration_{Integration::Deps{ports_.files, ports_.registry, ports_.links,
                                             ports_.code_page, ports_.dialogs}};
  InstallationCheck installation_check_{integration_, ports_.dialogs, ports_.timers};
  Companions companions_{Companions::Deps{ports_.windows, ports_.dialogs, ports_.shell,
                                          ports_.timers, ports_.files, integration_, pages_}};
  ScreenSavers savers_{ScreenSavers::Deps{settings_, ports_.files, ports_.shell, ports_.random,
                                          ports_.dialogs, *this}};
  bool system_saver_was_on_ = false;
  TfrmAboutHelp about_;
  ViewFactory& views_;
  PopHintValues pop_hint_values_;
  FormCount hint_small_forms_{forms_, TfrmHintSmallWindow::kFormName};
  FormCount remind_center_forms_{forms_, TfrmRemindWindowCenter::kFormName};
  // Last: its windows go before everything they use.
  WindowOwner windows_{ports_.timers};
};

}  // namespace tavu
