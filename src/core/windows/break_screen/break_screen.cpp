#include "windows/break_screen/break_screen.hpp"

#include "settings/screen_zoom.hpp"

#include <algorithm>
#include <string>

#include "base/rounding.hpp"
#include "ui/monitors.hpp"
#include "windows/break_screen/interfaces.hpp"

namespace tavu {
namespace {

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

Rect At(Point p, Size s) { return {p.x, p.y, p.x + s.w, p.y + s.h}; }
Size SizeOf(const Rect& r) { return {r.Width(), r.Height()}; }

// Fractions of the 1024 × 768 design, rounded halves to even. Whole pixels times whole design
// units are exact in double, so a true half (480 × 20 / 768 = 12.5) is seen as one.
int OfWidth(int w, int units) { return static_cast<int>(RoundEven(w * double(units) / 1024)); }
int OfHeight(int h, int units) { return static_cast<int>(RoundEven(h * double(units) / 768)); }

}  // namespace

TTWForm::~TTWForm() { Release(); }

void TTWForm::Open(bool demo, uint8_t delayed_mins) {
  state_.is_demo = demo;
  delayed_mins_ = delayed_mins;
  FormCreate();
}

void TTWForm::FormCreate() {
  Settings& s = d_.settings;
  const Size screen = d_.screen.PrimarySize();
  state_.bounds = {0, 0, screen.w, screen.h};
  state_.BreakCloseAllowed = false;
  d_.forms.Add(kBreakScreenForm);

  // The controls as designed; the layout below places them.
  DesignFonts();
  state_.lblBreakRemainSec.back = kBlack;
  state_.lblCurrentMode.back = kBlack;
  state_.lblCurrentMode.text = kCurrentModeDesignText;
  state_.imgShutDownIcon.rect = At({}, BreakScreenState::kIconSize);
  state_.imgUrgentExitIcon.rect = At({}, BreakScreenState::kIconSize);
  state_.imgUrgentExitIcon.visible = false;
  state_.cbbRemindAgainAt.rect = At({}, BreakScreenState::kComboSize);
  state_.cbbRemindAgainAt.items.assign(kRemindAgainItems.begin(), kRemindAgainItems.end());
  state_.cbbRemindAgainAt.index = 0;
  state_.cbbRemindAgainAt.visible = false;
  state_.edtExitPsw.rect = At({}, BreakScreenState::kEditSize);
  state_.edtExitPsw.text = kChallengePrompt;
  state_.edtExitPsw.visible = false;

  // The last interface is never drawn by chance. The pick is the setting itself, so the
  // settings window shows it and it is saved.
  if (s.RandomInterface) s.BreakInterface = d_.random.Next(break_interface::kCount - 1);
  if (s.BreakInterface == break_interface::kPureBlack ||
      s.BreakInterface == break_interface::kDimColour)
    state_.color = BreakInterfaceWindowColor(s.BreakInterface, d_.random).value_or(kBlack);
  LayoutCovers();

  state_.alpha = 1;
  FormShow();
  state_.visible = true;
  host_.Show();

  state_.fade_interval_ms = static_cast<uint32_t>(151 - s.FadeInSpeed);
  d_.timers.Start(*this, kCreateAnimateTimer, state_.fade_interval_ms);

  Layout();

  const BreakPlan& plan = d_.plans.Applied();
  const int length = state_.is_demo
                         ? kDemoSeconds
                         : plan.BreakMins * 60 + plan.AddBreak4ExtTime_SECperMIN * delayed_mins_;
  state_.ProgressBar1.min = 0;
  state_.ProgressBar1.max = length;
  SetPosition(length);
  SetLabelText(state_.lblBreakRemainSec, std::to_string(state_.ProgressBar1.position));

  state_.TicksSinceShown = 0;
  d_.timers.Stop(*this, kTrackingTimer);

  d_.engine.BreakScreenOpened(state_.is_demo);
}

// The layout grows these for the screen's size, so a new layout starts from them again.
void TTWForm::DesignFonts() {
  state_.lblBreakRemainSec.font = ui::PointFont("MS Sans Serif", 8, kWhite, ui::kDefaultCharset);
  state_.lblCurrentMode.font = ui::PointFont("宋体", 8, kWhite);
  state_.canvas_font = CanvasFont{};
}

void TTWForm::LayoutCovers() {
  const Settings& s = d_.settings;
  state_.covers.clear();
  for (const Monitor& m : ui::OtherMonitors(d_.screen, s.BreakOnAllMonitors)) {
    BreakCover& cover = state_.covers.emplace_back();
    cover.bounds = m.rect;
    cover.dpi = m.dpi;
    ui::Label& slogan = cover.lblSlogan;
    slogan.font = ui::FromSettings(s.BreakFont);
    slogan.text = s.Slogan;
    const Size size = host_.MeasureTextAt(*slogan.font, slogan.text, m.dpi);
    const int w = m.rect.Width(), h = m.rect.Height();
    slogan.rect = At({(w - size.w) / 2, (h - size.h) / 2}, size);
    slogan.visible = s.ShowSlogan;
  }
}

void TTWForm::Layout() {
  const Settings& s = d_.settings;
  const int w = state_.bounds.Width();
  const int h = state_.bounds.Height();
  const Rect work = d_.screen.WorkArea();
  const int ww = work.Width();
  const int wh = work.Height();

  ui::ProgressBar& bar = state_.ProgressBar1;
  const int bar_left = OfWidth(w, 20);
  bar.rect = At({bar_left, OfHeight(h, 20)},
                {w - 2 * bar_left, static_cast<int>(RoundEven(w / 1024.0)) * 8});

  const int k = screen_zoom::FontIncrement({w, h});
  // A point size shrunk on a small screen still names a font.
  state_.canvas_font.size_pt = std::max(1, state_.canvas_font.size_pt + k);
  state_.canvas_text_at = {OfWidth(w, 110), OfHeight(h, 110)};

  ui::Label& remain = state_.lblBreakRemainSec;
  remain.font->Grow(k);
  remain.MoveTo({OfWidth(w, 28), OfHeight(h, 48)});
  SetLabelText(remain, remain.text);

  ui::Label& mode = state_.lblCurrentMode;
  mode.font->Grow(k);
  SetLabelText(mode, mode.text);
  mode.MoveTo({(w - mode.rect.Width()) / 2, OfHeight(h, 48)});

  ui::Label& slogan = state_.lblSlogan;
  slogan.font = ui::FromSettings(s.BreakFont);
  SetLabelText(slogan, s.Slogan);
  slogan.MoveTo({(w - slogan.rect.Width()) / 2, (h - slogan.rect.Height()) / 2});
  slogan.visible = s.ShowSlogan;

  const Size icon = BreakScreenState::kIconSize;
  const int icons_top = wh * 95 / 100 - icon.h;
  const int icons_bottom = icons_top + icon.h;
  state_.imgShutDownIcon.MoveTo({ww * 5 / 100, icons_top});
  state_.imgShutDownIcon.visible = s.ShowPowerButton;
  state_.imgUrgentExitIcon.MoveTo({ww * 95 / 100 - icon.w, icons_top});

  const Size combo = BreakScreenState::kComboSize;
  const int combo_left = state_.imgUrgentExitIcon.rect.left - combo.w - 10;
  state_.cbbRemindAgainAt.MoveTo({combo_left, icons_bottom - combo.h});
  const Size edit = BreakScreenState::kEditSize;
  state_.edtExitPsw.MoveTo({combo_left - edit.w - 10, icons_bottom - edit.h});
}

void TTWForm::FormShow() {
  cbbRemindAgainAtSelect(0);
  ui::Label& mode = state_.lblCurrentMode;
  if (d_.settings.ShowCurrentMode) {
    SetLabelText(mode, RestModeLabel(Mode()));
    mode.visible = true;
  } else {
    mode.visible = false;
  }
}

void TTWForm::FormPaint(Canvas& canvas) {
  const Size size = SizeOf(state_.bounds);
  canvas.FillRect({0, 0, size.w, size.h}, state_.color);
  DrawBreakInterface(canvas, d_.settings.BreakInterface, size, d_.random);
  state_.canvas_text.clear();
}

void TTWForm::CoverPaint(std::size_t index, Canvas& canvas) {
  if (index >= state_.covers.size()) return;
  const Size size = SizeOf(state_.covers[index].bounds);
  canvas.FillRect({0, 0, size.w, size.h}, state_.color);
  DrawBreakInterface(canvas, d_.settings.BreakInterface, size, d_.random);
}

void TTWForm::DisplayChanged() {
  if (state_.phase == BreakPhase::Closed) return;
  const Size screen = d_.screen.PrimarySize();
  if (screen != SizeOf(state_.bounds)) {
    state_.bounds = {0, 0, screen.w, screen.h};
    DesignFonts();
    Layout();
    // A pattern of the new size, with the word that was written on the old one.
    const std::string written = state_.canvas_text;
    host_.Repaint();
    if (!written.empty()) WriteCanvasText(written);
  }
  LayoutCovers();
}

void TTWForm::CreateAnimateTimerTimer() {
  if (state_.phase != BreakPhase::FadingIn) return;
  const Settings& s = d_.settings;
  const int step = 37 - s.FadeInStep;
  if (state_.alpha > s.Transparency - step) {
    // One more step would pass the target: the opacity stays where it is.
    d_.timers.Stop(*this, kCreateAnimateTimer);
    state_.phase = BreakPhase::Counting;
    d_.timers.Start(*this, kTrackingTimer, kTrackingMs);
    WriteCanvasText(kRestNowText);
    if (Mode() == kEnforceMode) LockInput();
    return;
  }
  state_.alpha = static_cast<uint8_t>(state_.alpha + step);
  if (s.UseMoiseEffect) {
    state_.fade_interval_ms =
        static_cast<uint32_t>(151 - s.FadeInSpeed + d_.random.Next(s.MoiseStrenth));
    d_.timers.Start(*this, kCreateAnimateTimer, state_.fade_interval_ms);
  }
}

void TTWForm::TrackingTimerTimer() {
  if (state_.phase != BreakPhase::Counting) return;
  SetPosition(int64_t{state_.ProgressBar1.position} - 1);
  ++state_.TicksSinceShown;

  const ExitControls shown =
      ExitControlsAtTick(Mode(), state_.TicksSinceShown, d_.settings.InterfereIntensity,
                         {state_.imgUrgentExitIcon.visible, state_.cbbRemindAgainAt.visible,
                          state_.edtExitPsw.visible});
  state_.imgUrgentExitIcon.visible = shown.icon;
  state_.cbbRemindAgainAt.visible = shown.list;
  state_.edtExitPsw.visible = shown.box;

  SetLabelText(state_.lblBreakRemainSec, std::to_string(state_.ProgressBar1.position));

  if (!Over()) return;
  d_.timers.Stop(*this, kTrackingTimer);
  state_.phase = BreakPhase::Finished;
  host_.Repaint();
  WriteCanvasText(kBreakOverText);
  // Whatever the mode is now: a lock taken in enforce mode must not outlive the count.
  ReleaseInput();
  if (state_.is_demo) {
    state_.BreakCloseAllowed = true;
    Close();
  }
}

void TTWForm::FormClick() { LeaveAtEnd(); }

void TTWForm::FormKeyDown(ui::Key) { LeaveAtEnd(); }  // any key will do

void TTWForm::LeaveAtEnd() {
  if (state_.phase == BreakPhase::Closed || !Over()) return;
  state_.BreakCloseAllowed = true;
  Close();
}

void TTWForm::Close() {
  if (state_.phase == BreakPhase::Closed || !FormCloseQuery()) return;
  FormClose();
  host_.Free();
}

void TTWForm::FormClose() {
  if (state_.phase == BreakPhase::Closed) return;
  state_.phase = BreakPhase::Closed;
  d_.timers.StopAll(*this);
  if (state_.input_locked || state_.cursor_hidden) ReleaseInput();
  d_.engine.BreakLeft(state_.is_demo, static_cast<uint32_t>(state_.ProgressBar1.position),
                      static_cast<uint32_t>(state_.ProgressBar1.max));
  d_.forms.Remove(kBreakScreenForm);
}

int TTWForm::WMQueryEndSession() {
  ReleaseInput();
  return 1;
}

void TTWForm::Release() {
  d_.timers.StopAll(*this);
  if (state_.input_locked || state_.cursor_hidden) ReleaseInput();
  d_.forms.Remove(kBreakScreenForm);
}

void TTWForm::LowerPosition(int64_t seconds) {
  SetPosition(std::max<int64_t>(int64_t{state_.ProgressBar1.position} - seconds, 0));
}

void TTWForm::imgShutDownIconClick() {
  if (state_.imgShutDownIcon.visible) host_.ShowShutDownDialog();
}

void TTWForm::imgUrgentExitIconClick() {
  if (!state_.imgUrgentExitIcon.visible || !state_.visible || state_.phase == BreakPhase::Closed)
    return;
  if (state_.ProgressBar1.position <= kLastSeconds) {
    LeaveAtEnd();
    return;
  }
  const int item = state_.cbbRemindAgainAt.index;
  const bool item_chosen = item >= 1 && item <= kRemindAgainNever;
  switch (Mode()) {
    case kFreeMode:
      if (item_chosen) Postpone(item);
      break;
    case kPasswordMode: {
      const Challenge challenge{state_.ChallengeA, state_.ChallengeB, state_.ChallengeSum,
                                state_.ChallengeText};
      if (ChallengeAnswered(state_.edtExitPsw.text, challenge, item))
        Postpone(item);
      else
        state_.edtExitPsw.text = state_.ChallengeText;
      break;
    }
    case kInterfereMode:
      HideScreen();
      state_.interfere_interval_ms = static_cast<uint32_t>(d_.settings.InterfereIntensity) * 1000;
      d_.timers.Start(*this, kInterfereControlTimer, state_.interfere_interval_ms);
      break;
    default:
      break;
  }
}

void TTWForm::Postpone(int item) {
  HideScreen();
  if (item >= 1 && item <= 5) {
    state_.interfere_interval_ms = static_cast<uint32_t>(item) * 60'000;
  } else if (item == kRemindAgainNever) {
    if (d_.dialogs.Ask(kAbortBreakQuestion, kAbortBreakCaption)) {
      state_.BreakCloseAllowed = true;
      Close();
      return;
    }
  }
  // After No the screen comes back with the interval the timer already had.
  d_.timers.Start(*this, kInterfereControlTimer, state_.interfere_interval_ms);
}

void TTWForm::HideScreen() {
  state_.visible = false;
  host_.Hide();
  d_.timers.Stop(*this, kTrackingTimer);
  state_.phase = BreakPhase::Hidden;
  // Only possible if the mode changed during the break; nothing stays locked while away.
  if (state_.input_locked || state_.cursor_hidden) ReleaseInput();
}

void TTWForm::InterfereControlTimerTimer() {
  if (state_.phase != BreakPhase::Hidden) return;
  d_.timers.Stop(*this, kInterfereControlTimer);
  FormShow();
  // The bar keeps the count within the full length.
  SetPosition(int64_t{state_.ProgressBar1.position} +
              SecondsAddedOnReturn(Mode(), state_.interfere_interval_ms));
  // The number shows the time added back at once, not only at the next tick.
  SetLabelText(state_.lblBreakRemainSec, std::to_string(state_.ProgressBar1.position));
  state_.TicksSinceShown = 0;
  state_.imgUrgentExitIcon.visible = false;
  state_.cbbRemindAgainAt.visible = false;
  state_.edtExitPsw.visible = false;
  state_.phase = BreakPhase::Counting;
  d_.timers.Start(*this, kTrackingTimer, kTrackingMs);
  state_.visible = true;
  host_.Show();
}

void TTWForm::cbbRemindAgainAtSelect(int item_index) {
  const bool known = item_index >= 0 && item_index <= kRemindAgainNever;
  state_.cbbRemindAgainAt.index = known ? item_index : 0;
  if (Mode() != kPasswordMode) return;
  const int item = state_.cbbRemindAgainAt.index;
  if (item == 0) {
    state_.ChallengeText = kChallengePrompt;
  } else {
    // Every selection draws anew, also the same item again.
    const Challenge c = DrawChallenge(item, d_.random);
    state_.ChallengeA = c.a;
    state_.ChallengeB = c.b;
    state_.ChallengeSum = c.sum;
    state_.ChallengeText = c.text;
  }
  state_.edtExitPsw.text = state_.ChallengeText;
}

void TTWForm::edtExitPswClick() { state_.edtExitPsw.text.clear(); }

void TTWForm::edtExitPswChange(std::string_view text) { state_.edtExitPsw.text = text; }

void TTWForm::OnTimer(int id) {
  switch (id) {
    case kCreateAnimateTimer:
      CreateAnimateTimerTimer();
      break;
    case kTrackingTimer:
      TrackingTimerTimer();
      break;
    case kInterfereControlTimer:
      InterfereControlTimerTimer();
      break;
    default:
      break;
  }
}

void TTWForm::SetPosition(int64_t position) {
  ui::ProgressBar& bar = state_.ProgressBar1;
  bar.position =
      static_cast<int>(std::clamp<int64_t>(position, bar.min, std::max(bar.min, bar.max)));
}

void TTWForm::SetLabelText(ui::Label& label, std::string_view text) {
  label.text = text;
  label.rect = At(label.Pos(), host_.MeasureText(*label.font, label.text));
}

void TTWForm::WriteCanvasText(std::string_view text) {
  state_.canvas_font.color = kYellow;
  Canvas& canvas = host_.WindowCanvas();
  canvas.SetFont(state_.canvas_font);
  canvas.WriteText(state_.canvas_text_at, text);
  state_.canvas_text = text;
}

void TTWForm::LockInput() {
  const bool block = d_.settings.DisableKeyboard;
  const bool hide = d_.settings.HideCursor;
  if (!block && !hide) return;
  host_.SetInputLock(block, hide);
  state_.input_locked = block;
  state_.cursor_hidden = hide;
}

void TTWForm::ReleaseInput() {
  host_.SetInputLock(false, false);
  state_.input_locked = false;
  state_.cursor_hidden = false;
}

}  // namespace tavu
