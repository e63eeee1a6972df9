#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "gfx/raster.hpp"

// The rasteriser against plain per-pixel statements of what each shape covers. Fills and lines
// have short exact definitions. GDI's ellipse outline is the output of an integer walk with no
// closed form, so ellipses are checked by hand-worked small cases, by the properties every
// outline has, and by clipped drawings matching the same outline drawn whole; the exact pixels
// are compared with GDI's own under Wine by bench/win32/raster_parity.

namespace tavu {
namespace {

constexpr int kMax = Rasteriser::kMaxCoordinate;
constexpr int kSide = Rasteriser::kMaxEllipseSide;
constexpr uint32_t kInk = 0x00FFFFFF;
constexpr uint32_t kGuard = 0xDEADBEEF;  // never a colour the tests draw in

// A surface whose rows are followed by a few guard pixels, between guard rows above and below,
// so that any write outside the visible pixels shows.
class Surface {
 public:
  Surface(int w, int h, int pad = 3)
      : w_(w), h_(h), stride_(w + pad), store_(static_cast<size_t>(stride_) * (h + 2), kGuard) {
    for (int y = 0; y < h; ++y) std::fill_n(Row(y), w, 0u);
  }
  PixelBuffer Buffer() { return {Row(0), w_, h_, stride_}; }
  uint32_t At(int x, int y) const { return store_[static_cast<size_t>(y + 1) * stride_ + x]; }
  int w() const { return w_; }
  int h() const { return h_; }
  bool GuardsIntact() const {
    for (size_t i = 0; i < store_.size(); ++i) {
      const int y = static_cast<int>(i / stride_) - 1, x = static_cast<int>(i % stride_);
      const bool visible = y >= 0 && y < h_ && x < w_;
      if (!visible && store_[i] != kGuard) return false;
    }
    return true;
  }
  // '#' for ink, '.' for nothing, one line per row.
  std::string Picture() const {
    std::string s;
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) s += At(x, y) ? '#' : '.';
      s += '\n';
    }
    return s;
  }

 private:
  uint32_t* Row(int y) { return store_.data() + static_cast<size_t>(y + 1) * stride_; }
  int w_, h_, stride_;
  std::vector<uint32_t> store_;
};

// Division rounding up, for a positive divisor.
int64_t CeilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }

// GDI fills a rectangle given right to left (bottom to top) from the right (bottom) edge
// exclusive to the left (top) edge inclusive; otherwise from left inclusive to right exclusive.
bool FillCovers(const Rect& r, int x, int y) {
  auto in = [](int from, int to, int v) {
    return from <= to ? from <= v && v < to : to < v && v <= from;
  };
  return in(r.left, r.right, x) && in(r.top, r.bottom, y);
}

// A 1 px line covers, in each column from its start up to its end exclusive (each row, for a
// line steeper than 45°), the pixel whose centre is nearest the ideal line; where the line runs
// exactly between two, the one with the smaller coordinate.
bool LineCovers(Point from, Point to, int x, int y) {
  if (from == to) return false;
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const int64_t d_major = x_major ? dx : dy, d_minor = x_major ? dy : dx;
  const int64_t t = x_major ? int64_t{x} - from.x : int64_t{y} - from.y;
  if (d_major > 0 ? (t < 0 || t >= d_major) : (t > 0 || t <= d_major)) return false;
  // The ideal minor coordinate is num / den; the nearest pixel, halves down, is
  // ceil(num / den − 1/2) = ceil((2·num − den) / (2·den)).
  int64_t num = int64_t{x_major ? from.y : from.x} * d_major + t * d_minor, den = d_major;
  if (den < 0) num = -num, den = -den;
  return (x_major ? y : x) == CeilDiv(2 * num - den, 2 * den);
}

struct Shape {
  enum Kind { kFill, kLine, kEllipse } kind;
  Rect r;  // a line runs from (left, top) to (right, bottom)
  uint32_t pixel = kInk;
};

void Record(Rasteriser& raster, const Shape& s) {
  switch (s.kind) {
    case Shape::kFill:
      raster.Fill(s.r, s.pixel);
      break;
    case Shape::kLine:
      ASSERT_TRUE(raster.Line({s.r.left, s.r.top}, {s.r.right, s.r.bottom}, s.pixel));
      break;
    case Shape::kEllipse:
      ASSERT_TRUE(raster.Ellipse(s.r, s.pixel));
      break;
  }
}

