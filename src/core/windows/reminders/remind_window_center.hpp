#pragma once
#include <string_view>

#include "gfx/canvas.hpp"
#include "ports/clock.hpp"
#include "ports/screen.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/controls.hpp"
#include "windows/reminders/hint_small_window.hpp"
#include "windows/reminders/reminder_texts.hpp"

namespace tavu {

// Borderless: `bounds` is the client area in screen coordinates (96-dpi pixels).
struct RemindWindowCenterState : ui::FormState {
  RemindWindowCenterState();
  ui::Label Label1, Label2, Label3, Label4;
  ui::Picture imgAlarm;  // the alarm clock, stretched into its box
  ui::Edit edtRemindContent;
  Color frame_color = kYellow;
  // The part of the window grown into view so far (client coordinates).
  Rect revealed;
};

// `TfrmRemindWindowCenter`: the framed reminder in the middle of the screen, with an alarm
// clock, the minute and the reminder's text. A click closes it; a chime also closes itself six
// seconds after it has grown into view.
class TfrmRemindWindowCenter : public TimerSink {
 public:
  struct Deps {
    Settings& settings;
    Clock& clock;
    Timers& timers;
    Screen& screen;
    FormCount& forms;
  };

  static constexpr std::string_view kFormName = "frmRemindWindowCenter";
  static constexpr Size kDesignClient{319, 197};
  static constexpr Point kDesignPos{326, 229};
  static constexpr int kAutoCloseTimer = 1;
  static constexpr uint32_t kAutoCloseMs = 6000;
  static constexpr int kGrowTimer = 2;
  static constexpr uint32_t kGrowMs = 500;
  static constexpr uint32_t kFrameMs = 20;

  TfrmRemindWindowCenter(ReminderHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TfrmRemindWindowCenter() override;
  TfrmRemindWindowCenter(const TfrmRemindWindowCenter&) = delete;
  TfrmRemindWindowCenter& operator=(const TfrmRemindWindowCenter&) = delete;

  void Open(uint8_t reason);
  void FormCreate();
  // The 2-pixel frame in the frame colour, 5 pixels inside the edges (screen pixels).
  void FormPaint(Canvas& canvas) const;
  void FormClick() { Close(); }
  void tmrAutoCloseTimer() { Close(); }
  void Close();
  void OnTimer(int id) override;

  const RemindWindowCenterState& State() const { return state_; }
  bool ClosesByItself() const { return closes_by_itself_; }
  bool IsOpen() const { return open_; }

 private:
  void GrowStep();

  ReminderHost& host_;
  Deps d_;
  RemindWindowCenterState state_;
  uint8_t reason_ = 0;
  uint64_t grow_start_ = 0;
  bool closes_by_itself_ = false;
  bool open_ = false;
};

}  // namespace tavu
