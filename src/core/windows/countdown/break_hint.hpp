#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/geometry.hpp"
#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "ports/screen.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/screen_zoom.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

// Everything the countdown window shows. Control rectangles are client coordinates inside the
// window's inner border (`border_width`), after zoom; the labels and the check box size
// themselves to their text.
struct BreakHintState : ui::FormState {
  int border_width = 2;
  bool minimised = false;

  Rect Bevel1;  // frame around the content
  Rect Bevel2;  // vertical line between picture and controls (its left edge)
  Rect Image1;  // the countdown picture, stretched into this box
  ui::Label lblTimeRemain;
  ui::Label Label2;
  ui::Edit edtMins;
  ui::UpDown UpDown1;
  ui::Label Label3;
  ui::Label lblStatus;
  ui::Button btnDetails;
  ui::CheckBox cbxToggleDesktop;
  ui::Button btnApplyMins;
  ui::Button btnBreak;
  ui::Button btnM;

  // Every control with its form name.
  std::vector<std::pair<std::string_view, const ui::Control*>> Controls() const;
};

// ---- The detail pop-up (TfrmShowDetail) -------------------------------------------------------

// Borderless: `bounds` is the client area, in screen coordinates (96-dpi pixels).
struct ShowDetailState : ui::FormState {
  ui::Label lblText;  // the one line, in black
};

// The view of one detail pop-up: a borderless top-most window owned by the desktop window.
class ShowDetailHost {
 public:
  virtual ~ShowDetailHost() = default;
  virtual Size MeasureText(const ui::Font& font, std::string_view text) = 0;
  // Creates and shows the window as `state` says; the state never changes afterwards.
  virtual void Show(const ShowDetailState& state) = 0;
  // Destroys the window; the host is not used again.
  virtual void Free() = 0;
};

// `TfrmShowDetail`: one line about the delay still available, under the countdown window, for
// eight seconds. Each click on "详细..." opens another one.
class TfrmShowDetail : public TimerSink {
 public:
  static constexpr std::string_view kFormName = "frmShowDetail";
  static constexpr int kTimer1 = 1;
  static constexpr uint32_t kLifeMs = 8000;
  static constexpr int kMinWidth = 240;

  TfrmShowDetail(ShowDetailHost& host, Timers& timers) : host_(host), timers_(timers) {}
  ~TfrmShowDetail() override;
  TfrmShowDetail(const TfrmShowDetail&) = delete;
  TfrmShowDetail& operator=(const TfrmShowDetail&) = delete;

  // Lays the text out under `owner` (the countdown window's frame), shows it and starts its life.
  void FormCreate(std::string text, const Rect& owner, Color color);
  void Timer1Timer();
  // Closes and frees the window at once; nothing when already closed.
  void Close();
  bool IsOpen() const { return open_; }
  void OnTimer(int id) override;

  const ShowDetailState& State() const { return state_; }

 private:
  ShowDetailHost& host_;
  Timers& timers_;
  ShowDetailState state_;
  bool open_ = false;
};

// ---- The countdown window (TfrmBreakHint) -----------------------------------------------------

// What the countdown window asks of its view beyond showing (FormHost::Show; Hide and
// AnimateHide are never asked for).
class BreakHintHost : public FormHost {
 public:
  virtual void Minimize() = 0;
  // From minimised back to normal; nothing for a window that is not minimised.
  virtual void Restore() = 0;
  // Destroys the window, and this presenter once the running handler has returned.
  virtual void Free() = 0;
  // The view of a new detail pop-up; it lives until its Free().
  virtual ShowDetailHost& NewDetailView() = 0;
  // The screen's dots per inch. The window's state is in 96-dpi pixels, which the view scales.
  virtual int Dpi() { return 96; }
};

// `TfrmBreakHint`: the last minute before a break. Counts down, grants delays within the plan in
// force by lengthening its own count, and hands the break over to the engine. Created anew by
// the engine for every countdown; frees itself once the break has started.
class TfrmBreakHint : public TimerSink {
 public:
  struct Deps {
    Settings& settings;
    BreakPlans& plans;
    Engine& engine;
    EventLog& log;
    Timers& timers;
    Screen& screen;
    OpenForms& forms;
    AppCommands& app;  // "M" opens the settings window
  };