// The outline of one ellipse drawn whole, as a function of absolute coordinates: the ellipse
// alone on a surface just big enough for it, so that nothing of it is clipped.
class WholeEllipse {
 public:
  explicit WholeEllipse(const Rect& r)
      : left_(std::min(r.left, r.right) - 1),
        top_(std::min(r.top, r.bottom) - 1),
        surface_(std::abs(r.Width()) + 2, std::abs(r.Height()) + 2) {
    Rasteriser raster;
    raster.SetTarget(surface_.Buffer());
    EXPECT_TRUE(
        raster.Ellipse({r.left - left_, r.top - top_, r.right - left_, r.bottom - top_}, 1));
    raster.Flush();
  }
  bool Covers(int x, int y) const {
    const int64_t sx = int64_t{x} - left_, sy = int64_t{y} - top_;
    return sx >= 0 && sy >= 0 && sx < surface_.w() && sy < surface_.h() &&
           surface_.At(static_cast<int>(sx), static_cast<int>(sy)) != 0;
  }

 private:
  int left_, top_;
  Surface surface_;
};

// Draws the shapes one after the other, pixel by pixel, by the definitions above.
std::vector<uint32_t> Reference(int w, int h, const std::vector<Shape>& shapes) {
  std::vector<uint32_t> out(static_cast<size_t>(w) * h, 0);
  for (const Shape& s : shapes) {
    std::optional<WholeEllipse> ellipse;
    if (s.kind == Shape::kEllipse) ellipse.emplace(s.r);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool covered = s.kind == Shape::kFill ? FillCovers(s.r, x, y)
                             : s.kind == Shape::kLine
                                 ? LineCovers({s.r.left, s.r.top}, {s.r.right, s.r.bottom}, x, y)
                                 : ellipse->Covers(x, y);
        if (covered) out[static_cast<size_t>(y) * w + x] = s.pixel;
      }
    }
  }
  return out;
}

// Draws `shapes` through the rasteriser on a w × h surface and compares every pixel with the
// reference; also checks that nothing outside the surface was touched.
void ExpectAsReference(int w, int h, const std::vector<Shape>& shapes) {
  Surface surface(w, h);
  Rasteriser raster;
  raster.SetTarget(surface.Buffer());
  for (const Shape& s : shapes) Record(raster, s);
  raster.Flush();
  const std::vector<uint32_t> want = Reference(w, h, shapes);
  int wrong = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t got = surface.At(x, y), expected = want[static_cast<size_t>(y) * w + x];
      if (got != expected && ++wrong <= 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", not "
                      << expected;
    }
  }
  EXPECT_TRUE(surface.GuardsIntact()) << "wrote outside the surface";
}

Shape Fill(Rect r) { return {Shape::kFill, r}; }
Shape Line(int x0, int y0, int x1, int y1) { return {Shape::kLine, {x0, y0, x1, y1}}; }
Shape Ellipse(Rect r) { return {Shape::kEllipse, r}; }

TEST(Raster, FillsCoverTheirRectangleAsGdiMirrorsIt) {
  const int w = 23, h = 17;
  const Rect cases[] = {
      {3, 4, 10, 9},                         // inside
      {-5, 2, 6, 8},                         // over the left edge
      {15, 2, 40, 8},                        // over the right edge
      {2, -9, 8, 5},                         // over the top edge
      {2, 12, 8, 30},                        // over the bottom edge
      {-100, -100, 100, 100},                // all of it and more
      {-9, 3, 0, 8},                         // ends where the surface begins
      {23, 3, 30, 8},                        // begins where it ends
      {3, -9, 8, 0},                         // above
      {3, 17, 8, 30},                        // below
      {5, 5, 5, 9},                          // no width
      {5, 5, 9, 5},                          // no height
      {10, 3, 4, 8},                         // right to left
      {4, 12, 10, 6},                        // bottom to top
      {10, 12, 4, 6},                        // both
      {0, 5, -1, 9},                         // right to left, covering column 0 only
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX},  // the whole int range
      {INT_MAX, INT_MAX, INT_MIN, INT_MIN},  // and turned round
      {INT_MIN, 2, INT_MIN + 1, 5},          // far away
  };
  for (const Rect& r : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "fill " << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom);
    ExpectAsReference(w, h, {Fill(r)});
  }
}

