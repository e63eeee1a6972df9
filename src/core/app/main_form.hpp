#pragma once
#include <cstdint>
#include <string>

#include "app/commands.hpp"
#include "app/engine.hpp"
#include "app/forms.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"

namespace tavu {

inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kMsgTrayCallback = 0x401;
inline constexpr std::string_view kTrayTip = "岚禾休息软件";
inline constexpr uint32_t kMsgOpenScreenSaverSetup = 0x8201;
inline constexpr uint32_t kMsgOpenStatistics = 0x8202;
inline constexpr uint32_t kMouseLeftUp = 0x202;
inline constexpr uint32_t kMouseRightUp = 0x205;

class MainFormHost : public FormHost {
 public:
  virtual void AddTrayIcon() = 0;
  virtual void RemoveTrayIcon() = 0;
};

struct MainFormState {
  std::string caption = "欢迎使用...";
  Rect bounds{0, 0, 495, 301};  // design size until first shown
  bool visible = false;
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

  TfrmMain(MainFormHost& host, AppCommands& app, Settings& settings, Screen& screen, Timers& timers,
           SystemSettings& system, Engine& engine)
      : host_(host),
        app_(app),
        settings_(settings),
        screen_(screen),
        timers_(timers),
        system_(system),
        engine_(engine) {}

  void FormCreate();
  void FormShow();
  // Shows the welcome picture at start; with pop-up help switched off it is not shown at all.
  void ShowAtStart();
  // Answers a close request: fades out and hides, never destroys. Returns whether to close.
  bool FormClose();
  void CloseAnimateTimerTimer();
  void ShowSplash();
  void EnableCloseAnimateTimer();
  void OnTrayMessage(uint32_t mouse_message);
  void OnOpenScreenSaverSetup();
  void NExitClick();
  void FormDestroy();

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
  MainFormState state_;
};

}  // namespace tavu
