#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>

#include "adapters/engine_actions.hpp"
#include "adapters/machine_ports.hpp"
#include "adapters/ports.hpp"
#include "adapters/power.hpp"
#include "adapters/system_ports.hpp"
#include "adapters/user_busy.hpp"
#include "app/app.hpp"
#include "app/startup.hpp"
#include "base/time_scale.hpp"
#include "ui/text.hpp"
#include "ui/views.hpp"
#include "windows/about/about_view.hpp"
#include "windows/main/main_view.hpp"
#include "windows/setup/setup_view.hpp"

using namespace tavu;
using namespace tavu::win;

// The library's own handler for an exception nobody caught writes its demangled type to a
// console a windowed program does not have, and brings the demangler's 36 KB of code along.
#ifdef __GLIBCXX__
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Win32Dialogs dialogs;
  Win32Shell shell;
  if (RunStartChecks(shell, dialogs) == StartDecision::HandedOver) return 0;

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  const int scale = ParseTimeScale(std::getenv("TAVU_TIME_SCALE"));
  Win32Clock clock(scale);
  Win32Timers timers(scale, &View::SyncAll);
  Win32Screen screen;
  Win32Files files;
  Win32Random random;
  Win32Lifecycle lifecycle;
  Win32Processes processes;
  Win32Registry registry;
  Win32ShellLinks links;
  Win32CodePage code_page;
  Win32Clipboard clipboard;
  Win32Sound sound;
  Win32UserBusy busy;
  Win32EngineActions engine_actions;
  Win32Power power;
  Win32Views views;

  // Views first (their windows exist, hidden), then the presenters that drive them.
  auto main_view = std::make_unique<MainView>();
  auto about_view = std::make_unique<AboutView>();
  auto setup_view = std::make_unique<SetupView>();
  auto app = std::make_unique<App>(
      Ports{clock, clock, timers, dialogs, screen, files, shell, shell, random, shell, lifecycle,
            processes, power, registry, links, code_page, clipboard, sound, busy},
      ViewHosts{*main_view, *setup_view, *about_view, engine_actions, views});
  app->time_format().short_date = ShortDateFormat();
  app->time_format().long_time = LongTimeFormat();
  main_view->Attach(app->main());
  power.main_window = main_view->hwnd();
  about_view->Attach(app->about());
  setup_view->Attach(app->setup());
  bool shut_down = false;
  auto shutdown = [&] {
    if (shut_down) return;
    shut_down = true;
    app->Shutdown();
  };
  main_view->on_session_end = shutdown;
  views.shut_down_dialog = [&] { app->main().NSysShutdownInterfaceClick(); };

  app->KeepHistoryIn("");  // beside the configuration file
  app->Start();
  View::SyncAll();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (setup_view->PreviewKey(msg) || views.PreviewKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  shutdown();
  setup_view.reset();
  about_view.reset();
  main_view.reset();  // the single-instance window is gone from here on

  if (lifecycle.restart_requested) {
    const std::wstring exe = Wide(files.ExePath());
    ShellExecuteW(nullptr, L"open", exe.c_str(), L"", L"", SW_SHOWNORMAL);
  }
  return 0;
}