TEST(Raster, LinesCoverTheNearestPixelOfEachStep) {
  // Tall enough for rows in several bands.
  const int w = 37, h = 75;
  const std::vector<Shape> cases = {
      Line(5, 5, 5, 5),  // a point: nothing, the end is excluded
      Line(3, 4, 30, 4),
      Line(30, 6, 3, 6),  // horizontal, both ways
      Line(8, 2, 8, 70),
      Line(10, 70, 10, 2),  // vertical, both ways
      Line(2, 2, 30, 30),
      Line(30, 30, 2, 2),  // 45°, all four ways
      Line(2, 30, 30, 2),
      Line(30, 2, 2, 30),  //
      Line(1, 1, 5, 3),
      Line(5, 3, 1, 1),  // halfway steps, both ways
      Line(1, 9, 5, 7),
      Line(5, 7, 1, 9),  //
      Line(2, 3, 6, 11),
      Line(6, 11, 2, 3),  // steep, halfway steps
      Line(4, 1, 9, 70),
      Line(30, 72, 25, 3),  // steep across every band
      Line(0, 10, 36, 23),
      Line(36, 40, 0, 29),  // shallow, edge to edge
      Line(-20, 5, 20, 25),
      Line(20, 40, -20, 60),  // over the left edge
      Line(20, 5, 60, 25),
      Line(60, 40, 20, 60),  // over the right edge
      Line(3, -30, 20, 10),
      Line(20, 10, 3, -30),  // over the top edge
      Line(3, 60, 20, 100),
      Line(20, 100, 3, 60),  // over the bottom edge
      Line(-50, -40, 90, 120),
      Line(90, -40, -50, 120),  // through, both diagonals
      Line(-10, 3, -1, 70),
      Line(37, 3, 50, 70),  // just left, just right
      Line(-10, -1, 50, -5),
      Line(-10, 75, 50, 80),  // just above, just below
      Line(5, 0, 5, -9),
      Line(9, -9, 9, 0),  // ends on the edge or starts beyond
      Line(36, 74, 37, 75),
      Line(0, 0, -1, -1),                      // one pixel in a corner
      Line(-kMax, -kMax + 7, kMax, kMax - 3),  // from the limits
      Line(kMax, 40, -kMax, 41),               //
      Line(17, -kMax, 18, kMax),               //
      Line(-kMax, kMax, kMax, -kMax),          // misses the surface
  };
  for (const Shape& s : cases) {
    SCOPED_TRACE(::testing::Message() << "line " << s.r.left << ", " << s.r.top << " to "
                                      << s.r.right << ", " << s.r.bottom);
    ExpectAsReference(w, h, {s});
  }
}

