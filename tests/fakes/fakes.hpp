#pragma once
// Fake ports for the unit tests. The clock and the timers form one virtual event loop:
// Advance(ms) moves time forward and fires due timers in order.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/app.hpp"
#include "ports/event_loop.hpp"
#include "recording_canvas.hpp"

namespace tavu::fake {

class VirtualLoop : public Clock, public Timers, public InputWatch, public EventLoop {
 public:
  uint64_t Tick() override { return now_; }
  LocalTime Now() override;
  uint64_t LastInputTick() override { return last_input_; }

  void Start(TimerSink& sink, int id, uint32_t interval_ms) override;
  void Stop(TimerSink& sink, int id) override;
  void StopAll(TimerSink& sink) override;

  // Runs every timer due within the next `ms`, in order of due time, then sets the clock.
  void Advance(uint64_t ms);
  // The machine sleeps: time moves on without ticks; timers that fell due fire once at wake-up.
  void Suspend(uint64_t ms);
  // Runs the timers due within `max_wait_ms`, returning after the first one (or the wait).
  void ProcessMessages(uint64_t max_wait_ms) override;
  void Input() { last_input_ = now_; }
  bool IsRunning(TimerSink& sink, int id) const { return timers_.count({&sink, id}) != 0; }
  std::optional<uint32_t> Interval(TimerSink& sink, int id) const;
  std::size_t TimerCount() const { return timers_.size(); }

  // Wall clock at tick 0.
  LocalTime wall_at_zero{2026, 12, 9, 9, 0, 0, 0};

