#include "gfx/raster.hpp"

#include <algorithm>
#include <cstdlib>

namespace tavu {
namespace {

// Rows drawn together: a band of a 4K surface (32 × 15 KB) stays in the second-level cache
// while every recorded operation draws its part of it.
constexpr int kBandRows = 32;

bool Representable(int v) {
  return v >= -Rasteriser::kMaxCoordinate && v <= Rasteriser::kMaxCoordinate;
}
bool Representable(Point p) { return Representable(p.x) && Representable(p.y); }

// Division rounding towards minus infinity, for a positive divisor.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

void Rasteriser::SetTarget(const PixelBuffer& target) {
  Discard();
  target_ = target.Empty() ? PixelBuffer{} : target;
}

void Rasteriser::Discard() {
  ops_.clear();
  runs_.clear();
}

void Rasteriser::Fill(const Rect& r, uint32_t pixel) {
  // GDI fills a rectangle given right to left or bottom to top from its right or bottom edge
  // exclusive to its left or top edge inclusive.
  auto range = [](int from, int to, int size, int& lo, int& hi) {
    const int64_t a = from <= to ? from : int64_t{to} + 1;
    const int64_t b = from <= to ? to : int64_t{from} + 1;
    lo = static_cast<int>(std::max<int64_t>(a, 0));
    hi = static_cast<int>(std::min<int64_t>(b, size));
  };
  int left, right, top, bottom;
  range(r.left, r.right, target_.width, left, right);
  range(r.top, r.bottom, target_.height, top, bottom);
  if (left >= right || top >= bottom) return;
  Op op{};
  op.kind = Op::Kind::Fill;
  op.pixel = pixel;
  op.x0 = left;
  op.y0 = top;
  op.x1 = right;
  op.y1 = bottom;
  op.row_top = top;
  op.row_bottom = bottom;
  ops_.push_back(op);
}

bool Rasteriser::Line(Point from, Point to, uint32_t pixel) {
  if (!Representable(from) || !Representable(to)) return false;
  if (from == to || target_.Empty()) return true;  // the end point is excluded
  const int top = std::min(from.y, to.y), bottom = std::max(from.y, to.y) + 1;
  if (bottom <= 0 || top >= target_.height) return true;
  Op op{};
  op.kind = Op::Kind::Line;
  op.pixel = pixel;
  op.x0 = from.x;
  op.y0 = from.y;
  op.x1 = to.x;
  op.y1 = to.y;
  op.row_top = top;
  op.row_bottom = bottom;
  ops_.push_back(op);
  return true;
}

bool Rasteriser::Ellipse(const Rect& bounds, uint32_t pixel) {
  if (!Representable(bounds.left) || !Representable(bounds.top) || !Representable(bounds.right) ||
      !Representable(bounds.bottom))
    return false;
  // Like GDI, a rectangle given right to left or bottom to top is turned round first.
  const int left = std::min(bounds.left, bounds.right), right = std::max(bounds.left, bounds.right);
  const int top = std::min(bounds.top, bounds.bottom), bottom = std::max(bounds.top, bounds.bottom);
  const int w = right - left, h = bottom - top;
  if (w > kMaxEllipseSide || h > kMaxEllipseSide) return false;
  if (w <= 2 || h <= 2) {
    // GDI outlines such a sliver as a rectangle, which covers all of it; a single pixel is a
    // rectangle of four zero-length sides and shows nothing.
    if (w * h > 1) Fill({left, top, right, bottom}, pixel);
    return true;
  }
  RecordEllipse(left, top, w, h, pixel);
  return true;
}

// The ellipse inscribed in w × h pixels (both at least 3) as GDI outlines it: a walk over one
// quadrant with an exact integer error term (Zingl's), from the middle row on the right side
// outwards until the middle column; the other three quadrants are its mirror images. For each
// row the walk passes through, it keeps the run of pixels it sets on the right side. Rows
// beyond the target end the walk.
void Rasteriser::RecordEllipse(int left, int top, int w, int h, uint32_t pixel) {
  if (target_.Empty() || left + w <= 0 || top + h <= 0 || left >= target_.width ||
      top >= target_.height)
    return;
  const int64_t a = w - 1, b = h - 1, b_odd = b & 1;
  int64_t dx = 4 * (1 - a) * b * b;
  int64_t dy = 4 * (b_odd + 1) * a * a;
  int64_t err = dx + dy + b_odd * a * a;
  const int64_t step_a = 8 * a * a, step_b = 8 * b * b;
  const int64_t lower = top + h / 2;    // the first row of the lower half
  const int64_t upper = lower - b_odd;  // the first row of the upper half
  const int64_t last_row = std::max<int64_t>(target_.height - 1 - lower, upper);

  // The run of the current row j: the walk enters it at `outer` and moves inwards.
  const size_t first_run = runs_.size();
  int64_t x = left + a, j = 0;
  const int64_t middle = left + w / 2;
  bool open = false;
  int64_t outer = 0, inner = 0;
  auto close_row = [&] {
    runs_.push_back({static_cast<int>(inner), static_cast<int>(outer)});
    open = false;
    ++j;
  };
  while (x >= middle && j <= last_row) {
    if (!open) {
      outer = x;
      open = true;
    }
    inner = x;
    const int64_t e2 = 2 * err;
    const bool step_x = e2 >= dx, step_y = e2 <= dy;
    if (!step_x && !step_y) break;  // cannot happen for an ellipse; never loop for ever
    if (step_x) {
      --x;
      dx += step_b;
      err += dx;
    }
    if (step_y) {
      dy += step_a;
      err += dy;
      close_row();
    }
  }
  if (open) close_row();

  const uint32_t count = static_cast<uint32_t>(runs_.size() - first_run);
  if (count == 0) return;
  auto drop = [&] { runs_.resize(first_run); };
  Op op{};
  op.kind = Op::Kind::Ellipse;
  op.pixel = pixel;
  op.row_top = static_cast<int>(upper - (count - 1));
  op.row_bottom = static_cast<int>(lower + count);
  op.lower = static_cast<int>(lower);
  op.upper = static_cast<int>(upper);
  op.mirror = 2 * left + w - 1;
  op.first_run = static_cast<uint32_t>(first_run);
  op.run_count = count;
  // Away from the middle row the right side moves left and the left side right, so the rows
  // whose run reaches into the columns form one range on each side. Big rings keep most of
  // their rows outside; they are never visited.
  const Run* begin = runs_.data() + first_run;
  const Run* end = begin + count;
  const int width = target_.width;
  const int mirror = op.mirror;
  auto index = [&](const Run* r) { return static_cast<int>(r - begin); };
  op.right_from =
      index(std::partition_point(begin, end, [&](const Run& r) { return r.inner >= width; }));
  op.right_to = index(std::partition_point(begin, end, [&](const Run& r) { return r.outer >= 0; }));
  op.left_from =
      index(std::partition_point(begin, end, [&](const Run& r) { return mirror - r.inner < 0; }));
  op.left_to = index(
      std::partition_point(begin, end, [&](const Run& r) { return mirror - r.outer < width; }));
  if (op.right_from >= op.right_to && op.left_from >= op.left_to) return drop();
  ops_.push_back(op);
}

void Rasteriser::Flush() {
  for (int row0 = 0; row0 < target_.height; row0 += kBandRows) {
    const int row1 = std::min(target_.height, row0 + kBandRows);
    for (const Op& op : ops_) {
      if (op.row_bottom <= row0 || op.row_top >= row1) continue;
      switch (op.kind) {
        case Op::Kind::Fill:
          DrawFill(op, row0, row1);
          break;
        case Op::Kind::Line:
          DrawLine(op, row0, row1);
          break;
        case Op::Kind::Ellipse:
          DrawEllipse(op, row0, row1);
          break;
      }
    }
  }
  Discard();
}

void Rasteriser::DrawFill(const Op& op, int row0, int row1) {
  const int top = std::max(op.y0, row0), bottom = std::min(op.y1, row1);
  uint32_t* row = target_.pixels + top * target_.stride + op.x0;
  for (int y = top; y < bottom; ++y, row += target_.stride)
    std::fill_n(row, op.x1 - op.x0, op.pixel);
}

// Bresenham along the major axis, end point excluded. The steps that fall inside the band and
// the target are found by arithmetic (where the error term puts each row or column), so the
// loop draws without a test per pixel and starts exactly where the whole line would be.
void Rasteriser::DrawLine(const Op& op, int row0, int row1) {
  const int64_t dx = std::abs(int64_t{op.x1} - op.x0);
  const int64_t dy = std::abs(int64_t{op.y1} - op.y0);
  const bool x_major = dx >= dy;
  const int64_t d_major = x_major ? dx : dy;
  const int64_t d_minor = x_major ? dy : dx;
  const int s_major = (x_major ? op.x1 >= op.x0 : op.y1 >= op.y0) ? 1 : -1;
  const int s_minor = d_minor == 0 ? 0 : ((x_major ? op.y1 >= op.y0 : op.x1 >= op.x0) ? 1 : -1);
  const int64_t major0 = x_major ? op.x0 : op.y0;
  const int64_t minor0 = x_major ? op.y0 : op.x0;
  const int64_t major_lo = x_major ? 0 : row0, major_hi = x_major ? target_.width : row1;
  const int64_t minor_lo = x_major ? row0 : 0, minor_hi = x_major ? row1 : target_.width;

  // Steps i in [first, last) with the major coordinate major0 + s_major·i in range.
  int64_t first = 0, last = d_major;
  if (s_major > 0) {
    first = std::max(first, major_lo - major0);
    last = std::min(last, major_hi - major0);
  } else {
    first = std::max(first, major0 - major_hi + 1);
    last = std::min(last, major0 - major_lo + 1);
  }
  // After i steps the minor axis has moved k(i) times: i·d_minor / d_major rounded to the
  // nearest integer, and where the line passes exactly between two pixels, to the one with the
  // smaller coordinate (as GDI draws). That is k(i) = ceil((2·i·d_minor − tie) / (2·d_major))
  // with tie = d_major when the minor coordinate grows and d_major − 1 when it shrinks. k never
  // decreases, so the minor range is a range of steps too.
  const int64_t two_major = 2 * d_major, two_minor = 2 * d_minor;
  const int64_t tie = s_minor < 0 ? d_major - 1 : d_major;
  if (s_minor == 0) {
    if (minor0 < minor_lo || minor0 >= minor_hi) return;
  } else {
    const int64_t k_lo = s_minor > 0 ? minor_lo - minor0 : minor0 - minor_hi + 1;
    const int64_t k_hi = s_minor > 0 ? minor_hi - minor0 : minor0 - minor_lo + 1;
    // The first step with k(i) >= k.
    auto step_reaching = [&](int64_t k) -> int64_t {
      return k <= 0 ? 0 : FloorDiv(two_major * (k - 1) + tie, two_minor) + 1;
    };
    first = std::max(first, step_reaching(k_lo));
    last = std::min(last, step_reaching(k_hi));
  }
  if (first >= last) return;

  const int64_t k = -FloorDiv(tie - first * two_minor, two_major);
  int64_t err = (first + 1) * two_minor - tie - two_major * k;
  const int64_t major = major0 + s_major * first;
  const int64_t minor = minor0 + s_minor * k;
  const ptrdiff_t pitch = target_.stride;
  const ptrdiff_t major_stride = (x_major ? 1 : pitch) * s_major;
  const ptrdiff_t minor_stride = (x_major ? pitch : 1) * s_minor;
  uint32_t* p = target_.pixels + (x_major ? minor * pitch + major : major * pitch + minor);
  const uint32_t pixel = op.pixel;
  for (int64_t i = first;;) {
    *p = pixel;
    if (++i == last) break;
    if (err > 0) {
      p += minor_stride;
      err -= two_major;
    }
    err += two_minor;
    p += major_stride;
  }
}

void Rasteriser::DrawEllipse(const Op& op, int row0, int row1) {
  const Run* const runs = runs_.data() + op.first_run;
  uint32_t* const pixels = target_.pixels;
  const ptrdiff_t pitch = target_.stride;
  const int last_column = target_.width - 1;
  const int mirror = op.mirror;
  const uint32_t pixel = op.pixel;
  // Rows lower + j and upper − j that lie in the band.
  const int64_t lower_from = int64_t{row0} - op.lower, lower_to = int64_t{row1} - op.lower;
  const int64_t upper_from = int64_t{op.upper} - row1 + 1, upper_to = int64_t{op.upper} - row0 + 1;
  auto half = [&](int64_t from, int64_t to, int64_t middle, ptrdiff_t step, auto side) {
    uint32_t* row = pixels + (middle + (step > 0 ? from : -from)) * pitch;
    for (int64_t j = from; j < to; ++j, row += step) {
      int x0, x1;
      side(runs[j], x0, x1);
      x0 = std::max(x0, 0);
      x1 = std::min(x1, last_column);
      if (x0 == x1) {
        row[x0] = pixel;  // most runs of an outline are one pixel
      } else {
        for (int x = x0; x <= x1; ++x) row[x] = pixel;
      }
    }
  };
  auto right = [](const Run& r, int& x0, int& x1) {
    x0 = r.inner;
    x1 = r.outer;
  };
  auto left = [mirror](const Run& r, int& x0, int& x1) {
    x0 = mirror - r.outer;
    x1 = mirror - r.inner;
  };
  const int64_t rf = op.right_from, rt = op.right_to, lf = op.left_from, lt = op.left_to;
  half(std::max(lower_from, rf), std::min(lower_to, rt), op.lower, pitch, right);
  half(std::max(upper_from, rf), std::min(upper_to, rt), op.upper, -pitch, right);
  half(std::max(lower_from, lf), std::min(lower_to, lt), op.lower, pitch, left);
  half(std::max(upper_from, lf), std::min(upper_to, lt), op.upper, -pitch, left);
}

}  // namespace tavu