TEST(Raster, ShapesBeyondTheLimitsAreRefusedAndLeaveNothing) {
  Surface surface(9, 7);
  Rasteriser raster;
  raster.SetTarget(surface.Buffer());
  const Point beyond[][2] = {
      {{INT_MIN, 3}, {5, 3}},   {{5, 3}, {INT_MAX, 3}},  {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
      {{-kMax - 1, 2}, {4, 4}}, {{4, 4}, {4, kMax + 1}},
  };
  for (const auto& p : beyond) EXPECT_FALSE(raster.Line(p[0], p[1], kInk));
  const Rect refused[] = {
      {INT_MIN, 0, 5, 5},           {0, 0, INT_MAX, 5}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
      {-3, -3, kSide - 2, 5},        // one pixel too wide
      {4, kSide + 1, 6, 0},          // too high, given bottom to top
      {-kMax - 1, 0, -kMax + 9, 9},  // a small ellipse too far away
  };
  for (const Rect& r : refused) EXPECT_FALSE(raster.Ellipse(r, kInk));
  EXPECT_FALSE(raster.Pending());
  // Right at the limits everything is taken, and drawn where it shows.
  EXPECT_TRUE(raster.Line({-kMax, 3}, {kMax, 3}, kInk));
  EXPECT_TRUE(raster.Ellipse({kMax - kSide, kMax - kSide, kMax, kMax}, kInk));
  EXPECT_TRUE(raster.Ellipse({4 - kSide, 0, 4, kSide}, kInk));
  raster.Flush();
  for (int x = 0; x < 9; ++x) EXPECT_EQ(surface.At(x, 3), kInk) << x;
  EXPECT_TRUE(surface.GuardsIntact());
}

// Small outlines worked out by hand from GDI's walk.
TEST(Raster, SmallEllipsesAsGdiOutlinesThem) {
  struct Case {
    Rect r;
    const char* picture;
  };
  const Case cases[] = {
      {{1, 1, 2, 2}, ".....\n.....\n.....\n"},  // one pixel: a rectangle of empty sides
      {{1, 0, 2, 3}, ".#...\n.#...\n.#...\n"},  // slivers are filled rectangles
      {{0, 1, 4, 2}, ".....\n####.\n.....\n"}, {{1, 0, 3, 3}, ".##..\n.##..\n.##..\n"},
      {{0, 0, 3, 3}, ".#...\n#.#..\n.#...\n"}, {{0, 0, 4, 3}, ".##..\n#..#.\n.##..\n"},
      {{4, 3, 0, 0}, ".##..\n#..#.\n.##..\n"},  // the same, given right to left
      {{0, 0, 0, 3}, ".....\n.....\n.....\n"},  // no width
  };
  for (const Case& c : cases) {
    Surface surface(5, 3);
    Rasteriser raster;
    raster.SetTarget(surface.Buffer());
    EXPECT_TRUE(raster.Ellipse(c.r, kInk));
    raster.Flush();
    EXPECT_EQ(surface.Picture(), c.picture)
        << c.r.left << ", " << c.r.top << ", " << c.r.right << ", " << c.r.bottom;
  }
  const std::pair<Size, const char*> bigger[] = {
      {{4, 4},
       ".##.\n"
       "#..#\n"
       "#..#\n"
       ".##.\n"},
      {{5, 5},
       ".###.\n"
       "#...#\n"
       "#...#\n"
       "#...#\n"
       ".###.\n"},
      {{6, 3},
       ".####.\n"
       "#....#\n"
       ".####.\n"},
      {{8, 3},
       "..####..\n"
       "##....##\n"
       "..####..\n"},
  };
  for (const auto& [size, picture] : bigger) {
    Surface surface(size.w, size.h);
    Rasteriser raster;
    raster.SetTarget(surface.Buffer());
    EXPECT_TRUE(raster.Ellipse({0, 0, size.w, size.h}, kInk));
    raster.Flush();
    EXPECT_EQ(surface.Picture(), picture) << size.w << " x " << size.h;
  }
}

// Whether the inked pixels of `s` form one 8-connected piece.
bool Connected(const Surface& s) {
  std::vector<char> seen(static_cast<size_t>(s.w()) * s.h(), 0);
  std::vector<Point> todo;
  int total = 0, reached = 0;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= s.w() || y >= s.h() || !s.At(x, y)) return;
    char& mark = seen[static_cast<size_t>(y) * s.w() + x];
    if (mark) return;
    mark = 1;
    ++reached;
    todo.push_back({x, y});
  };
  for (int y = 0; y < s.h(); ++y)
    for (int x = 0; x < s.w(); ++x)
      if (s.At(x, y) && ++total == 1) visit(x, y);
  while (!todo.empty()) {
    const Point p = todo.back();
    todo.pop_back();
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) visit(p.x + dx, p.y + dy);
  }
  return reached == total;
}

// How far the pixel centre (x, y) lies from the ideal ellipse through the centres of the outermost
// pixels of a w × h box at the origin (to first order: |F| / |∇F|).
double DistanceFromCurve(int w, int h, int x, int y) {
  const double rx = (w - 1) / 2.0, ry = (h - 1) / 2.0;
  const double px = x - rx, py = y - ry;
  const double f = px * px / (rx * rx) + py * py / (ry * ry) - 1;
  const double gx = 2 * px / (rx * rx), gy = 2 * py / (ry * ry);
  return std::abs(f) / std::sqrt(gx * gx + gy * gy);
}

