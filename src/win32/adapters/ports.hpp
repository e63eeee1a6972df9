#pragma once
#include <windows.h>

#include <map>
#include <random>
#include <utility>

#include "base/time_scale.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/lifecycle.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "ports/windows.hpp"

namespace tavu::win {

// Every time source runs `scale` times faster from the moment the program started.
class Win32Clock : public Clock, public InputWatch {
 public:
  explicit Win32Clock(int scale);
  uint64_t Tick() override;
  LocalTime Now() override;
  uint64_t LastInputTick() override;
  int Scale() const { return time_.scale(); }

 private:
  TimeScale time_;
};

// All timers live on one message-only window; a tick reaches its sink and then the views.
class Win32Timers : public Timers {
 public:
  Win32Timers(int scale, void (*after_event)());
  ~Win32Timers() override;
  void Start(TimerSink& sink, int id, uint32_t interval_ms) override;
  void Stop(TimerSink& sink, int id) override;
  void StopAll(TimerSink& sink) override;

 private:
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  void Fire(UINT_PTR key);
  int scale_;
  void (*after_event_)();
  HWND hwnd_ = nullptr;
  UINT_PTR next_key_ = 1;
  std::map<std::pair<TimerSink*, int>, UINT_PTR> keys_;
  std::map<UINT_PTR, std::pair<TimerSink*, int>> sinks_;
};

class Win32Dialogs : public Dialogs {
 public:
  bool Ask(std::string_view text, std::string_view caption) override;
  bool Suggest(std::string_view text, std::string_view caption) override;
  void Inform(std::string_view text, std::string_view caption, bool system_modal) override;
  void Warn(std::string_view text, std::string_view caption) override;
  bool Confirm(std::string_view text, std::string_view caption) override;
  void Acknowledge(std::string_view text, std::string_view caption) override;
  std::optional<Color> AskColor(Color initial) override;
  bool AskFont(FontChoice& font) override;
  std::optional<std::string> AskSaveFile(std::string_view title, std::string_view file_name,
                                         std::string_view kind,
                                         std::string_view extension) override;
};

class Win32Screen : public Screen {
 public:
  Size PrimarySize() override;
  Rect WorkArea() override;
  Point Cursor() override;
  std::vector<Monitor> Monitors() override;
};

class Win32Files : public Files {
 public:
  std::string ExeFolder() override;
  std::string ExePath() override;
  FileRead Read(std::string_view path, std::size_t limit) override;
  bool WriteAtomic(std::string_view path, std::string_view bytes) override;
  bool Exists(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool CanCreateIn(std::string_view folder) override;
  bool CreateFolder(std::string_view path) override;
  std::vector<std::string> List(std::string_view folder, std::string_view pattern) override;

 private:
  unsigned temp_serial_ = 0;  // with the process id, names each save's temporary file
};

class Win32Shell : public Shell, public SystemSettings, public TopWindows {
 public:
  bool Execute(std::string_view verb, std::string_view target, std::string_view params,
               ShowState show) override;
  void SetScreenSaverActive(bool active) override;
  bool ScreenSaverActive() override;
  bool ExistsByClass(std::string_view window_class) override;
  bool PostToClass(std::string_view window_class, uint32_t message, uintptr_t wparam,
                   intptr_t lparam) override;
  bool PressCtrlPageDown(std::string_view title, int times) override;
  bool ShutDownWindows() override;
};

class Win32Random : public Random {
 public:
  void Randomize() override;
  int Next(int n) override;

 private:
  std::mt19937 engine_{12345u};
};

class Win32Lifecycle : public Lifecycle {
 public:
  void Quit(bool restart) override;
  bool restart_requested = false;
};

}  // namespace tavu::win
