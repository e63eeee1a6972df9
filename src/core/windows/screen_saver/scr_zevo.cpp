#include "windows/screen_saver/scr_zevo.hpp"

#include "ui/monitors.hpp"

#include <cstdlib>

#include "settings/screen_zoom.hpp"

namespace tavu {
namespace {

// A colour component one step on: it turns down at the top and up at the bottom.
void Step(int16_t& value, int16_t& step) {
  value = static_cast<int16_t>(value + step);
  if (value >= 255)
    step = -3;
  else if (value <= 50)
    step = 3;
}

int RandomBelow(Random& random, int n) { return n > 0 ? random.Next(n) : 0; }

// Red, green, then blue, each below `n`: in this order, which a single call's arguments would
// not guarantee.
Color RandomColor(Random& random, int n) {
  const auto r = static_cast<uint8_t>(random.Next(n));
  const auto g = static_cast<uint8_t>(random.Next(n));
  const auto b = static_cast<uint8_t>(random.Next(n));
  return Rgb(r, g, b);
}

}  // namespace

TfrmScrZEVO::~TfrmScrZEVO() {
  d_.timers.StopAll(*this);
  if (!closed_) d_.forms.Remove(kScrZevoForm);
}

void TfrmScrZEVO::FormCreate() {
  Random& rnd = d_.random;
  rnd.Randomize();
  const Size screen = d_.screen.PrimarySize();
  state_.bounds = {0, 0, screen.w, screen.h};
  const int k = screen_zoom::FontIncrement(screen);
  state_.label_font.size_pt += k;
  state_.tip_font.size_pt = 10 + k;
  state_.moving_right = rnd.Next(2) == 0;
  state_.r = static_cast<int16_t>(rnd.Next(256));
  state_.g = static_cast<int16_t>(rnd.Next(256));
  state_.b = static_cast<int16_t>(rnd.Next(256));
  state_.dr = state_.dg = state_.db = 5;
  state_.label_font.color = Rgb(static_cast<uint8_t>(state_.r), static_cast<uint8_t>(state_.g),
                                static_cast<uint8_t>(state_.b));
  state_.label_size = host_.MeasureText(state_.label_font, state_.label_text);
  state_.label_pos = {RandomBelow(rnd, screen.w), RandomBelow(rnd, screen.h - state_.label_size.h)};
  state_.cursor_at_start = d_.screen.Cursor();
  DisplayChanged();
  d_.forms.Add(kScrZevoForm);
  state_.visible = true;
  host_.Show();
  d_.timers.Start(*this, kTimer1, kTimer1Ms);
}

void TfrmScrZEVO::Timer1Timer() {
  ScrZevoState& s = state_;
  s.label_pos.x += s.moving_right ? kStepPx : -kStepPx;
  Step(s.r, s.dr);
  Step(s.g, s.dg);
  Step(s.b, s.db);
  s.label_font.color =
      Rgb(static_cast<uint8_t>(s.r), static_cast<uint8_t>(s.g), static_cast<uint8_t>(s.b));
  const int width = s.bounds.Width();
  if (s.moving_right) {
    if (s.label_pos.x < width) return;
    s.label_pos.x = -s.label_size.w;
  } else {
    if (s.label_pos.x > s.bounds.left - s.label_size.w) return;
    s.label_pos.x = width;
  }
  Random& rnd = d_.random;
  s.label_pos.y = RandomBelow(rnd, s.bounds.Height() - s.label_size.h);
  s.tip_font.color = RandomColor(rnd, 256);
  s.tip = RandomTip();
  const Size tip = host_.MeasureText(s.tip_font, *s.tip);
  s.tip_pos = {RandomBelow(rnd, width - tip.w), RandomBelow(rnd, s.bounds.Height() - tip.h)};
  host_.Repaint();
}

std::string TfrmScrZEVO::RandomTip() {
  const auto& hot_keys = d_.settings.HotKeyAction.Items();
  const int h = static_cast<int>(hot_keys.size());
  const int n = d_.random.Next(h + 10);
  if (n < 10) return std::string(kScrZevoTips[n]);
  return std::string(kHotKeyTipPrefix) + hot_keys[static_cast<std::size_t>(d_.random.Next(h))];
}

void TfrmScrZEVO::FormPaint(Canvas& canvas) {
  const ScrZevoState& s = state_;
  canvas.FillRect({0, 0, s.bounds.Width(), s.bounds.Height()}, Rgb(0, 0, 0));
  Random& rnd = d_.random;
  const auto a = static_cast<uint8_t>(d_.screen.PrimarySize().w * 11 / 1024);
  const auto n = static_cast<uint8_t>(a + RandomBelow(rnd, a) + 1);
  const int label_top = s.label_pos.y;
  const int label_bottom = s.label_pos.y + s.label_size.h;
  for (int i = 0; i < n; ++i) {
    canvas.SetPen(RandomColor(rnd, 156), 1);
    const int x = RandomBelow(rnd, s.bounds.Width());
    canvas.Line({x, 0}, {x, label_top});
    canvas.Line({x, label_bottom}, {x, s.bounds.Height()});
  }
  lines_painted_ = n;
  canvas.SetBrush(std::nullopt);
  if (s.tip) {
    canvas.SetFont(s.tip_font);
    canvas.WriteText(s.tip_pos, *s.tip);
  }
}

void TfrmScrZEVO::DisplayChanged() {
  state_.others.clear();
  for (const Monitor& m : ui::OtherMonitors(d_.screen, d_.settings.BreakOnAllMonitors))
    state_.others.push_back(m.rect);
}

void TfrmScrZEVO::FormKeyDown() { Close(); }

void TfrmScrZEVO::FormMouseDown() { Close(); }

void TfrmScrZEVO::FormMouseMove(Point screen_pos) {
  const Point& start = state_.cursor_at_start;
  if (std::abs(screen_pos.x - start.x) > 2 || std::abs(screen_pos.y - start.y) > 2) return Close();
  state_.tip.reset();
  host_.Repaint();
}

void TfrmScrZEVO::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
}

void TfrmScrZEVO::Close() {
  if (closed_) return;
  closed_ = true;
  d_.timers.StopAll(*this);
  d_.forms.Remove(kScrZevoForm);
  state_.visible = false;
  host_.Free();
}

}  // namespace tavu