TEST(Raster, EllipseOutlinesAreSymmetricConnectedAndFollowTheCurve) {
  std::vector<Size> sizes;
  for (int w = 1; w <= 40; ++w)
    for (int h = 1; h <= 40; ++h) sizes.push_back({w, h});
  for (Size s : {Size{301, 299}, Size{640, 427}, Size{97, 512}, Size{1000, 1000}})
    sizes.push_back(s);
  for (const Size size : sizes) {
    SCOPED_TRACE(::testing::Message() << size.w << " x " << size.h);
    Surface surface(size.w, size.h);
    Rasteriser raster;
    raster.SetTarget(surface.Buffer());
    ASSERT_TRUE(raster.Ellipse({0, 0, size.w, size.h}, kInk));
    raster.Flush();
    ASSERT_TRUE(surface.GuardsIntact()) << "outside its box";
    int mismatched = 0;
    for (int y = 0; y < size.h; ++y)
      for (int x = 0; x < size.w; ++x)
        mismatched += surface.At(x, y) != surface.At(size.w - 1 - x, y) ||
                      surface.At(x, y) != surface.At(x, size.h - 1 - y);
    EXPECT_EQ(mismatched, 0) << "not symmetric\n" << surface.Picture();
    EXPECT_TRUE(Connected(surface)) << surface.Picture();
    // GDI leaves the tips of long narrow ellipses open; rounder ones, like the break screen's
    // circles, are closed rings that touch every side of their box and stay within a pixel's
    // reach of the curve.
    if (size.w < 3 || size.h < 3 || 2 * std::max(size.w, size.h) > 3 * std::min(size.w, size.h))
      continue;
    bool top = false, left = false;
    int far_off = 0, loose_ends = 0;
    for (int y = 0; y < size.h; ++y) {
      for (int x = 0; x < size.w; ++x) {
        if (!surface.At(x, y)) continue;
        top |= y == 0;
        left |= x == 0;
        far_off += DistanceFromCurve(size.w, size.h, x, y) > 0.75;
        int neighbours = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            neighbours += (dx || dy) && nx >= 0 && ny >= 0 && nx < size.w && ny < size.h &&
                          surface.At(nx, ny) != 0;
          }
        loose_ends += neighbours < 2;
      }
    }
    EXPECT_TRUE(top && left) << surface.Picture();
    EXPECT_EQ(far_off, 0) << surface.Picture();
    EXPECT_EQ(loose_ends, 0) << surface.Picture();
  }
}

TEST(Raster, ClippedEllipsesShowTheirPartOfTheWholeOutline) {
  const int w = 41, h = 70;  // rows in three bands
  const Rect cases[] = {
      {10, 10, 30, 25},       {-8, 20, 12, 40}, {30, 20, 55, 41},  // inside, left, right
      {5, -9, 25, 11},        {5, 60, 26, 90},                     // top, bottom
      {8, 31, 30, 50},        {8, 40, 30, 65},                     // ends by band boundaries
      {-20, 10, 1, 30},       {40, 10, 61, 30},                    // one column showing
      {-10, -12, 10, 9},      {30, -7, 50, 15},                    // corners
      {-9, 55, 9, 80},        {28, 60, 60, 75},                    //
      {-30, -30, 70, 100},                                         // around the surface
      {-60, 20, -1, 40},      {41, 20, 90, 40},                    // off to each side
      {5, -40, 30, 0},        {5, 70, 30, 95},                     //
      {-1, 30, 1, 80},        {40, -5, 43, 3},                     // slivers on the edges
      {30, 25, 10, 10},       {12, 40, -8, 20},                    // turned round
      {-200, -150, 240, 220},                                      // far bigger
      {-400, 31, 39, 36},                                          // long and flat
      {19, -300, 22, 400},                                         // tall and thin
  };
  for (const Rect& r : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "ellipse " << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom);
    ExpectAsReference(w, h, {Ellipse(r)});
  }
}

