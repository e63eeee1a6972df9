#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.hpp"
#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "machine/power.hpp"
#include "machine/screen_saving.hpp"
#include "machine/web_pages.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"
#include "ui/hot_keys.hpp"
#include "ui/menu.hpp"

namespace tavu {

// The main window's class: a second instance finds the first by it and asks it for the
// welcome picture (kMsgShowSplash).
inline constexpr std::string_view kMainWindowClass = "ZQX050505_20";
inline constexpr uint32_t kMsgShowSplash = 0x1520;
inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kMsgTrayCallback = 0x401;
inline constexpr std::string_view kTrayTip = "岚禾休息软件";
inline constexpr uint32_t kMsgOpenScreenSaverSetup = 0x8201;
inline constexpr uint32_t kMsgOpenStatistics = 0x8202;
// Sent by the uninstaller: the program ends at once through its normal exit, whatever
// "选择退出时" says, so the system's screen saver is given back.
inline constexpr uint32_t kMsgExitNow = 0x8203;

class MainFormHost : public FormHost {
 public:
  // Whether the shell took the icon (it may not be ready yet at log-on).
  virtual bool AddTrayIcon() = 0;
  virtual void RemoveTrayIcon() = 0;
  // Brings the program to the front, handles pending messages once and pops the menu up at
  // `at`; a chosen item comes back as MenuClick.
  virtual void PopupMenu(const MainMenu& menu, Point at) = 0;
  // Registers hot key `index` (of kHotKeys) with `modifiers`, replacing what it had; false when
  // the system refuses (another program or the system holds the key).
  virtual bool RegisterHotKey(std::size_t index, uint32_t modifiers, char key) = 0;
  virtual void UnregisterHotKeys() = 0;
};

struct MainFormState : ui::FormState {
  MainFormState() {
    caption = "欢迎使用...";
    bounds = {0, 0, 495, 301};  // design size until first shown
  }
  bool taskbar_button = true;  // the application window keeps its button until the first close
  // The notification-area icon: its tip (at most kTrayTipMax UTF-16 units) and whether it shows
  // the paused picture.
  std::string tray_tip{kTrayTip};
  bool tray_paused = false;
};

inline constexpr std::size_t kTrayTipMax = 127;

// The tip of the notification-area icon: the program's name, then where the cycle stands —
// the next break's time and the minutes left, a deferred break, the pause and its end, or the
// break itself. `now` is the wall clock.
std::string TrayTipText(const Engine& engine, DateTime now, const DateTimeFormat& f);

// The end of a pause chosen from the menu, from the wall clock `now`; "直到明天" is the next
// local midnight.
DateTime PauseEnd(MenuCommand command, DateTime now);

// The hidden main window: welcome picture, owner of the tray icon, the menu and the hot keys.
class TfrmMain : public TimerSink {
 public:
  static constexpr int kCloseAnimateTimer = 1;
  static constexpr int kTrayRetryTimer = 3;
  static constexpr uint32_t kTrayRetryMs = 2000;
  static constexpr uint32_t kCloseAnimateMs = 3000;
  static constexpr int kFadeOutMs = 400;

  struct Deps {
    MainFormHost& host;
    AppCommands& app;
    Settings& settings;
    Screen& screen;
    Timers& timers;
    Engine& engine;
    EventLog& log;
    Shell& shell;
    Dialogs& dialogs;
    WebPages& pages;
    OpenForms& forms;
    ScreenSavingSwitch& screen_saving;
    PowerActions& power;
    Clock& clock;
    const DateTimeFormat& time_format;
  };
  explicit TfrmMain(const Deps& deps)
      : host_(deps.host),
        app_(deps.app),
        settings_(deps.settings),
        screen_(deps.screen),
        timers_(deps.timers),
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
  // The shell (re)started: the icon is added again.
  void OnTaskbarCreated();
  // Message 0x218 with its event code; the result goes back to the system.
  intptr_t OnPowerBroadcast(uint32_t event) { return d_.power.OnPowerBroadcast(event); }
  void OnOpenScreenSaverSetup();
  void OnExitNow();
  void NExitClick();
  void FormDestroy();

  // The notification-area menu as it stands now: check marks and enabled states follow the
  // settings and the cycle.
  MainMenu Menu() const;
  // A chosen menu item: by command, by the id the platform menu carries, or by item name.
  void MenuClick(MenuCommand command);
  void OnMenuCommand(int id);
  void MenuClick(std::string_view item);
  // Message 0x312: acts on a key only with the modifiers it was registered with.
  void OnHotKey(uint32_t modifiers, uint32_t virtual_key);
  // The modifiers each hot key works with (0: none).
  const std::array<uint32_t, kHotKeyCount>& HotKeyModifiers() const { return hot_key_modifiers_; }

  void NModeClick(int mode);
  void NShortCutsClick();
  void MoreUsefulLinksClick(std::string_view item);
  void QuickLaunch(MenuCommand command);
  void NDesktopDecoClick();
  void NShowSOTClick();
  void NHintSmallWindowClick();
  void NStatClick();
  // The settings window's reminder previews: 0 the small window, 1 the centre window; the caller
  // sets RemindReason first.
  void ShowRemindWindow(int list);
  // The same for `reason`, which becomes the reason of the window that opens.
  void ShowRemindWindow(int list, uint8_t reason);
  // Screen saving on or off; the menu's check mark means "disabled".
  using ScrSender = ScreenSavingSwitch::Sender;
  void NDisableSelfSCRClick(ScrSender sender);
  void NSysShutdownInterfaceClick();
  // "暂停休息提醒": a pause of the chosen length, or "立即恢复".
  void PauseClick(MenuCommand command);
  // The tray icon's tip and picture follow the cycle; run at every tick and cycle change.
  void RefreshTray();

  void OnTimer(int id) override;

  const MainFormState& State() const { return state_; }

 private:
  MainFormHost& host_;
  AppCommands& app_;
  Settings& settings_;
  Screen& screen_;
  Timers& timers_;
  Engine& engine_;
  Deps d_;
  MainFormState state_;
  bool tray_wanted_ = false;
  std::array<uint32_t, kHotKeyCount> hot_key_modifiers_{};
  // Registers every hot key, with the fallback where needed, and lists the keys that work.
  void RegisterHotKeys();
  // Adds the icon, or tries again on a timer until the shell takes it.
  void AddTrayIcon();
};

}  // namespace tavu
