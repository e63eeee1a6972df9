#include "history/day_chart.hpp"

#include <algorithm>
#include <cmath>

namespace tavu {
namespace {

constexpr int64_t kMsPerDay = 86'400'000;
constexpr Color kAxis = Rgb(96, 96, 96);
constexpr Color kGrid = Rgb(225, 225, 225);
constexpr Color kPlot = Rgb(255, 255, 255);
constexpr int kFontPt = 9;

double Hours(int64_t ms) { return static_cast<double>(ms) / 3'600'000.0; }

// The canvas cannot measure; the chart's texts are digits, '/' and CJK, whose widths in the
// font's size are close enough to half an em and an em to place them.
int TextWidth(std::string_view utf8, int em) {
  int width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    width += len >= 3 ? em : em / 2 + 1;
    i += len;
  }
  return width;
}

}  // namespace

int ScaleTop(double highest) {
  const int top = static_cast<int>(std::ceil(std::max(highest, 0.0) / 4.0)) * 4;
  return std::max(top, 4);
}

std::string DayLabel(int64_t day) {
  const LocalTime t = DateTime{day * kMsPerDay}.ToLocal();
  return std::to_string(t.month) + "/" + std::to_string(t.day);
}

void DrawDayChart(Canvas& canvas, Size size, int dpi, const std::vector<DayTotals>& days) {
  const auto px = [&](int design) { return (design * dpi + 48) / 96; };
  const int em = px(12);  // a 9-point character
  canvas.SetBrush(std::nullopt);
  canvas.FillRect({0, 0, size.w, size.h}, kPlot);

  // Legend, one row above the plot.
  canvas.SetFont({"宋体", kFontPt, kAxis});
  int x = px(36);
  for (const ChartSeries& s : kChartSeries) {
    const int mid = px(4) + em / 2;
    if (&s == &kChartSeries[std::size(kChartSeries) - 1]) {
      canvas.SetPen(s.color, std::max(1, px(2)));
      canvas.Line({x, mid}, {x + px(12), mid});
    } else {
      canvas.FillRect({x, mid - px(5), x + px(12), mid + px(5)}, s.color);
    }
    canvas.WriteText({x + px(15), px(4)}, s.name);
    x += px(15) + TextWidth(s.name, em) + px(14);
  }

  const Rect plot{px(36), px(24), size.w - px(34), size.h - px(20)};
  if (plot.Width() <= 0 || plot.Height() <= 0 || days.empty()) return;

  double highest = 0;
  for (const DayTotals& d : days)
    highest = std::max(
        {highest, Hours(d.WorkMs()), double(d.breaks), double(d.deferred), double(d.pauses)});
  const int top = ScaleTop(highest);
  const auto y_of = [&](double v, double scale_top) {
    return plot.bottom - static_cast<int>(std::lround(v / scale_top * plot.Height()));
  };

  // Grid and both scales: four steps.
  for (int i = 0; i <= 4; ++i) {
    const int y = y_of(top * i / 4.0, top);
    canvas.SetPen(i == 0 ? kAxis : kGrid, 1);
    canvas.Line({plot.left, y}, {plot.right, y});
    const std::string left = std::to_string(top * i / 4);
    canvas.WriteText({plot.left - px(4) - TextWidth(left, em), y - em / 2}, left);
    canvas.WriteText({plot.right + px(4), y - em / 2}, std::to_string(25 * i));
  }
  canvas.SetPen(kAxis, 1);
  canvas.Line({plot.left, plot.top}, {plot.left, plot.bottom});
  canvas.Line({plot.right, plot.top}, {plot.right, plot.bottom + 1});

  const int n = static_cast<int>(days.size());
  const int slot = plot.Width() / n;
  const int bar = std::max(1, (slot - px(6)) / 5);
  Point last_score{};
  bool have_last = false;
  for (int i = 0; i < n; ++i) {
    const DayTotals& d = days[static_cast<std::size_t>(i)];
    const int left = plot.left + i * slot + (slot - bar * 5) / 2;
    const double values[5] = {Hours(d.WorkMs()), double(d.breaks), double(d.early),
                              double(d.deferred), double(d.pauses)};
    for (int b = 0; b < 5; ++b) {
      const int y = y_of(values[b], top);
      if (y < plot.bottom)
        canvas.FillRect({left + b * bar, y, left + (b + 1) * bar, plot.bottom},
                        kChartSeries[b].color);
    }
    const std::string label = DayLabel(d.day);
    canvas.WriteText(
        {plot.left + i * slot + (slot - TextWidth(label, em)) / 2, plot.bottom + px(4)}, label);
    const int score = d.Score();
    if (score < 0) {
      have_last = false;
      continue;
    }
    const Point p{plot.left + i * slot + slot / 2, y_of(score, 100)};
    canvas.SetPen(kChartSeries[5].color, std::max(1, px(2)));
    if (have_last) canvas.Line(last_score, p);
    canvas.FillRect({p.x - px(2), p.y - px(2), p.x + px(3), p.y + px(3)}, kChartSeries[5].color);
    last_score = p;
    have_last = true;
  }
}

}  // namespace tavu