TEST(Raster, TheBiggestRingsShowASmoothArc) {
  // Rings of the largest side the rasteriser takes, reaching into the surface from each side.
  const int w = 64, h = 48;
  const Rect rings[] = {
      {w / 2 - kSide, h / 2 - kSide / 2, w / 2, h / 2 + kSide / 2},  // its right side
      {w / 2, h / 2 - kSide / 2, w / 2 + kSide, h / 2 + kSide / 2},  // its left side
      {w / 2 - kSide / 2, h / 2 - kSide, w / 2 + kSide / 2, h / 2},  // its bottom
      {w / 2 - kSide / 2, h / 2, w / 2 + kSide / 2, h / 2 + kSide},  // its top
  };
  for (const Rect& r : rings) {
    SCOPED_TRACE(::testing::Message() << "ring " << r.left << ", " << r.top);
    Surface surface(w, h);
    Rasteriser raster;
    raster.SetTarget(surface.Buffer());
    ASSERT_TRUE(raster.Ellipse(r, kInk));
    raster.Flush();
    EXPECT_TRUE(surface.GuardsIntact());
    int drawn = 0, far_off = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (!surface.At(x, y)) continue;
        ++drawn;
        far_off += DistanceFromCurve(kSide, kSide, x - r.left, y - r.top) > 0.75;
      }
    EXPECT_GE(drawn, std::min(w, h)) << surface.Picture();
    EXPECT_EQ(far_off, 0) << surface.Picture();
    EXPECT_TRUE(Connected(surface)) << surface.Picture();
  }
}

// A small deterministic generator, so that failures repeat.
class Lcg {
 public:
  int Next(int n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<uint64_t>(n));
  }

 private:
  uint64_t state_ = 42;
};

TEST(Raster, LaterShapesCoverEarlierOnesInEveryBand) {
  const int w = 53, h = 150;  // five bands, the last one short
  // By hand: a fill, a steep line across it and the band boundaries, a ring over both, a fill
  // over part of all three.
  ExpectAsReference(w, h,
                    {{Shape::kFill, {0, 20, w, 100}, 0x112233},
                     {Shape::kLine, {5, 0, 40, 149}, 0x445566},
                     {Shape::kEllipse, {2, 25, 50, 90}, 0x778899},
                     {Shape::kFill, {10, 30, 30, 70}, 0xAABBCC},
                     {Shape::kLine, {40, 149, 5, 0}, 0xDDEEFF}});
  Lcg random;
  for (int batch = 0; batch < 60; ++batch) {
    std::vector<Shape> shapes;
    for (int i = 0; i < 12; ++i) {
      const auto kind = static_cast<Shape::Kind>(random.Next(3));
      Rect r{random.Next(w + 40) - 20, random.Next(h + 40) - 20, random.Next(w + 40) - 20,
             random.Next(h + 40) - 20};
      shapes.push_back({kind, r, static_cast<uint32_t>(random.Next(0xFFFFFF) + 1)});
    }
    SCOPED_TRACE(::testing::Message() << "batch " << batch);
    ExpectAsReference(w, h, shapes);
  }
}

TEST(Raster, NothingIsDrawnBeforeFlushAndFlushForgets) {
  Surface surface(8, 6);
  Rasteriser raster;
  raster.SetTarget(surface.Buffer());
  raster.Fill({0, 0, 8, 6}, kInk);
  EXPECT_TRUE(raster.Line({0, 0}, {7, 5}, 0x123456));
  EXPECT_TRUE(raster.Pending());
  EXPECT_EQ(surface.At(3, 3), 0u);
  raster.Flush();
  EXPECT_FALSE(raster.Pending());
  EXPECT_EQ(surface.At(0, 0), 0x123456u);
  EXPECT_EQ(surface.At(7, 0), kInk);
  raster.Flush();  // nothing left to draw
  raster.Fill({0, 0, 8, 6}, 0x0000FF);
  raster.Discard();
  raster.Flush();
  EXPECT_EQ(surface.At(7, 0), kInk);
  // A new target drops what was recorded for the old one.
  Surface other(8, 6);
  raster.Fill({0, 0, 8, 6}, 0x00FF00);
  raster.SetTarget(other.Buffer());
  raster.Flush();
  EXPECT_EQ(surface.At(7, 0), kInk);
  EXPECT_EQ(other.At(7, 0), 0u);
  // No target at all: everything is taken and nothing drawn.
  raster.SetTarget({});
  raster.Fill({0, 0, 8, 6}, kInk);
  EXPECT_TRUE(raster.Line({0, 0}, {7, 5}, kInk));
  EXPECT_TRUE(raster.Ellipse({0, 0, 8, 6}, kInk));
  raster.Flush();
  EXPECT_TRUE(surface.GuardsIntact());
  EXPECT_TRUE(other.GuardsIntact());
}

}  // namespace
}  // namespace tavu
