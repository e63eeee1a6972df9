#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.hpp"
#include "cycle/engine.hpp"
#include "gfx/canvas.hpp"
#include "ports/dialogs.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"
#include "windows/break_screen/rest_modes.hpp"

namespace tavu {

inline constexpr std::string_view kBreakScreenForm = "TWForm";
inline constexpr std::string_view kRestNowText = "请您休息！";
inline constexpr std::string_view kBreakOverText = "结束休息,点击返回！";

// ---- What the view shows ----------------------------------------------------------------------

enum class BreakPhase {
  FadingIn,  // CreateAnimateTimer raises the opacity
  Counting,  // TrackingTimer counts the break down
  Hidden,    // postponed or left for a while; InterfereControlTimer brings the screen back
  Finished,  // count over, waiting for a click or key
  Closed,    // close accepted; the window is being freed
};

// The break on a monitor other than the primary: the same background colour and interface, and
// the slogan. Its own window, shown, hidden, faded and closed with the break screen's.
struct BreakCover {
  Rect bounds;  // the monitor, in virtual-screen pixels (negative left or above the primary)
  int dpi = 96;
  ui::Label lblSlogan;  // in the cover's own coordinates, sized at its dpi
};

// Control rectangles are in window coordinates; `bounds` is the primary screen. A label with no
// background of its own is see-through over the drawn background.
struct BreakScreenState : ui::FormState {
  static constexpr Size kIconSize{33, 32};
  static constexpr Size kComboSize{105, 21};
  static constexpr Size kEditSize{209, 21};

  BreakScreenState() { color = 0; }

  BreakPhase phase = BreakPhase::FadingIn;
  uint8_t alpha = 255;  // layered opacity, 1..255

  // The window canvas's drawing font, and the text last drawn with it over the background
  // (empty once a full paint has wiped it).
  CanvasFont canvas_font;
  std::string canvas_text;
  Point canvas_text_at;

  ui::ProgressBar ProgressBar1;
  ui::Label lblBreakRemainSec;
  ui::Label lblCurrentMode;
  ui::Label lblSlogan;
  ui::Picture imgShutDownIcon;
  ui::Picture imgUrgentExitIcon;
  ui::ComboBox cbbRemindAgainAt;
  ui::Edit edtExitPsw;

  // Every other monitor while breaks cover them all; empty with one monitor.
  std::vector<BreakCover> covers;

  uint32_t fade_interval_ms = 1;          // CreateAnimateTimer's interval in force
  uint32_t interfere_interval_ms = 1000;  // InterfereControlTimer keeps its last interval

  // Enforce mode's hold on the machine, as last asked of the host.
  bool input_locked = false;
  bool cursor_hidden = false;

  bool is_demo = false;  // a demonstration break (taken from the engine at creation)
  bool BreakCloseAllowed = false;
  uint8_t TicksSinceShown = 0;  // countdown ticks since shown or brought back; wraps at 256
  int32_t ChallengeA = 0;
  int32_t ChallengeB = 0;
  int32_t ChallengeSum = 0;
  std::string ChallengeText;
};

// The effects the break screen asks of its window, beyond the state the view mirrors.
// FormHost::Show applies the state as it is (opacity first, so the window never flashes
// opaque), shows the window and brings it to the front; FormHost::Hide hides it;
// FormHost::AnimateHide is not used.
class BreakScreenHost : public FormHost {
 public:
  // Redraws the whole window at once: FormPaint on WindowCanvas(), then onto the screen.
  virtual void Repaint() = 0;
  // The window's drawing surface, kept between paints (a memory bitmap behind the layered
  // window). What is drawn on it shows after the current handler and stays until the next
  // FormPaint.
  virtual Canvas& WindowCanvas() = 0;
  // Destroys the window and the presenter once the current handler has returned (posted).
  virtual void Free() = 0;
  // The main window's "系统关机介面" command: the Windows shut-down dialog.
  virtual void ShowShutDownDialog() = 0;
  // Enforce mode's lock: all keyboard and mouse input swallowed, and the pointer hidden. The
  // view applies each flag idempotently (hooks installed once, pointer hidden once), so giving
  // back what is not held is harmless, and it drops whatever it still holds when the window is
  // destroyed.
  virtual void SetInputLock(bool block_input, bool hide_cursor) = 0;
  // The size an auto-sized label takes for `text` in `font`.
  virtual Size MeasureText(const ui::Font& font, std::string_view text) = 0;
  // The same on a monitor of `dpi` (a cover's slogan).
  virtual Size MeasureTextAt(const ui::Font& font, std::string_view text, int dpi) = 0;
};

// The break screen (TTWForm): covers the primary screen (and, with BreakOnAllMonitors, every
// other monitor) for the length of a break, fades in, counts the break down, applies the rest
// mode, and hands the result to the engine when it closes. A new one is created for every
// break, real or demonstration; it frees itself.
class TTWForm : public TimerSink {
 public:
  static constexpr int kCreateAnimateTimer = 1;
  static constexpr int kTrackingTimer = 2;
  static constexpr int kInterfereControlTimer = 3;
  static constexpr uint32_t kTrackingMs = 1000;
  static constexpr int kDemoSeconds = 3;
  static constexpr int kLastSeconds = 5;  // the urgent exit no longer leaves early

