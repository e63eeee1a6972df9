#pragma once
#include <cstdint>
#include <string>

#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "machine/web_pages.hpp"
#include "ports/dialogs.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"
#include "ui/menu.hpp"

namespace tavu {

inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kMsgTrayCallback = 0x401;
inline constexpr std::string_view kTrayTip = "岚禾休息软件";
inline constexpr uint32_t kMsgOpenScreenSaverSetup = 0x8201;
inline constexpr uint32_t kMsgOpenStatistics = 0x8202;

// The seven global hot keys: atom names (also their ids) and keys, with the Windows key.
struct HotKeyDef {
  std::string_view atom;
  char key;
};
inline constexpr uint32_t kHotKeyModifier = 8;
inline constexpr HotKeyDef kHotKeys[7] = {
    {"Hotkey_zevo1", 'S'}, {"Hotkey_zevo2", 'Z'}, {"Hotkey_zevo3", 'C'}, {"Hotkey_zevo4", 'W'},
    {"Hotkey_zevo5", 'K'}, {"Hotkey_zevo6", 'V'}, {"Hotkey_zevo7", 'X'}};

class MainFormHost : public FormHost {
 public:
  virtual void AddTrayIcon() = 0;
  virtual void RemoveTrayIcon() = 0;
  // Brings the program to the front, handles pending messages once and pops the menu up at
  // `at`; a chosen item comes back as MenuClick.
  virtual void PopupMenu(const MainMenu& menu, Point at) = 0;
  virtual void RegisterHotKeys() = 0;
  virtual void UnregisterHotKeys() = 0;
};

struct MainFormState : ui::FormState {
  MainFormState() {
    caption = "欢迎使用...";
    bounds = {0, 0, 495, 301};  // design size until first shown
  }
  bool taskbar_button = true;  // the application window keeps its button until the first close
};

// The hidden main window: welcome picture, owner of the tray icon and of the engine's timer
// (DetectPauseTimer, whose ticks it hands to the engine).
class TfrmMain : public TimerSink {
 public:
  static constexpr int kCloseAnimateTimer = 1;
  static constexpr int kDetectPauseTimer = 2;
  static constexpr uint32_t kCloseAnimateMs = 3000;
  static constexpr int kFadeOutMs = 400;

  struct Deps {
    MainFormHost& host;
    AppCommands& app;
    Settings& settings;
    Screen& screen;
    Timers& timers;
    SystemSettings& system;
    Engine& engine;
    EventLog& log;
    Shell& shell;
    Dialogs& dialogs;
    WebPages& pages;
    OpenForms& forms;
    EngineActions& actions;
  };
  explicit TfrmMain(const Deps& deps)
      : host_(deps.host),
        app_(deps.app),
        settings_(deps.settings),
        screen_(deps.screen),
        timers_(deps.timers),
        system_(deps.system),
        engine_(deps.engine),
        d_(deps) {}

  void FormCreate();
  void FormShow();
  // Shows the welcome picture at start; with pop-up help switched off it is not shown at all.
  void ShowAtStart();
  // Answers a close request: fades out and hides, never destroys. Returns whether to close.
  bool FormClose();
  void CloseAnimateTimerTimer();
  void ShowSplash();
  void EnableCloseAnimateTimer();
  // A click on the tray icon, reported when the button goes up.
  void OnTrayClick(ui::MouseButton button);
  void OnOpenScreenSaverSetup();
  void NExitClick();
  void FormDestroy();

  // The notification-area menu: a chosen item by name (menu ids map to names).
  void MenuClick(std::string_view item);
  void MenuCommand(int id);
  // Message 0x312: acts on the modifier and key, only for the Windows key alone.
  void OnHotKey(uint32_t modifiers, uint32_t virtual_key);

  void NModeClick(int mode);
  void NShortCutsClick();
  void MoreUsefulLinksClick(std::string_view item);
  void QuickLaunch(std::string_view item);
  void NDesktopDecoClick();
  void NShowSOTClick();
  void NHintSmallWindowClick();
  void NStatClick();
  // The settings window's reminder previews: 0 the small window, 1 the centre window; the caller
  // sets RemindReason first.
  void ShowRemindWindow(int list);
  // Screen saving on or off; the menu's check mark means "disabled".
  enum class ScrSender { None, Menu, SettingsBox };
  void NDisableSelfSCRClick(ScrSender sender);
  void NSysShutdownInterfaceClick();

  MainMenu& Menu() { return menu_; }
  const MainMenu& Menu() const { return menu_; }

  void OnTimer(int id) override;

  const MainFormState& State() const { return state_; }

 private:
  MainFormHost& host_;
  AppCommands& app_;
  Settings& settings_;
  Screen& screen_;
  Timers& timers_;
  SystemSettings& system_;
  Engine& engine_;
  Deps d_;
  MainFormState state_;
  MainMenu menu_;
};

}  // namespace tavu
