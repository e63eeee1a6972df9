#include "windows/countdown/break_hint.hpp"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "base/rounding.hpp"
#include "settings/window_zoom.hpp"

namespace tavu {

// ---- Screen scaling -----------------------------------------------------------------------------

namespace {

constexpr Color kBlack = 0;
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kCream = Rgb(255, 251, 240);
constexpr std::string_view kFace = "宋体";
constexpr std::string_view kDetailsText = "详细...";
constexpr std::string_view kToggleDesktopText = "刷屏";
constexpr std::string_view kBreakText = "马上休息";
constexpr std::string_view kModeText = "M";
constexpr std::string_view kModeHint = "点击这里设置休息模式...";

using Controls = std::initializer_list<ui::Control*>;

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

Rect ScaleRect(const Rect& r, int percent) {
  using screen_zoom::Scale;
  return At(Scale(r.left, percent), Scale(r.top, percent), Scale(r.Width(), percent),
            Scale(r.Height(), percent));
}

Point ScalePoint(Point p, int percent) {
  return {screen_zoom::Scale(p.x, percent), screen_zoom::Scale(p.y, percent)};
}

std::string CountText(uint16_t seconds) {
  if (seconds <= 60) return "还剩" + std::to_string(seconds) + "秒!";
  return "还剩" + std::to_string(seconds / 60) + "分" + std::to_string(seconds % 60) + "秒!";
}

std::string_view ModeName(int mode) {
  switch (mode) {
    case 0:
      return "自由模式";
    case 1:
      return "密码模式";
    case 2:
      return "干扰模式";
    default:
      return "强制模式";
  }
}

// A label or check box whose size follows its text.
template <typename T>
T AutoSized(Point at, std::string_view text) {
  T c;
  c.rect = {at.x, at.y, at.x, at.y};
  c.text = text;
  c.auto_size = true;
  return c;
}

ui::Label AutoLabel(Point at, std::string_view text, int px, Color color) {
  auto label = AutoSized<ui::Label>(at, text);
  label.font = ui::PixelFont(std::string(kFace), px, true, color);
  return label;
}

ui::Button MakeButton(const Rect& r, std::string_view text, std::string_view hint = {}) {
  ui::Button b;
  b.rect = r;
  b.text = text;
  b.hint = hint;
  return b;
}

BreakHintState DesignState() {
  BreakHintState s;
  s.font = ui::PixelFont(std::string(kFace), 12);
  s.Bevel1 = At(16, 16, 449, 249);
  s.Bevel2 = At(240, 16, 2, 249);
  s.Image1 = At(24, 24, 209, 233);
  s.lblTimeRemain = AutoLabel({280, 48}, TfrmBreakHint::kTimeRemainTitle, 29, kRed);
  s.Label2 = AutoLabel({264, 104}, "申请延长分钟数：", 16, kBlack);
  s.edtMins.rect = At(395, 104, 25, 20);
  s.edtMins.font = ui::PixelFont(std::string(kFace), 12, true);
  s.edtMins.read_only = true;
  s.edtMins.back = kWhite;
  s.UpDown1.rect = At(420, 104, 16, 20);
  s.UpDown1.enabled = false;
  s.Label3 = AutoLabel({264, 136}, "当前状态：", 16, kBlack);
  s.lblStatus = AutoLabel({272, 168}, TfrmBreakHint::kStatusNotYet, 14, kRed);
  s.lblStatus.back = kCream;
  s.btnDetails = MakeButton(At(384, 161, 49, 25), kDetailsText);
  s.cbxToggleDesktop = AutoSized<ui::CheckBox>({376, 205}, kToggleDesktopText);
  s.btnApplyMins = MakeButton(At(264, 224, 75, 25), TfrmBreakHint::kIKnow);
  s.btnBreak = MakeButton(At(352, 224, 75, 25), kBreakText);
  s.btnM = MakeButton(At(432, 224, 17, 25), kModeText, kModeHint);
  return s;
}

}  // namespace

std::vector<std::pair<std::string_view, const ui::Control*>> BreakHintState::Controls() const {
  return {{"lblTimeRemain", &lblTimeRemain},
          {"Label2", &Label2},
          {"edtMins", &edtMins},
          {"UpDown1", &UpDown1},
          {"Label3", &Label3},
          {"lblStatus", &lblStatus},
          {"btnDetails", &btnDetails},
          {"cbxToggleDesktop", &cbxToggleDesktop},
          {"btnApplyMins", &btnApplyMins},
          {"btnBreak", &btnBreak},
          {"btnM", &btnM}};
}

// ---- TfrmShowDetail -----------------------------------------------------------------------------

TfrmShowDetail::~TfrmShowDetail() { Close(); }

void TfrmShowDetail::FormCreate(std::string text, const Rect& owner, Color color) {
  ui::Label& line = state_.lblText;
  line.text = std::move(text);
  line.font = ui::PixelFont(std::string(kFace), 12, false, kBlack);
  state_.color = color;
  const Size extent = host_.MeasureText(*line.font, line.text);
  line.rect = At(10, 5, extent.w, extent.h);
  // Centred on the text, not on the (possibly wider) window, a little above the owner's foot.
  const int left = owner.left + (owner.Width() - extent.w) / 2;
  const int top = owner.top + static_cast<int>(RoundEven(owner.Height() * 0.9)) - extent.h;
  state_.bounds = At(left, top, std::max(extent.w + 20, kMinWidth), extent.h + 10);
  open_ = true;
  state_.visible = true;
  host_.Show(state_);
  timers_.Start(*this, kTimer1, kLifeMs);
}

void TfrmShowDetail::Timer1Timer() { Close(); }

void TfrmShowDetail::Close() {
  if (!open_) return;
  open_ = false;
  state_.visible = false;
  timers_.Stop(*this, kTimer1);
  host_.Free();
}

void TfrmShowDetail::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
}