 private:
  struct Timer {
    uint32_t interval;
    uint64_t due;
    uint64_t generation;
  };
  uint64_t now_ = 1'000'000;
  uint64_t last_input_ = 0;
  uint64_t generation_ = 0;
  std::map<std::pair<TimerSink*, int>, Timer> timers_;
};

class FakeDialogs : public Dialogs {
 public:
  struct Box {
    std::string kind, text, caption;
  };
  bool Ask(std::string_view text, std::string_view caption) override;
  void Inform(std::string_view text, std::string_view caption, bool system_modal) override;
  void Warn(std::string_view text, std::string_view caption) override;
  bool Confirm(std::string_view text, std::string_view caption) override;
  bool Suggest(std::string_view text, std::string_view caption) override;
  void Acknowledge(std::string_view text, std::string_view caption) override;
  std::optional<Color> AskColor(Color initial) override;
  bool AskFont(FontChoice& font) override;
  std::optional<std::string> AskSaveFile(std::string_view title, std::string_view file_name,
                                         std::string_view kind,
                                         std::string_view extension) override;
  // What the colour, font and save-file dialogs answer; nothing: cancelled.
  std::optional<Color> color_answer;
  std::optional<FontChoice> font_answer;
  std::optional<std::string> save_answer;
  // Ask(), Suggest() and Confirm() take the next; No (Cancel) when empty.
  std::deque<bool> answers;
  std::vector<Box> shown;
  // Called for every information box, e.g. to close an old version's window.
  std::function<void()> on_inform;
};

class FakeScreen : public Screen {
 public:
  Size PrimarySize() override { return size; }
  Rect WorkArea() override { return work; }
  Point Cursor() override { return cursor; }
  // `monitors` when set (the primary among them should match `size` and `work`); otherwise
  // the one primary monitor of `size`.
  std::vector<Monitor> Monitors() override {
    if (!monitors.empty()) return monitors;
    return {Monitor{{0, 0, size.w, size.h}, work, 96, true}};
  }
  // Sets the monitors, the primary's size and work area with them.
  void SetMonitors(std::vector<Monitor> list) {
    monitors = std::move(list);
    for (const Monitor& m : monitors)
      if (m.primary) size = {m.rect.Width(), m.rect.Height()}, work = m.work;
  }
  Size size{1920, 1080};
  Rect work{0, 0, 1920, 1040};
  Point cursor{100, 100};
  std::vector<Monitor> monitors;
};

// A folder of files. Besides plain files it can hold what makes reading or replacing a file
// fail, each as Windows answers it.
class FakeFiles : public Files {
 public:
  std::string ExeFolder() override { return "C:\\Tavu\\"; }
  std::string ExePath() override { return "C:\\Tavu\\tavu.exe"; }
  FileRead Read(std::string_view path, std::size_t limit) override;
  bool WriteAtomic(std::string_view path, std::string_view bytes) override;
  bool Exists(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool CanCreateIn(std::string_view folder) override {
    return !no_new_files.count(std::string(folder));
  }
  bool CreateFolder(std::string_view path) override;
  // Files directly in `folder` whose name ends as "*.ext" says (any case), in name order.
  std::vector<std::string> List(std::string_view folder, std::string_view pattern) override;
  std::map<std::string, std::string> files;
  std::set<std::string> folders;    // a folder of that name: neither read nor replaced
  std::set<std::string> locked;     // held open without sharing: neither read nor replaced
  std::set<std::string> denied;     // no right to read it; it can still be replaced
  std::set<std::string> read_only;  // read, but replacing it is refused
  std::map<std::string, std::size_t> read_fails_at;  // a read error after this many bytes
  bool fail_writes = false;                          // writing fails part-way (disk full)
  bool fail_folders = false;                         // creating a folder is refused
  std::set<std::string> no_new_files;  // folders that take no new file (Program Files)
  int writes = 0;
};

// Two roots of string values. A root may refuse writes (an ordinary user and the machine's
// keys) or deletes.
class FakeRegistry : public Registry {
 public:
  std::optional<std::string> Read(RegistryRoot root, std::string_view key,
                                  std::string_view name) override;
  bool Write(RegistryRoot root, std::string_view key, std::string_view name,
             std::string_view data) override;
  bool Delete(RegistryRoot root, std::string_view key, std::string_view name) override;
  // "HKLM\<key>\<name>" -> data
  std::map<std::string, std::string> values;
  std::set<RegistryRoot> read_only;
  int writes = 0;
};

class FakeShellLinks : public ShellLinks {
 public:
  std::string FolderPath(ShellFolder folder) override;
  bool Save(const ShellLink& link, std::string_view link_path) override {
    links[std::string(link_path)] = link;
    return true;
  }
  std::map<ShellFolder, std::string> folders{
      {ShellFolder::AppData, "C:\\Users\\u\\AppData\\Roaming"},
      {ShellFolder::Programs, "C:\\Users\\u\\Start Menu\\Programs"},
      {ShellFolder::Desktop, "C:\\Users\\u\\Desktop"},
      {ShellFolder::Windows, "C:\\Windows"},
      {ShellFolder::System, "C:\\Windows\\system32"}};
  std::map<std::string, ShellLink> links;
};

class FakeClipboard : public Clipboard {
 public:
  bool SetText(std::string_view utf8) override {
    if (busy) return false;
    text = utf8;
    return true;
  }
  std::string text;
  bool busy = false;  // another program holds it open
};

// The user's presentation and call as a test sets them; counts the questions, so a test can
// tell that nothing is asked while no deferral setting is on.
class FakeUserBusy : public UserBusy {
 public:
  bool Presenting() override {
    ++questions;
    return presenting;
  }
  bool InCall() override {
    ++questions;
    return in_call;
  }
  bool presenting = false;
  bool in_call = false;
  int questions = 0;
};

// A code page that holds every character but those in `missing`; bytes are the UTF-8 bytes.
class FakeCodePage : public CodePage {
 public:
  std::optional<std::string> Encode(std::string_view utf8) override;
  std::string Decode(std::string_view bytes) override { return std::string(bytes); }
  std::vector<std::string> missing{"☺"};
};

class FakeShell : public Shell {
 public:
  bool Execute(std::string_view verb, std::string_view target, std::string_view params,
               ShowState show) override;
  bool ShutDownWindows() override {
    calls.push_back({"ShutDownWindows", "", "", ShowState::Normal});
    return false;
  }
  struct Call {
    std::string verb, target, params;
    ShowState show;
  };
  std::vector<Call> calls;
};

class FakeSystem : public SystemSettings {
 public:
  void SetScreenSaverActive(bool active) override {
    saver_active.push_back(active);
    saver_on = active;
  }
  bool ScreenSaverActive() override { return saver_on; }
  bool saver_on = true;
  std::vector<bool> saver_active;
};

class FakeRandom : public Random {
 public:
  void Randomize() override { ++randomized; }
  int Next(int n) override;
  std::deque<int> values;  // taken in order, reduced modulo n; 0 when empty
  int randomized = 0;
};

class FakeTopWindows : public TopWindows {
 public:
  bool ExistsByClass(std::string_view cls) override { return classes.count(std::string(cls)) != 0; }
  bool PostToClass(std::string_view cls, uint32_t msg, uintptr_t w, intptr_t l) override;
  bool PressCtrlPageDown(std::string_view title, int times) override {
    if (!titles.count(std::string(title))) return false;
    pressed.emplace_back(title, times);
    return true;
  }
  std::set<std::string> classes;
  std::set<std::string> titles;
  std::vector<std::pair<std::string, int>> pressed;
  std::vector<std::tuple<std::string, uint32_t, uintptr_t, intptr_t>> posted;
};

class FakeProcesses : public Processes {
 public:
  std::vector<std::string> ExecutableNames() override { return names; }
  std::vector<std::string> names{"System", "explorer.exe", "tavu.exe"};
};

// Records what the engine asks for, one text per request ("Countdown shown", "HintSmall 1"),
// with the tick it came at. Opens no window and does nothing.
class FakeEngineActions : public EngineActions {
 public:
  explicit FakeEngineActions(Clock& clock) : clock_(clock) {}
  void OpenCountdownWindow(bool shown, bool demo) override {
    last_demo = demo;
    Record(shown ? "Countdown shown" : "Countdown hidden");
  }
  void OpenBreakScreen(bool demo, uint8_t delayed_mins) override {
    last_demo = demo;
    last_delayed_mins = delayed_mins;
    Record("BreakScreen");
  }
  void OpenHintSmallWindow(uint8_t reason) override {
    Record("HintSmall " + std::to_string(reason));
  }
  void OpenRemindWindowCenter(uint8_t reason) override {
    Record("RemindCenter " + std::to_string(reason));
  }
  void StartScreenSaver() override { Record("ScreenSaver"); }
  void ShutdownDisplayer() override { Record("DisplayOff"); }
  void LetSysStandBy() override { Record("StandBy"); }
  void LetSysSleep() override { Record("Hibernate"); }
  void ShellToggleDesktop() override { Record("ToggleDesktop"); }
  void CycleChanged() override {}

