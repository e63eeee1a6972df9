#include "app/app.hpp"

namespace tavu {

App::App(const Ports& ports, const ViewHosts& hosts)
    : ports_(ports),
      actions_(hosts.engine),
      log_(ports.clock, ports.input),
      main_(TfrmMain::Deps{hosts.main, *this, settings_, ports.screen, ports.timers, ports.system,
                           engine_, log_, ports.shell, ports.dialogs, pages_, forms_, *this}),
      engine_(Engine::Deps{ports.clock, ports.input, ports.timers, main_,
                           TfrmMain::kDetectPauseTimer, settings_, plans_, log_, ports.dialogs,
                           ports.processes, forms_, *this}),
      setup_(hosts.setup, *this, settings_, plans_, ports.files, ports.dialogs, ports.random,
             ports.system, ports.timers),
      pages_(ports.shell),
      about_(hosts.about, pages_, *this),
      views_(hosts.views) {}

void App::Start() {
  main_.FormCreate();
  setup_.FormCreate();
  main_.ShowAtStart();
}

void App::Shutdown() {
  // The input lock of an open break screen never outlives the program.
  if (break_screen_.presenter) break_screen_.presenter->Release();
  main_.FormDestroy();
}

void App::ShowSetup(int page, bool topmost) { setup_.ShowAtPage(page, topmost); }

void App::Terminate(bool restart) { ports_.lifecycle.Quit(restart); }

void App::StartEngine() {
  engine_.RestartCountdown(static_cast<uint8_t>(plans_.Applied().BreakInterval - 1));
  engine_.ResetIdleWatch();
}

void App::EnableWelcomeClose() { main_.EnableCloseAnimateTimer(); }

void App::ShowWelcome() { main_.ShowSplash(); }

void App::OpenCountdownWindow(bool shown) {
  actions_.OpenCountdownWindow(shown);
  countdown_.presenter.reset();  // one that freed itself but is not reaped yet
  countdown_.view = views_.CreateBreakHint([this] {
    countdown_.freed = true;
    ScheduleReap();
  });
  countdown_.freed = false;
  if (!countdown_.view) return;  // a platform without this window only hears the request
  countdown_.presenter = std::make_unique<TfrmBreakHint>(
      *countdown_.view, TfrmBreakHint::Deps{settings_, plans_, engine_, *this, log_, ports_.timers,
                                            ports_.screen, forms_, *this});
  views_.Attach(*countdown_.view, *countdown_.presenter);
  countdown_.presenter->Open(shown);
}

void App::OpenBreakScreen() {
  actions_.OpenBreakScreen();
  break_screen_.presenter.reset();
  break_screen_.view = views_.CreateBreakScreen([this] {
    break_screen_.freed = true;
    ScheduleReap();
  });
  break_screen_.freed = false;
  if (!break_screen_.view) return;
  break_screen_.presenter = std::make_unique<TTWForm>(
      *break_screen_.view,
      TTWForm::Deps{settings_, plans_, engine_, *this, ports_.screen, ports_.timers,
                    ports_.random, ports_.dialogs, forms_});
  views_.Attach(*break_screen_.view, *break_screen_.presenter);
  break_screen_.presenter->FormCreate();
}

void App::ScheduleReap() { ports_.timers.Start(*this, kReapTimer, 1); }

void App::OpenHintSmallWindow(uint8_t remind_reason) {
  actions_.OpenHintSmallWindow(remind_reason);
}

void App::OpenRemindWindowCenter(uint8_t remind_reason) {
  actions_.OpenRemindWindowCenter(remind_reason);
}

void App::StartScreenSaver() { actions_.StartScreenSaver(); }

void App::ShutdownDisplayer() { actions_.ShutdownDisplayer(); }

void App::LetSysStandBy() { actions_.LetSysStandBy(); }

void App::LetSysSleep() { actions_.LetSysSleep(); }

void App::ShellToggleDesktop() { actions_.ShellToggleDesktop(); }

void App::SetCommandEnabled(BreakCommand command, bool enabled) {
  switch (command) {
    case BreakCommand::NBreakNow:
      main_.Menu().SetEnabled("NBreakNow", enabled);
      break;
    case BreakCommand::NBreakDemo:
      main_.Menu().SetEnabled("NBreakDemo", enabled);
      break;
    case BreakCommand::btnPreviewHintForm:
      setup_.SetPreviewEnabled(true, enabled);
      break;
    case BreakCommand::btnPreviewBreakForm:
      setup_.SetPreviewEnabled(false, enabled);
      break;
  }
  actions_.SetCommandEnabled(command, enabled);
}

void App::ShowAbout(int page) { about_.ShowAtPage(page); }

void App::PopHint(Color label_color, Color form_color, std::string_view text) {
  pop_hint_values_ = {std::string(text), label_color, form_color};
  if (forms_.IsFormOpen("frmPopHint") && pop_hint_ && !pop_hint_closed_) {
    pop_hint_->FormCreate();  // the open notice takes the new values and keeps its timer
    return;
  }
  // A notice that closed but is not freed yet goes now; a new one takes its place.
  pop_hint_.reset();
  pop_hint_view_ = views_.CreatePopHint([this] {
    pop_hint_closed_ = true;
    ScheduleReap();
  });
  pop_hint_closed_ = false;
  pop_hint_ = std::make_unique<TfrmPopHint>(*pop_hint_view_, ports_.timers, forms_,
                                            pop_hint_values_);
  views_.Attach(*pop_hint_view_, *pop_hint_);
  pop_hint_->Open();
}

void App::OnTimer(int id) {
  if (id != kReapTimer) return;
  ports_.timers.Stop(*this, kReapTimer);
  if (pop_hint_closed_) {
    pop_hint_.reset();
    pop_hint_view_.reset();
    pop_hint_closed_ = false;
  }
  auto reap = [](auto& owned) {
    if (!owned.freed) return;
    owned.presenter.reset();
    owned.view.reset();
    owned.freed = false;
  };
  reap(countdown_);
  reap(break_screen_);
}

void App::ArmScreenSaverRestore(uint32_t ms) { setup_.ArmRestoreTimer(ms); }

void App::RestoreScreenSaver() { main_.NDisableSelfSCRClick(TfrmMain::ScrSender::None); }

void App::ModeChanged(int mode) {
  main_.Menu().CheckMode(mode);
  if (countdown_.presenter && !countdown_.freed && forms_.IsFormOpen(TfrmBreakHint::kFormName))
    countdown_.presenter->UpdateCaption();
}

void App::ShowDesktopDecoChanged() {
  main_.Menu().SetChecked("NDesktopDeco", settings_.ShowDesktopDeco);
}

void App::ShowSOTChanged() { main_.Menu().SetChecked("NShowSOT", settings_.ShowSOT); }

// The statistics window, the built-in screen saver, the power actions and the desktop
// pictures arrive with their own windows; until then these commands have nothing to open.
void App::ShowStatistics() {}

void App::CloseStatistics() {}

void App::BringToFront(std::string_view form_name) { views_.BringToFront(form_name); }

void App::ShowInternalScreenSaver() {}

void App::LaunchScreenSaver() {}

void App::PowerStandBy(bool) {}

void App::PowerSleep(bool) {}

}  // namespace tavu