  struct Deps {
    Settings& settings;
    const BreakPlans& plans;
    Engine& engine;
    Screen& screen;
    Timers& timers;
    Random& random;
    Dialogs& dialogs;
    OpenForms& forms;
  };

  TTWForm(BreakScreenHost& host, const Deps& deps) : host_(host), d_(deps) {}
  // Gives back whatever the screen still holds (see Release).
  ~TTWForm() override;
  TTWForm(const TTWForm&) = delete;
  TTWForm& operator=(const TTWForm&) = delete;

  // Creation: places, shows and starts the fade-in; reports a real break to the engine.
  // Creation on the engine's request: a demonstration runs a few seconds and counts nothing; a
  // real break is lengthened for the minutes of delay granted before it.
  void Open(bool demo, uint8_t delayed_mins);
  void FormCreate();
  // Runs whenever the presenter shows the window (the view never calls it on its own).
  void FormShow();
  // Background colour and, for the drawn interfaces, a fresh random pattern. The view calls it
  // for every paint the window needs.
  void FormPaint(Canvas& canvas);
  // The background of cover `index`, drawn at its own size.
  void CoverPaint(std::size_t index, Canvas& canvas);
  // Monitors were added, removed or rearranged (WM_DISPLAYCHANGE): the screen and its covers
  // follow them.
  void DisplayChanged();
  // A click on the background, and any key (key preview: also while the edit box has focus;
  // the view passes the key on afterwards). Closes once the count is over.
  void FormClick();
  void FormKeyDown(ui::Key key);
  // A close request (Alt+F4, system menu, programmatic): closes only once allowed.
  void Close();
  bool FormCloseQuery() const { return state_.BreakCloseAllowed; }
  // The close steps, run by Close() once allowed: the commands given back, and a real break's
  // result handed to the engine (a new cycle starts).
  void FormClose();
  // WM_QUERYENDSESSION: Windows may always end the session; the input lock goes at once.
  int WMQueryEndSession();
  // Gives back the input lock and stops the timers; for WM_ENDSESSION and WM_DESTROY. Safe to
  // call more than once.
  void Release();
  // After a resume from sleep during the break: the seconds spent asleep, not below 0.
  void LowerPosition(int64_t seconds);

  void CreateAnimateTimerTimer();
  void TrackingTimerTimer();
  void InterfereControlTimerTimer();
  void imgShutDownIconClick();
  void imgUrgentExitIconClick();
  void cbbRemindAgainAtSelect(int item_index);
  void edtExitPswClick();
  // The user edits the answer box.
  void edtExitPswChange(std::string_view text);

  void OnTimer(int id) override;

  const BreakScreenState& State() const { return state_; }

 private:
  int Mode() const { return d_.settings.SelectBreakMode; }
  bool Over() const { return state_.ProgressBar1.position <= state_.ProgressBar1.min; }
  void DesignFonts();
  void Layout();
  void LayoutCovers();
  void SetPosition(int64_t position);
  void SetLabelText(ui::Label& label, std::string_view text);
  void WriteCanvasText(std::string_view text);
  void LockInput();
  void ReleaseInput();
  void HideScreen();
  void Postpone(int item);
  void LeaveAtEnd();

  BreakScreenHost& host_;
  Deps d_;
  uint8_t delayed_mins_ = 0;
  BreakScreenState state_;
};

}  // namespace tavu
