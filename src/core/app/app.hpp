#pragma once
#include "app/commands.hpp"
#include "app/forms.hpp"
#include "app/main_form.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "ports/windows.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "settings/setup_form.hpp"

namespace tavu {

// How the program ends: the platform quits its message loop; with `restart` it starts the
// executable again only after this instance's windows are destroyed, so the new instance can
// never hand over to the dying one.
class Lifecycle {
 public:
  virtual ~Lifecycle() = default;
  virtual void Quit(bool restart) = 0;
};

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
};

struct ViewHosts {
  MainFormHost& main;
  FormHost& setup;
};

// The composition root: owns the settings, the plans, the open-form registry and the
// permanent windows' presenters, and carries out the commands that cross windows.
class App : public AppCommands {
 public:
  App(const Ports& ports, const ViewHosts& hosts);

  // Creates the permanent windows in order and shows the welcome picture.
  void Start();
  void Shutdown();

  void ShowSetup(int page, bool topmost) override;
  void Terminate(bool restart) override;
  void StartEngine() override;
  void EnableWelcomeClose() override;

  Settings& settings() { return settings_; }
  BreakPlans& plans() { return plans_; }
  OpenForms& forms() { return forms_; }
  TfrmMain& main() { return main_; }
  TfrmSetup& setup() { return setup_; }
  const Ports& ports() { return ports_; }

 private:
  Ports ports_;
  Settings settings_;
  BreakPlans plans_{settings_};
  OpenForms forms_;
  TfrmMain main_;
  TfrmSetup setup_;
};

}  // namespace tavu