  static constexpr std::string_view kFormName = "frmBreakHint";
  // The frame as designed, before any zoom (96-dpi pixels).
  static constexpr Size kDesignSize{496, 330};
  static constexpr int kTimer1 = 1;
  static constexpr uint32_t kTimer1Ms = 1000;
  static constexpr uint16_t kCountSeconds = 60;
  static constexpr uint16_t kDemoSeconds = 3;

  static constexpr std::string_view kStatusNotYet = "  未可申请  ";
  static constexpr std::string_view kStatusNever = "  不可申请  ";
  static constexpr std::string_view kStatusOpen = "  可以申请  ";
  static constexpr std::string_view kStatusWait = " 暂不可申请 ";
  static constexpr std::string_view kStatusUsedUp = " 不可再申请 ";
  static constexpr std::string_view kTimeRemainTitle = "离休息还剩:";
  static constexpr std::string_view kTimeUp = "休息时间已到!";
  static constexpr std::string_view kIKnow = "我知道了";
  static constexpr std::string_view kApplyDelay = "申请延时";

  TfrmBreakHint(BreakHintHost& host, const Deps& deps) : host_(host), d_(deps) {}
  // Stops the count and frees open pop-ups. Must run before the composition root goes away.
  ~TfrmBreakHint() override;
  TfrmBreakHint(const TfrmBreakHint&) = delete;
  TfrmBreakHint& operator=(const TfrmBreakHint&) = delete;

  // Creation by the engine: registers the form, runs FormCreate and shows the window, unless
  // `shown` is false (free or password mode with the last minute switched off): then it is
  // never shown, yet counts down and starts the break all the same. A demonstration counts a
  // few seconds and hands over to the engine's demonstration chain.
  void Open(bool shown, bool demo);

  void FormCreate();
  void Timer1Timer();
  // An arrow of UpDown1 (up: one more minute); ignored while it is disabled.
  void UpDown1Click(bool up);
  void btnApplyMinsClick();
  // "马上休息"; the count runs it with `by_user` false when it reaches 0.
  void btnBreakClick(bool by_user = true);
  void btnDetailsClick();
  void cbxToggleDesktopClick(bool checked);
  void btnMClick();
  bool FormCanResize() const { return !HintResizeLocked; }
  bool FormCloseQuery() const { return HintCloseAllowed; }
  void FormClose();
  // A close request (close box, Alt+F4, system menu, or the window itself): FormClose when
  // FormCloseQuery allows it, otherwise nothing.
  void Close();
  // The rest mode changed: the title names the new one.
  void UpdateCaption();
  // The user moved or sized the window to `frame` (screen coordinates in 96-dpi pixels, like
  // the state). The presenter never
  // moves it back; the detail pop-up opens under it where it now is.
  void WindowMoved(const Rect& frame) { frame_ = frame; }

  // What "详细..." says about the delay still available.
  std::string DetailText() const;

  void OnTimer(int id) override;

  const BreakHintState& State() const { return state_; }

  // State of the countdown.
  uint16_t HintSecondsLeft = 0;
  uint8_t HintDelayMinutes = 0;
  uint8_t HintDelayRequests = 0;
  bool HintCloseAllowed = false;
  bool HintResizeLocked = false;

 private:
  const BreakPlan& Plan() const { return d_.plans.Applied(); }
  // Minutes one request may still ask for.
  int RequestableMinutes() const;
  void OpenRequest();
  void ShowPosition();
  void Zoom(int percent);
  void CloseDetails();
  void PruneDetails();

  BreakHintHost& host_;
  Deps d_;
  BreakHintState state_;
  std::vector<std::unique_ptr<TfrmShowDetail>> details_;
  Rect frame_;         // where the window is: where it was placed, or where the user put it
  bool demo_ = false;  // fixed at creation: a real countdown always ends in a real break
  bool registered_ = false;
  bool handed_over_ = false;
  bool freed_ = false;
};

}  // namespace tavu
