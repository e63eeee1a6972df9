#pragma once
#include <string>
#include <vector>

#include "base/date_time.hpp"
#include "base/geometry.hpp"
#include "gfx/canvas.hpp"
#include "history/day_totals.hpp"

namespace tavu {

// The history page's chart: per day, bars of the hours worked and the breaks taken, ended
// early, deferred and the pauses on one scale (left axis), the day's score as a line on a
// 0..100 scale (right axis), the days' dates below and a legend above. `size` is the surface in
// device pixels at `dpi`; everything is laid out from it.
void DrawDayChart(Canvas& canvas, Size size, int dpi, const std::vector<DayTotals>& days);

// The chart's series, in legend order, with their colours.
struct ChartSeries {
  std::string_view name;
  Color color;
};
inline constexpr ChartSeries kChartSeries[] = {
    {"工作小时", Rgb(70, 110, 200)}, {"休息次数", Rgb(60, 170, 90)},
    {"提前结束", Rgb(240, 150, 40)}, {"推迟", Rgb(150, 90, 190)},
    {"暂停", Rgb(140, 140, 140)},    {"健康得分", Rgb(220, 40, 40)},
};

// The top of the left scale for bars up to `highest`: a multiple of 4 (four grid steps of whole
// numbers), at least 4.
int ScaleTop(double highest);

// A day's date as the chart and the table show it ("12/10").
std::string DayLabel(int64_t day);

}  // namespace tavu
