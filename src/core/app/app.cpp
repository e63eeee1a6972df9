#include "app/app.hpp"

namespace tavu {

App::App(const Ports& ports, const ViewHosts& hosts)
    : ports_(ports),
      main_(hosts.main, *this, settings_, ports.screen, ports.timers, ports.system),
      setup_(hosts.setup, *this, settings_, plans_, ports.files, ports.dialogs, ports.random,
             ports.system) {}

void App::Start() {
  main_.FormCreate();
  setup_.FormCreate();
  main_.ShowAtStart();
}

void App::Shutdown() { main_.FormDestroy(); }

void App::ShowSetup(int page, bool topmost) { setup_.ShowAtPage(page, topmost); }

void App::Terminate(bool restart) { ports_.lifecycle.Quit(restart); }

void App::StartEngine() {}

void App::EnableWelcomeClose() { main_.EnableCloseAnimateTimer(); }

}  // namespace tavu