  struct Request {
    std::string what;
    uint64_t tick;
  };
  // What the last window request carried.
  bool last_demo = false;
  uint8_t last_delayed_mins = 0;
  std::vector<Request> requests;
  std::vector<std::string> Whats() const;
  void Clear() { requests.clear(); }
  // Called after each request is recorded.
  std::function<void(const std::string&)> on_request;

 private:
  void Record(std::string what);
  Clock& clock_;
};

class FakeLifecycle : public Lifecycle {
 public:
  void Quit(bool restart) override { quits.push_back(restart); }
  std::vector<bool> quits;
};

class FakeHost : public MainFormHost {
 public:
  void Show() override { calls.push_back("Show"); }
  void Hide() override { calls.push_back("Hide"); }
  void AnimateHide(int ms) override { calls.push_back("AnimateHide " + std::to_string(ms)); }
  bool AddTrayIcon() override {
    calls.push_back("AddTrayIcon");
    if (tray_failures == 0) return true;
    --tray_failures;
    return false;
  }
  int tray_failures = 0;  // adds that fail before the shell takes the icon
  void RemoveTrayIcon() override { calls.push_back("RemoveTrayIcon"); }
  void PopupMenu(const MainMenu&, Point at) override {
    calls.push_back("PopupMenu " + std::to_string(at.x) + "," + std::to_string(at.y));
  }
  bool RegisterHotKey(std::size_t, uint32_t modifiers, char key) override {
    if (modifiers == 8 && hot_key_calls.empty()) calls.push_back("RegisterHotKeys");
    hot_key_calls.push_back(std::to_string(modifiers) + key);
    return !taken.count(std::to_string(modifiers) + key);
  }
  // Keys the system refuses, as "8Z" (Win+Z) or "3Z" (Ctrl+Alt+Z).
  std::set<std::string> taken;
  std::vector<std::string> hot_key_calls;
  void UnregisterHotKeys() override { calls.push_back("UnregisterHotKeys"); }
  std::vector<std::string> calls;
};

class FakeSound : public Sound {
 public:
  void Play(SoundCue cue) override { played.push_back(cue); }
  std::vector<SoundCue> played;
};

// A notice window that measures text as 21 px per character and closes on request.
class FakePopHintHost : public PopHintHost {
 public:
  explicit FakePopHintHost(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {}
  void Show() override { ++shows; }
  void Hide() override {}
  void AnimateHide(int) override {}
  Size MeasureText(const ui::Font& font, std::string_view text) override;
  int WindowWidth() override { return 232; }
  void Close() override {
    closed = true;
    on_closed_();
  }
  int shows = 0;
  bool closed = false;

 private:
  std::function<void()> on_closed_;
};

// Text measures 8 px per character and 1.25 × the font height.
Size FakeMeasure(int height_px, std::string_view text);

class FakeShowDetailHost : public ShowDetailHost {
 public:
  Size MeasureText(const ui::Font& font, std::string_view text) override {
    return FakeMeasure(font.size, text);
  }
  void Show(const ShowDetailState&) override { shown = true; }
  void Free() override { freed = true; }
  bool shown = false, freed = false;
};

class FakeBreakHintHost : public BreakHintHost {
 public:
  explicit FakeBreakHintHost(std::function<void()> on_freed) : on_freed_(std::move(on_freed)) {}
  void Show() override { calls.push_back("Show"); }
  void Hide() override { calls.push_back("Hide"); }
  void AnimateHide(int) override {}
  void Minimize() override { calls.push_back("Minimize"); }
  void Restore() override { calls.push_back("Restore"); }
  void Free() override {
    calls.push_back("Free");
    on_freed_();
  }
  ShowDetailHost& NewDetailView() override {
    return *details.emplace_back(std::make_unique<FakeShowDetailHost>());
  }
  std::vector<std::string> calls;
  std::vector<std::unique_ptr<FakeShowDetailHost>> details;