// ---- TfrmBreakHint ------------------------------------------------------------------------------

TfrmBreakHint::~TfrmBreakHint() {
  d_.timers.StopAll(*this);
  CloseDetails();
  if (registered_) d_.forms.Remove(kFormName);
}

void TfrmBreakHint::Open(bool shown, bool demo) {
  demo_ = demo;
  registered_ = true;
  d_.forms.Add(kFormName);
  FormCreate();
  if (!shown) return;
  state_.visible = true;
  host_.Show();
}

void TfrmBreakHint::FormCreate() {
  Settings& s = d_.settings;
  state_ = DesignState();
  UpdateCaption();
  HintCloseAllowed = false;
  HintResizeLocked = false;
  state_.color = s.BreakHintColorMain;

  // The settings window's zoom-choice rule; a new percent also resets the font adjustment.
  // The window is designed in 96-dpi pixels and its view scales them to the screen, so the
  // screen is measured in those pixels too: on a 200 % screen the zoom sees half its size.
  const Size device = d_.screen.PrimarySize();
  const int dpi = std::max(1, host_.Dpi());
  const Size screen{device.w * 96 / dpi, device.h * 96 / dpi};
  SelectZoom(s, kCountdownZoom, screen);
  if (const int points = s.FontAdjust1; points != 0) {
    for (ui::Control* c : Controls{&state_.lblTimeRemain, &state_.lblStatus, &state_.edtMins,
                                   &state_.Label2, &state_.Label3})
      c->font->Grow(points);
  }
  state_.bounds = At(0, 0, kDesignSize.w, kDesignSize.h);
  if (s.ZoomRate1 != 0) Zoom(s.ZoomPercent1);
  state_.bounds =
      At((screen.w - state_.bounds.Width()) / 2, (screen.h - state_.bounds.Height()) / 2,
         state_.bounds.Width(), state_.bounds.Height());
  frame_ = state_.bounds;

  HintSecondsLeft = demo_ ? kDemoSeconds : kCountSeconds;
  HintDelayMinutes = 0;
  HintDelayRequests = 0;
  state_.cbxToggleDesktop.checked = s.ToggleB4Break;

  const BreakPlan& p = Plan();
  state_.UpDown1.enabled = false;
  state_.UpDown1.min = 0;
  state_.UpDown1.max = std::min<int>(p.CanApplyMaxMins, p.ApplyOnceMaxMins);
  state_.UpDown1.position = 0;
  // Also sets the button to "我知道了": a request of 0 minutes can never be made.
  ShowPosition();
  state_.lblTimeRemain.text = kTimeRemainTitle;
  const bool never = p.CanApplyMaxTimes == 0 || p.CanApplyMaxMins == 0;
  state_.lblStatus.text = never ? kStatusNever : kStatusNotYet;
  d_.timers.Start(*this, kTimer1, kTimer1Ms);
}

