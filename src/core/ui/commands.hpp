#pragma once
#include <cstdint>
#include <string_view>

#include "base/geometry.hpp"

namespace tavu {

enum class MenuCommand : int;

// Settings window pages, in tab order.
enum SetupPage : int {
  kPageBasic = 0,
  kPageMode = 1,
  kPageScreenSaver = 2,
  kPageReminders = 3,
  kPageBreakScreen = 4,
  kPageCountdown = 5,
  kPageChime = 6,
  kPageGeneral = 7,
  kPageMore = 8,
  kPageUnchanged = -1,
};

// Commands that cross windows; the composition root carries them out.
class AppCommands {
 public:
  virtual ~AppCommands() = default;
  virtual void ShowSetup(int page, bool topmost) = 0;
  // Ends the program; with `restart` a new instance starts once this one's windows are gone.
  virtual void Terminate(bool restart) = 0;
  virtual void ShowWelcome() = 0;
  virtual void ShowAbout(int page) = 0;
  // The maker's e-mail address on the clipboard, with a word to the user.
  virtual void CopyMailAddress() = 0;
  // The small self-closing notice.
  virtual void PopHint(Color label_color, Color form_color, std::string_view text) = 0;
  // A rest mode was chosen: menu check marks, the countdown window's title, statistics caption.
  virtual void ModeChanged(int mode) = 0;
  // The settings check boxes of the two desktop pictures changed.
  virtual void ShowDesktopDecoChanged() = 0;
  virtual void ShowSOTChanged() = 0;
  // Opens the statistics window, or brings the open one to the front restored.
  virtual void ShowStatistics() = 0;
  virtual void CloseStatistics() = 0;
  // A command of the main window's menu, as if chosen there (statistics window, page 2).
  virtual void RunMenuCommand(MenuCommand command) = 0;
  // The companion tools' commands.
  virtual void RunKoPlayerCommand(int command) = 0;
  virtual void RunKaloCommand(int command) = 0;
  // A reminder window's preview (0 the small window, 1 the centre window) for `reason`: an
  // open one of that kind comes to the front instead.
  virtual void PreviewReminder(uint8_t reason, int window) = 0;
  // The settings window's previews: a demonstration break screen, a demonstration countdown.
  virtual void PreviewBreak() = 0;
  virtual void PreviewCountdown() = 0;
  // The system's power options, opened at their hibernation page where that can be found.
  virtual void OpenPowerOptions() = 0;
  virtual void OpenPowerHelp() = 0;
  // "随系统启动": whether an autostart entry exists, and switching it. Off takes a
  // confirmation first (the window asks); a desktop shortcut then takes the place of the
  // automatic start. A switch the system refuses is said.
  virtual bool AutostartOn() = 0;
  virtual void SwitchAutostart(bool on) = 0;
  // Brings an open window that exists at most once to the front.
  virtual void BringToFront(std::string_view form_name) = 0;
  // The built-in screen saver; whether it started.
  virtual bool ShowInternalScreenSaver() = 0;
  virtual void LaunchScreenSaver() = 0;
  // The chosen saver's own settings ("设置" of the screen-saver page).
  virtual void ScreenSaverSettings() = 0;
  // Screen saving switched from the settings page's check box, which already holds the value.
  virtual void ScreenSavingBoxChanged() = 0;
  virtual void PowerStandBy(bool manual) = 0;
  virtual void PowerSleep(bool manual) = 0;
};

}  // namespace tavu