 private:
  std::function<void()> on_freed_;
};

class FakeBreakScreenHost : public BreakScreenHost {
 public:
  explicit FakeBreakScreenHost(std::function<void()> on_freed) : on_freed_(std::move(on_freed)) {}
  void Show() override { calls.push_back("Show"); }
  void Hide() override { calls.push_back("Hide"); }
  void AnimateHide(int) override {}
  void Repaint() override { ++repaints; }
  Canvas& WindowCanvas() override { return canvas; }
  void Free() override {
    calls.push_back("Free");
    on_freed_();
  }
  void ShowShutDownDialog() override { calls.push_back("ShutDownDialog"); }
  void SetInputLock(bool block_input, bool hide_cursor) override {
    if (held_locks)
      *held_locks += int(block_input || hide_cursor) - int(input_blocked || cursor_hidden);
    input_blocked = block_input;
    cursor_hidden = hide_cursor;
  }
  Size MeasureText(const ui::Font& font, std::string_view text) override {
    return FakeMeasure(font.unit == ui::FontUnit::Points ? font.size * 4 / 3 : font.size, text);
  }
  Size MeasureTextAt(const ui::Font& font, std::string_view text, int dpi) override {
    return FakeMeasure(font.unit == ui::FontUnit::Points ? font.size * dpi / 72 : font.size, text);
  }
  RecordingCanvas canvas;
  std::vector<std::string> calls;
  int repaints = 0;
  bool input_blocked = false, cursor_hidden = false;
  // Counts this screen while it holds a lock; a screen freed with its lock held stays counted.
  int* held_locks = nullptr;