void TfrmBreakHint::Zoom(int percent) {
  state_.bounds = ScaleRect(state_.bounds, percent);
  for (Rect* r : {&state_.Image1, &state_.btnApplyMins.rect, &state_.btnBreak.rect,
                  &state_.btnM.rect, &state_.btnDetails.rect, &state_.edtMins.rect, &state_.Bevel1,
                  &state_.Bevel2, &state_.UpDown1.rect})
    *r = ScaleRect(*r, percent);
  // The auto-sized controls: their size follows their font.
  for (ui::Control* c : Controls{&state_.lblTimeRemain, &state_.Label2, &state_.Label3,
                                 &state_.lblStatus, &state_.cbxToggleDesktop})
    c->MoveTo(ScalePoint(c->Pos(), percent));
  HintResizeLocked = true;
}

void TfrmBreakHint::UpdateCaption() {
  state_.caption = "休息倒计时-[当前模式:" + std::string(ModeName(d_.settings.SelectBreakMode)) +
                   ",请在休息前选择您最合适的休息模式!点击M调用]";
}

void TfrmBreakHint::Timer1Timer() {
  PruneDetails();
  if (HintSecondsLeft == 0) {
    d_.timers.Stop(*this, kTimer1);
    state_.lblTimeRemain.text = kTimeUp;
    btnBreakClick(false);
    return;
  }
  if (HintSecondsLeft == 10 && state_.visible) {
    state_.minimised = false;
    host_.Restore();
  }
  const BreakPlan& p = Plan();
  if ((HintSecondsLeft == 60 || HintSecondsLeft == 10) && HintDelayRequests < p.CanApplyMaxTimes &&
      HintDelayMinutes < p.CanApplyMaxMins)
    OpenRequest();
  --HintSecondsLeft;
  state_.lblTimeRemain.text = CountText(HintSecondsLeft);
}

int TfrmBreakHint::RequestableMinutes() const {
  const BreakPlan& p = Plan();
  return std::max(0, std::min<int>(p.ApplyOnceMaxMins, p.CanApplyMaxMins - HintDelayMinutes));
}

void TfrmBreakHint::OpenRequest() {
  ui::UpDown& ud = state_.UpDown1;
  ud.enabled = true;
  // The plan may have been applied anew since the last request; never offer more than it allows.
  ud.max = RequestableMinutes();
  ud.position = std::min(ud.position, ud.max);
  ShowPosition();
  state_.lblStatus.text = kStatusOpen;
}

void TfrmBreakHint::ShowPosition() {
  state_.edtMins.text = std::to_string(state_.UpDown1.position);
  state_.btnApplyMins.text = state_.UpDown1.position == 0 ? kIKnow : kApplyDelay;
}

void TfrmBreakHint::UpDown1Click(bool up) {
  ui::UpDown& ud = state_.UpDown1;
  if (!ud.enabled || handed_over_) return;
  ud.position = std::clamp(ud.position + (up ? 1 : -1), ud.min, ud.max);
  ShowPosition();
}

