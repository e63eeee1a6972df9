#include "windows/reminders/hint_small_window.hpp"

#include <algorithm>

#include "base/rounding.hpp"
#include "settings/screen_zoom.hpp"
#include "settings/window_zoom.hpp"

namespace tavu {
namespace {

constexpr std::string_view kFace = "宋体";

int DesignPixels(int device, int dpi) { return device * 96 / dpi; }

}  // namespace

TfrmHintSmallWindow::~TfrmHintSmallWindow() {
  d_.timers.StopAll(*this);
  if (open_) d_.forms.Closed();
}

void TfrmHintSmallWindow::Open(uint8_t reason) {
  reason_ = reason;
  open_ = true;
  d_.forms.Opened();
  FormCreate();
  FormShow();
}

void TfrmHintSmallWindow::FormCreate() {
  Settings& s = d_.settings;
  const int dpi = std::max(1, host_.Dpi());
  // The zoom rule of the settings window, on the screen measured in the state's pixels.
  const Size device = d_.screen.PrimarySize();
  const Size screen{DesignPixels(device.w, dpi), DesignPixels(device.h, dpi)};
  SelectZoom(s, kSmallWindowZoom, screen);
  Size size = kDesignClient;
  if (s.ZoomRate2 != 0)
    size = {screen_zoom::Scale(size.w, s.ZoomPercent2), screen_zoom::Scale(size.h, s.ZoomPercent2)};
  const Rect work = d_.screen.WorkArea();
  const int right = DesignPixels(work.right, dpi), bottom = DesignPixels(work.bottom, dpi);
  state_.bounds = {right - size.w, bottom - size.h, right, bottom};
  state_.client = size;
  state_.color = HintSmallWindowColor(s, reason_);
  state_.revealed = RevealedPart(Reveal::FromBottom, size, 0, kRollMs);
  state_.visible = true;
  roll_start_ = d_.clock.Tick();
  host_.Show();
  d_.timers.Start(*this, kRollTimer, kFrameMs);
}

void TfrmHintSmallWindow::FormShow() {
  const Settings& s = d_.settings;
  const std::string next_break = TimeText(d_.engine.NextBreakTime(), d_.format);
  const HintSmallLines text =
      HintSmallWindowLines(reason_, next_break, d_.engine.MinsLeft(), d_.clock.Now());
  const int adjust = s.FontAdjust2;
  auto font = [&](int pt, Color color) {
    return CanvasFont{std::string(kFace), std::max(1, pt + adjust), color};
  };
  state_.lines[0] = {text.title, font(10, 0), kTitleCell};
  state_.lines[1] = {text.line2, font(9, 0), state_.color};
  // The third line's cell is the second's: the brush stays as the last line left it.
  state_.lines[2] = {text.line3, font(16, kRed), std::nullopt};
}

void TfrmHintSmallWindow::FormPaint(Canvas& canvas) const {
  const int dpi = std::max(1, host_.Dpi());
  auto device = [&](int v) { return v * dpi / 96; };
  const int width = device(state_.client.w);
  canvas.FillRect({0, 0, width, device(state_.client.h)}, state_.color);
  if (state_.lines[0].text.empty()) return;
  const double x = d_.settings.ZoomPercent2 / 100.0 + 1;
  const int gaps[3] = {static_cast<int>(RoundEven(20 * x)), static_cast<int>(RoundEven(12 * x)),
                       static_cast<int>(RoundEven(10 * x))};
  int y = 0;
  for (std::size_t i = 0; i < state_.lines.size(); ++i) {
    const DrawnLine& line = state_.lines[i];
    y += device(gaps[i]);
    canvas.SetFont(line.font);
    if (line.cell) canvas.SetBrush(line.cell);
    const Size extent = host_.MeasureText(line.font, line.text);
    canvas.WriteText({(width - extent.w) / 2, y}, line.text);
    y += extent.h;
  }
}

void TfrmHintSmallWindow::FormClick() { d_.app.ShowStatistics(); }

void TfrmHintSmallWindow::RollStep() {
  const uint64_t elapsed = d_.clock.Tick() - roll_start_;
  state_.revealed = RevealedPart(Reveal::FromBottom, state_.client, elapsed, kRollMs);
  if (elapsed < kRollMs) return;
  // All in view: its ten seconds start now.
  d_.timers.Stop(*this, kRollTimer);
  d_.timers.Start(*this, kTimer1, kTimer1Ms);
}

void TfrmHintSmallWindow::Timer1Timer() { Close(); }

void TfrmHintSmallWindow::Close() {
  if (!open_) return;
  open_ = false;
  d_.timers.StopAll(*this);
  d_.forms.Closed();
  state_.visible = false;
  host_.Close();
}

void TfrmHintSmallWindow::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
  if (id == kRollTimer) RollStep();
}

}  // namespace tavu