 private:
  std::function<void()> on_freed_;
};

// A reminder window: records its showing and dpi, measures canvas text as 8 px per character
// and 4/3 of the point size high (at 96 dpi), and closes on request.
template <typename Host>
class FakeReminderHostOf : public Host {
 public:
  explicit FakeReminderHostOf(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {}
  void Show() override { ++shows; }
  void Hide() override {}
  void AnimateHide(int) override {}
  int Dpi() override { return dpi; }
  void Close() override {
    closed = true;
    on_closed_();
  }
  int dpi = 96;
  int shows = 0;
  bool closed = false;

 private:
  std::function<void()> on_closed_;
};

class FakeHintSmallWindowHost : public FakeReminderHostOf<HintSmallWindowHost> {
 public:
  using FakeReminderHostOf::FakeReminderHostOf;
  Size MeasureText(const CanvasFont& font, std::string_view text) override;
};
using FakeRemindCenterHost = FakeReminderHostOf<ReminderHost>;

// The statistics window: an outer frame 16 px wider and 39 px higher than its client area,
// text measured as FakeMeasure does; records drags and closes on request.
class FakeStatHost : public StatHost {
 public:
  explicit FakeStatHost(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {}
  void Show() override { ++shows; }
  void Hide() override {}
  void AnimateHide(int) override {}
  int Dpi() override { return dpi; }
  Size FrameSize(Size client) override { return {client.w + 16, client.h + 39}; }
  Size MeasureText(const ui::Font& font, std::string_view text) override {
    return FakeMeasure(font.size, text);
  }
  void DragByBackground() override { ++drags; }
  void Close() override {
    closed = true;
    on_closed_();
  }
  int dpi = 96;
  int shows = 0, drags = 0;
  bool closed = false;

 private:
  std::function<void()> on_closed_;
};

// A desktop picture's view: shows and closes on request; the status picture is the banner's size.
template <class Host>
class FakeDecoHostOf : public Host {
 public:
  explicit FakeDecoHostOf(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {}
  void Show() override { ++shows; }
  void Hide() override {}
  void AnimateHide(int) override {}
  void Close() override {
    closed = true;
    on_closed_();
  }
  int shows = 0;
  bool closed = false;

 private:
  std::function<void()> on_closed_;
};
class FakeDesktopDecoHost : public FakeDecoHostOf<DesktopDecoHost> {
 public:
  using FakeDecoHostOf::FakeDecoHostOf;
  Size PictureSize() override { return picture; }
  Size picture{561, 69};
};
using FakeSOTHost = FakeDecoHostOf<SOTHost>;

class FakeViewFactory : public ViewFactory {
 public:
  std::unique_ptr<BreakHintHost> CreateBreakHint(std::function<void()> on_freed) override {
    if (!cycle_windows) return nullptr;
    auto host = std::make_unique<FakeBreakHintHost>(std::move(on_freed));
    break_hint = host.get();
    return host;
  }
  std::unique_ptr<BreakScreenHost> CreateBreakScreen(std::function<void()> on_freed) override {
    if (!cycle_windows) return nullptr;
    auto host = std::make_unique<FakeBreakScreenHost>(std::move(on_freed));
    host->held_locks = &input_locks_held;
    break_screen = host.get();
    return host;
  }
  // The built-in saver, with the other windows that come and go.
  std::unique_ptr<ScrZevoHost> CreateScrZevo(std::function<void()> on_freed) override;
  void Attach(ScrZevoHost&, TfrmScrZEVO&) override {}
  int savers_created = 0;
  void Attach(BreakHintHost&, TfrmBreakHint&) override {}
  void Attach(BreakScreenHost&, TTWForm&) override {}
  // Off: the engine's window requests are only recorded; on: the real presenters run.
  bool cycle_windows = false;
  FakeBreakHintHost* break_hint = nullptr;  // the last one created
  FakeBreakScreenHost* break_screen = nullptr;
  int input_locks_held = 0;  // break screens holding the input or cursor lock
  std::unique_ptr<PopHintHost> CreatePopHint(std::function<void()> on_closed) override {
    ++pop_hints_created;
    return std::make_unique<FakePopHintHost>(std::move(on_closed));
  }
  void Attach(PopHintHost&, TfrmPopHint&) override {}
  std::unique_ptr<HintSmallWindowHost> CreateHintSmallWindow(
      std::function<void()> on_closed) override {
    if (!reminder_windows) return nullptr;
    auto host = std::make_unique<FakeHintSmallWindowHost>(std::move(on_closed));
    host->dpi = next_dpi;
    hint_small = host.get();
    return host;
  }
  std::unique_ptr<ReminderHost> CreateRemindWindowCenter(std::function<void()> on_closed) override {
    if (!reminder_windows) return nullptr;
    auto host = std::make_unique<FakeRemindCenterHost>(std::move(on_closed));
    host->dpi = next_dpi;
    remind_center = host.get();
    return host;
  }
  void Attach(HintSmallWindowHost&, TfrmHintSmallWindow&) override {}
  void Attach(ReminderHost&, TfrmRemindWindowCenter&) override {}
  // The statistics window always has a view: it opens only on request.
  std::unique_ptr<StatHost> CreateStat(std::function<void()> on_closed) override {
    auto host = std::make_unique<FakeStatHost>(std::move(on_closed));
    host->dpi = next_dpi;
    stat = host.get();
    return host;
  }
  void Attach(StatHost&, TfrmStat&) override {}
  FakeStatHost* stat = nullptr;  // the last one created
  // The desktop pictures always have views: they open as their settings say.
  std::unique_ptr<DesktopDecoHost> CreateDesktopDeco(std::function<void()> on_closed) override {
    auto host = std::make_unique<FakeDesktopDecoHost>(std::move(on_closed));
    desktop_deco = host.get();
    return host;
  }
  std::unique_ptr<SOTHost> CreateSOTForm(std::function<void()> on_closed) override {
    auto host = std::make_unique<FakeSOTHost>(std::move(on_closed));
    sot = host.get();
    return host;
  }
  void Attach(DesktopDecoHost&, TfrmDesktopDeco&) override {}
  void Attach(SOTHost&, TSOTForm&) override {}
  FakeDesktopDecoHost* desktop_deco = nullptr;  // the last one created
  FakeSOTHost* sot = nullptr;
  // Off: reminder requests are only recorded; on: the reminder windows' presenters run.
  bool reminder_windows = false;
  int next_dpi = 96;  // the dpi of the reminder windows created from here on
  FakeHintSmallWindowHost* hint_small = nullptr;  // the last one created
  FakeRemindCenterHost* remind_center = nullptr;
  void BringToFront(std::string_view form_name) override { fronted.emplace_back(form_name); }
  int pop_hints_created = 0;
  std::vector<std::string> fronted;
};

// The last record of a cycle that matches `key` (2: a break, 16: a power record); the test
// fails on a missing one rather than reading past the log.
inline const EventRecord& LastOf(const EventLog& log, std::size_t cycle, uint8_t key) {
  static const EventRecord kNone{};
  const std::size_t i = log.FindLastEvent(cycle, key);
  return i == EventLog::kNone ? kNone : log.Cycles()[cycle][i];
}

// A whole program on fake ports.
// Records power requests; privilege, standby support and the suspend's outcome are scripted.
class FakePower : public Power {
 public:
  bool EnableShutdownPrivilege(bool enable) override {
    calls.push_back(enable ? "Privilege on" : "Privilege off");
    return privilege;
  }
  bool HasStandby() override { return has_standby; }
  SuspendOutcome Suspend(bool hibernate) override {
    calls.push_back(hibernate ? "Hibernate" : "StandBy");
    return outcome;
  }
  void DisplayOff() override { calls.push_back("DisplayOff"); }

  bool privilege = true;
  bool has_standby = true;
  SuspendOutcome outcome{true, 60'000};
  std::vector<std::string> calls;
};

struct Rig {
  VirtualLoop loop;
  FakeDialogs dialogs;
  FakeScreen screen;
  FakeFiles files;
  FakeShell shell;
  FakeSystem system;
  FakeRandom random;
  FakeTopWindows windows;
  FakeLifecycle lifecycle;
  FakeHost main_host;
  FakeHost setup_host;
  FakeHost about_host;
  FakeProcesses processes;
  FakePower power;
  FakeRegistry registry;
  FakeShellLinks links;
  FakeCodePage code_page;
  FakeClipboard clipboard;
  FakeSound sound;
  FakeUserBusy busy;
  FakeEngineActions engine_actions{loop};
  FakeViewFactory views;
  App app{Ports{loop, loop, loop, dialogs, screen, files, shell, system, random, windows, lifecycle,
                processes, power, registry, links, code_page, clipboard, sound, busy},
          ViewHosts{main_host, setup_host, about_host, engine_actions, views}};
  std::string ConfigPath() const { return "C:\\Tavu\\lh20cfg"; }
};

}  // namespace tavu::fake