void TfrmBreakHint::btnApplyMinsClick() {
  if (handed_over_) return;
  PruneDetails();
  if (state_.btnApplyMins.text == kIKnow) {
    CloseDetails();
    state_.minimised = true;
    host_.Minimize();  // the count goes on; the window comes back at 10 seconds
    return;
  }
  if (demo_) return;
  const auto m = static_cast<uint8_t>(std::min(state_.UpDown1.position, RequestableMinutes()));
  if (m == 0) {
    state_.UpDown1.position = 0;
    ShowPosition();
    return;
  }
  d_.timers.Stop(*this, kTimer1);
  state_.lblTimeRemain.text = kTimeRemainTitle;
  d_.log.LogEvent(false, true, m, kEventDelayRequest, true);
  HintSecondsLeft = static_cast<uint16_t>(HintSecondsLeft + m * 60);
  HintDelayMinutes = static_cast<uint8_t>(HintDelayMinutes + m);
  ++HintDelayRequests;
  const BreakPlan& p = Plan();
  const bool used_up =
      HintDelayRequests >= p.CanApplyMaxTimes || HintDelayMinutes >= p.CanApplyMaxMins;
  state_.lblStatus.text = used_up ? kStatusUsedUp : kStatusWait;
  state_.UpDown1.max = RequestableMinutes();
  state_.UpDown1.position = 0;
  state_.UpDown1.enabled = false;
  ShowPosition();
  d_.timers.Start(*this, kTimer1, kTimer1Ms);
}

void TfrmBreakHint::btnBreakClick(bool by_user) {
  // Once only: a second click before the window is gone would open a second break screen.
  if (handed_over_) return;
  handed_over_ = true;
  d_.timers.Stop(*this, kTimer1);
  d_.engine.CountdownEnded(demo_, HintDelayMinutes, by_user);
  HintCloseAllowed = true;
  CloseDetails();
  Close();
}

std::string TfrmBreakHint::DetailText() const {
  const BreakPlan& p = Plan();
  const std::string mins = std::to_string(HintDelayMinutes);
  const std::string times = std::to_string(HintDelayRequests);
  if (HintDelayMinutes >= p.CanApplyMaxMins) return "你已申请 " + mins + " 分钟,还可申请 0 分钟!";
  if (HintDelayRequests >= p.CanApplyMaxTimes) return "你已申请 " + times + " 次,还可申请 0 次!";
  return "你已申请 " + mins + " 分钟,还可申请 " +
         std::to_string(p.CanApplyMaxMins - HintDelayMinutes) + " 分钟!" + "你已申请 " + times +
         " 次,还可申请 " + std::to_string(p.CanApplyMaxTimes - HintDelayRequests) + " 次!";
}

void TfrmBreakHint::btnDetailsClick() {
  if (handed_over_) return;
  PruneDetails();
  auto detail = std::make_unique<TfrmShowDetail>(host_.NewDetailView(), d_.timers);
  detail->FormCreate(DetailText(), frame_, state_.color);
  details_.push_back(std::move(detail));
}

void TfrmBreakHint::cbxToggleDesktopClick(bool checked) {
  state_.cbxToggleDesktop.checked = checked;
  d_.settings.ToggleB4Break = checked;
}

void TfrmBreakHint::btnMClick() { d_.app.ShowSetup(kPageMode, true); }

void TfrmBreakHint::Close() {
  if (freed_ || !FormCloseQuery()) return;
  FormClose();
}

void TfrmBreakHint::FormClose() {
  if (freed_) return;
  freed_ = true;
  d_.timers.StopAll(*this);
  CloseDetails();
  if (registered_) d_.forms.Remove(kFormName);
  registered_ = false;
  d_.engine.CountdownClosed();
  state_.visible = false;
  host_.Free();
}

void TfrmBreakHint::CloseDetails() {
  for (auto& detail : details_) detail->Close();
}

// Pop-ups that closed on their own timers are dropped here, never from inside their own tick.
void TfrmBreakHint::PruneDetails() {
  std::erase_if(details_, [](const auto& detail) { return !detail->IsOpen(); });
}

void TfrmBreakHint::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
}

}  // namespace tavu
