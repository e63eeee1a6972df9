#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "cycle/engine.hpp"
#include "gfx/canvas.hpp"
#include "ports/clock.hpp"
#include "ports/screen.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"
#include "windows/reminders/reminder_texts.hpp"

namespace tavu {

// Several reminder windows of a kind may be open at once: the form name stays registered until
// the last of them closes.
class FormCount {
 public:
  FormCount(OpenForms& forms, std::string_view name) : forms_(forms), name_(name) {}
  void Opened() {
    if (count_++ == 0) forms_.Add(name_);
  }
  void Closed() {
    if (count_ > 0 && --count_ == 0) forms_.Remove(name_);
  }

 private:
  OpenForms& forms_;
  std::string_view name_;
  int count_ = 0;
};

// What a reminder window asks of its view besides showing: its dpi, closing and freeing itself.
class ReminderHost : public FormHost {
 public:
  // The screen's dots per inch; the state is in 96-dpi pixels, which the view scales.
  virtual int Dpi() { return 96; }
  // The window closes; it is freed once the running handler has returned.
  virtual void Close() = 0;
};

class HintSmallWindowHost : public ReminderHost {
 public:
  // The extent of a text in a canvas font, in pixels of the screen.
  virtual Size MeasureText(const CanvasFont& font, std::string_view text) = 0;
};

// One drawn line: text, font and the cell behind it (none: whatever the last line left).
struct DrawnLine {
  std::string text;
  CanvasFont font;
  std::optional<Color> cell;
};

// Borderless: `bounds` is the client area in screen coordinates (96-dpi pixels).
struct HintSmallWindowState : ui::FormState {
  std::array<DrawnLine, 3> lines;  // empty until the window is shown
  // The part of the window rolled into view so far (client coordinates).
  Rect revealed;
  int alpha = 250;
};

// `TfrmHintSmallWindow`: three lines in the bottom-right corner of the work area, rolled up
// from the bottom edge, for ten seconds. A click opens the statistics window.
class TfrmHintSmallWindow : public TimerSink {
 public:
  struct Deps {
    Settings& settings;
    const Engine& engine;
    Clock& clock;
    Timers& timers;
    Screen& screen;
    FormCount& forms;
    AppCommands& app;
    const DateTimeFormat& format;
  };

  static constexpr std::string_view kFormName = "frmHintSmallWindow";
  static constexpr Size kDesignClient{119, 106};
  static constexpr int kTimer1 = 1;
  static constexpr uint32_t kTimer1Ms = 10000;
  static constexpr int kRollTimer = 2;
  static constexpr uint32_t kRollMs = 2500;
  static constexpr uint32_t kFrameMs = 20;  // a step of the roll
  static constexpr Color kTitleCell = kYellow;

  TfrmHintSmallWindow(HintSmallWindowHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TfrmHintSmallWindow() override;
  TfrmHintSmallWindow(const TfrmHintSmallWindow&) = delete;
  TfrmHintSmallWindow& operator=(const TfrmHintSmallWindow&) = delete;

  // Creation and showing for `reason`: the window rolls up and its ten seconds start once it
  // is all in view.
  void Open(uint8_t reason);
  void FormCreate();
  // Sets the three lines; they are drawn at every paint from here on.
  void FormShow();
  void FormPaint(Canvas& canvas) const;
  void FormClick();
  void Timer1Timer();
  // Closes the window (the timer, or the system's close); nothing once closed.
  void Close();
  void OnTimer(int id) override;

  const HintSmallWindowState& State() const { return state_; }
  uint8_t Reason() const { return reason_; }
  bool IsOpen() const { return open_; }

 private:
  void RollStep();

  HintSmallWindowHost& host_;
  Deps d_;
  HintSmallWindowState state_;
  uint8_t reason_ = 0;
  uint64_t roll_start_ = 0;
  bool open_ = false;
};

}  // namespace tavu
