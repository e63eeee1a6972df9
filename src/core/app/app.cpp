#include "app/app.hpp"

namespace tavu {

App::App(const Ports& ports, const ViewHosts& hosts)
    : ports_(ports),
      actions_(hosts.engine),
      log_(ports.clock, ports.input),
      main_(hosts.main, *this, settings_, ports.screen, ports.timers, ports.system, engine_),
      engine_(Engine::Deps{ports.clock, ports.input, ports.timers, main_,
                           TfrmMain::kDetectPauseTimer, settings_, plans_, log_, ports.dialogs,
                           ports.processes, forms_, *this}),
      setup_(hosts.setup, *this, settings_, plans_, ports.files, ports.dialogs, ports.random,
             ports.system),
      pages_(ports.shell),
      about_(hosts.about, pages_, *this) {}

void App::Start() {
  main_.FormCreate();
  setup_.FormCreate();
  main_.ShowAtStart();
}

void App::Shutdown() { main_.FormDestroy(); }

void App::ShowSetup(int page, bool topmost) { setup_.ShowAtPage(page, topmost); }

void App::Terminate(bool restart) { ports_.lifecycle.Quit(restart); }

void App::StartEngine() {
  engine_.RestartCountdown(static_cast<uint8_t>(plans_.Applied().BreakInterval - 1));
  engine_.ResetIdleWatch();
}

void App::EnableWelcomeClose() { main_.EnableCloseAnimateTimer(); }

void App::ShowWelcome() { main_.ShowSplash(); }

void App::OpenCountdownWindow(bool shown) { actions_.OpenCountdownWindow(shown); }

void App::OpenBreakScreen() { actions_.OpenBreakScreen(); }

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
  actions_.SetCommandEnabled(command, enabled);
}

}  // namespace tavu
