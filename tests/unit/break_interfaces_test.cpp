#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fakes.hpp"
#include "recording_canvas.hpp"
#include "windows/break_screen/interfaces.hpp"

namespace tavu {
namespace {

namespace bi = break_interface;
using fake::EllipseCall;
using fake::LineCall;
using fake::RecordingCanvas;

// Keeps the n of every draw, so a test sees which ranges were asked for and in what order.
class CountingRandom : public fake::FakeRandom {
 public:
  int Next(int n) override {
    asked.push_back(n);
    return FakeRandom::Next(n);
  }
  std::vector<int> asked;
};

// A drawn shape as four numbers: a line's end points, or an ellipse's bounds.
struct Shape {
  int a, b, c, d;
  bool operator==(const Shape&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Shape& s) {
  return os << "{" << s.a << ", " << s.b << ", " << s.c << ", " << s.d << "}";
}

struct Drawn {
  Shape shape;
  fake::PenState pen;
};

std::vector<Drawn> Shapes(const RecordingCanvas& canvas) {
  std::vector<Drawn> out;
  for (const fake::CanvasCall& c : canvas.calls) {
    if (auto* l = std::get_if<LineCall>(&c))
      out.push_back({{l->from.x, l->from.y, l->to.x, l->to.y}, l->pen});
    else if (auto* e = std::get_if<EllipseCall>(&c))
      out.push_back({{e->bounds.left, e->bounds.top, e->bounds.right, e->bounds.bottom}, e->pen});
  }
  return out;
}

TEST(BreakInterface, OnlyTheFirstTwoSetAWindowColour) {
  CountingRandom random;
  EXPECT_EQ(BreakInterfaceWindowColor(bi::kPureBlack, random), Rgb(0, 0, 0));
  EXPECT_TRUE(random.asked.empty());

  random.values = {49, 50, 120};  // 50 and 120 show that the channels are drawn below 50
  EXPECT_EQ(BreakInterfaceWindowColor(bi::kDimColour, random), Rgb(49, 0, 20));
  EXPECT_EQ(random.asked, (std::vector<int>{50, 50, 50}));

  random.asked.clear();
  for (int index : {-1, 2, 9, 13, 14})
    EXPECT_EQ(BreakInterfaceWindowColor(index, random), std::nullopt);
  EXPECT_TRUE(random.asked.empty());
}

TEST(BreakInterface, ColourOnlyAndUnknownIndicesPaintNothing) {
  for (int index : {-1, bi::kPureBlack, bi::kDimColour, bi::kCount, 99}) {
    RecordingCanvas canvas;
    CountingRandom random;
    EXPECT_FALSE(IsDrawnBreakInterface(index)) << index;
    DrawBreakInterface(canvas, index, {1024, 768}, random);
    EXPECT_TRUE(canvas.calls.empty()) << index;
    EXPECT_TRUE(random.asked.empty()) << index;
  }
  for (int index = bi::kColourRaster; index <= bi::kSpotlightBottom; ++index)
    EXPECT_TRUE(IsDrawnBreakInterface(index)) << index;
}

// Every pattern fed the draws 11, 22, 33 and then zeros: the first colour comes from those three
// (ripples add 15 to each channel of a draw below 30); later centres and colours are all zero.
TEST(BreakInterface, EachPatternDrawsItsShapesFromEdgeToEdge) {
  struct Case {
    const char* name;
    int index;
    Size size;
    size_t lines, ellipses;
    Shape first, last;
    Color first_pen;
    bool one_colour;   // every shape in the first pen
    bool brush_clear;  // leaves the brush clear; otherwise does not touch it
    std::vector<int> first_asks;
    size_t asks;
  };
  const Color c = Rgb(11, 22, 33);
  // clang-format off
  const Case cases[] = {
      {"raster", bi::kColourRaster, {1024, 768}, 128, 0, {2, 0, 2, 768}, {1018, 0, 1018, 768}, c, false, false, {255, 255, 255, 255}, 384},
      {"raster 1366", bi::kColourRaster, {1366, 768}, 171, 0, {2, 0, 2, 768}, {1362, 0, 1362, 768}, c, false, false, {255, 255, 255}, 513},
      {"blinds", bi::kBlinds, {1024, 768}, 96, 0, {0, 2, 1024, 2}, {0, 762, 1024, 762}, c, true, false, {75, 75, 75}, 3},
      // 1050 = 2 + 131 × 8: the last blind stops short of the window's bottom edge.
      {"blinds 1050", bi::kBlinds, {1680, 1050}, 131, 0, {0, 2, 1680, 2}, {0, 1042, 1680, 1042}, c, true, false, {75, 75, 75}, 3},
      {"centre light", bi::kCentreLight, {1024, 768}, 216, 0, {512, 384, 0, 0}, {512, 384, 1024, 756}, c, true, true, {75, 75, 75}, 3},
      {"centre light 1366", bi::kCentreLight, {1366, 768}, 258, 0, {683, 384, 0, 0}, {683, 384, 1366, 756}, c, true, true, {75, 75, 75}, 3},
      {"diagonal net", bi::kDiagonalNet, {1024, 768}, 412, 0, {0, 0, 1024, 1024}, {1024, 1020, 1020, 1024}, c, true, false, {75, 75, 75}, 3},
      {"diagonal net 1366", bi::kDiagonalNet, {1366, 768}, 548, 0, {0, 0, 1366, 1366}, {1366, 1360, 1360, 1366}, c, true, false, {75, 75, 75}, 3},
      // A portrait screen: the square grows to the height, so the bottom is covered too.
      {"diagonal net portrait", bi::kDiagonalNet, {768, 1024}, 412, 0, {0, 0, 1024, 1024}, {1024, 1020, 1020, 1024}, c, true, false, {75, 75, 75}, 3},
      {"square grid", bi::kSquareGrid, {1024, 768}, 224, 0, {2, 0, 2, 768}, {1018, 0, 1018, 768}, c, true, false, {75, 75, 75}, 3},
      // ...while the grid includes it.
      {"square grid 1050", bi::kSquareGrid, {1680, 1050}, 210 + 132, 0, {2, 0, 2, 1050}, {1674, 0, 1674, 1050}, c, true, false, {75, 75, 75}, 3},
      {"square grid portrait", bi::kSquareGrid, {768, 1024}, 224, 0, {2, 0, 2, 1024}, {0, 1018, 768, 1018}, c, true, false, {75, 75, 75}, 3},
      {"one wave source", bi::kWavesOneSource, {1024, 768}, 0, 160, {-2, -2, 2, 2}, {-1274, -1274, 1274, 1274}, Rgb(26, 37, 18), true, true, {30, 30, 30, 1024, 768}, 5},
      {"three wave sources", bi::kWavesThreeSources, {1024, 768}, 0, 160 + 40 + 18, {-2, -2, 2, 2}, {-1226, -1226, 1226, 1226}, Rgb(26, 37, 18), false, true, {30, 30, 30, 1024, 768, 60, 60, 60, 1024, 768, 90}, 15},
      {"soap bubbles", bi::kSoapBubbles, {1024, 768}, 0, 160, {-6, -6, 6, 6}, {-6, -6, 6, 6}, c, false, true, {75, 75, 75, 1024, 768, 40, 75}, 960},
      {"spotlight left", bi::kSpotlightLeft, {1024, 768}, 216, 0, {10, 384, 0, 0}, {10, 384, 1024, 756}, c, true, true, {75, 75, 75}, 3},
      {"spotlight right", bi::kSpotlightRight, {1024, 768}, 216, 0, {1014, 384, 0, 0}, {1014, 384, 1024, 756}, c, true, true, {75, 75, 75}, 3},
      {"spotlight top", bi::kSpotlightTop, {1024, 768}, 216, 0, {512, 10, 0, 0}, {512, 10, 1024, 756}, c, true, true, {75, 75, 75}, 3},
      {"spotlight bottom", bi::kSpotlightBottom, {1024, 768}, 216, 0, {512, 758, 0, 0}, {512, 758, 1024, 756}, c, true, true, {75, 75, 75}, 3},
  };
  // clang-format on
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    RecordingCanvas canvas;
    CountingRandom random;
    random.values = {11, 22, 33};
    DrawBreakInterface(canvas, k.index, k.size, random);

    EXPECT_EQ(canvas.Only<LineCall>().size(), k.lines);
    EXPECT_EQ(canvas.Only<EllipseCall>().size(), k.ellipses);
    const std::vector<Drawn> shapes = Shapes(canvas);
    ASSERT_FALSE(shapes.empty());
    EXPECT_EQ(shapes.front().shape, k.first);
    EXPECT_EQ(shapes.back().shape, k.last);
    EXPECT_EQ(shapes.front().pen.color, k.first_pen);
    for (const Drawn& d : shapes) {
      ASSERT_EQ(d.pen.width, 1);
      if (k.one_colour) {
        ASSERT_EQ(d.pen.color, k.first_pen);
      }
    }
    if (k.brush_clear) {
      EXPECT_EQ(canvas.brush, std::nullopt);
      for (const EllipseCall& e : canvas.Only<EllipseCall>()) ASSERT_EQ(e.brush, std::nullopt);
    } else {
      EXPECT_TRUE(canvas.Only<fake::BrushCall>().empty());
    }
    ASSERT_GE(random.asked.size(), k.first_asks.size());
    EXPECT_EQ(std::vector<int>(random.asked.begin(), random.asked.begin() + k.first_asks.size()),
              k.first_asks);
    EXPECT_EQ(random.asked.size(), k.asks);
  }
}

TEST(BreakInterface, RayFansRunFromTheirSourceToEveryEdgePoint) {
  const std::pair<int, Point> fans[] = {{bi::kCentreLight, {683, 384}},
                                        {bi::kSpotlightLeft, {10, 384}},
                                        {bi::kSpotlightRight, {1356, 384}},
                                        {bi::kSpotlightTop, {683, 10}},
                                        {bi::kSpotlightBottom, {683, 758}}};
  for (const auto& [index, origin] : fans) {
    SCOPED_TRACE(index);
    RecordingCanvas canvas;
    fake::FakeRandom random;
    DrawBreakInterface(canvas, index, {1366, 768}, random);
    // 16 px apart along the top and bottom edges, in pairs; then 18 px down both sides.
    std::vector<Point> ends;
    for (int x = 0; x <= 1366; x += 16) ends.insert(ends.end(), {{x, 0}, {x, 768}});
    for (int y = 0; y <= 768; y += 18) ends.insert(ends.end(), {{0, y}, {1366, y}});
    std::vector<Point> drawn;
    for (const LineCall& l : canvas.Only<LineCall>()) {
      ASSERT_EQ(l.from, origin);
      drawn.push_back(l.to);
    }
    EXPECT_EQ(drawn, ends);
  }
}

// Both families of 45-degree lines, 10 px apart, over a square of the larger window side.
TEST(BreakInterface, DiagonalNetIsTwoFamiliesOfDiagonalsTenPixelsApart) {
  for (Size size : {Size{1024, 768}, Size{768, 1024}}) {
    SCOPED_TRACE(size.w);
    RecordingCanvas canvas;
    fake::FakeRandom random;
    DrawBreakInterface(canvas, bi::kDiagonalNet, size, random);
    std::vector<int> falling, rising;  // x - y of each falling line, x + y of each rising one
    auto on_border = [](Point p) { return p.x == 0 || p.x == 1024 || p.y == 0 || p.y == 1024; };
    for (const LineCall& l : canvas.Only<LineCall>()) {
      const int dx = l.to.x - l.from.x, dy = l.to.y - l.from.y;
      ASSERT_EQ(std::abs(dx), std::abs(dy));
      ASSERT_TRUE(on_border(l.from) && on_border(l.to));
      if (dx * dy > 0)
        falling.push_back(l.from.x - l.from.y);
      else
        rising.push_back(l.from.x + l.from.y);
    }
    std::vector<int> want_falling, want_rising;
    for (int k = 0; k <= 1020; k += 10) {
      want_falling.insert(want_falling.end(), {k, -k});
      want_rising.insert(want_rising.end(), {1024 - k, 1024 + k});
    }
    std::sort(falling.begin(), falling.end());
    std::sort(rising.begin(), rising.end());
    std::sort(want_falling.begin(), want_falling.end());
    std::sort(want_rising.begin(), want_rising.end());
    EXPECT_EQ(falling, want_falling);
    EXPECT_EQ(rising, want_rising);
  }
}

TEST(BreakInterface, RasterGivesEachLineItsOwnColour) {
  RecordingCanvas canvas;
  fake::FakeRandom random;
  random.values = {1, 2, 3, 254, 255, 300, 7, 8, 9};
  DrawBreakInterface(canvas, bi::kColourRaster, {1024, 768}, random);
  const std::vector<LineCall> lines = canvas.Only<LineCall>();
  ASSERT_EQ(lines.size(), 128u);
  EXPECT_EQ(lines[0].pen.color, Rgb(1, 2, 3));
  EXPECT_EQ(lines[1].pen.color, Rgb(254, 0, 45));
  EXPECT_EQ(lines[2].pen.color, Rgb(7, 8, 9));
  EXPECT_EQ(lines[3].pen.color, Rgb(0, 0, 0));
  EXPECT_EQ(lines[1].from, (Point{10, 0}));
}

TEST(BreakInterface, RipplesReachTheFarthestCornerWithRingsFartherApartPerSource) {
  RecordingCanvas canvas;
  fake::FakeRandom random;
  // Colour, then centre, for each source in turn.
  random.values = {5, 6, 7, 300, 8, 40, 50, 59, 1000, 700, 1, 2, 89, 512, 384};
  DrawBreakInterface(canvas, bi::kWavesThreeSources, {1024, 768}, random);

  struct Source {
    Color color;
    Point centre;
    int step, rings;
  };
  // (300, 8): the farthest corner is 1049.66 away, which rounds to 1050, the last ring's radius.
  // (1000, 700): 1220.66 away, last ring 1218. (512, 384): exactly 640 away, last ring 578.
  const Source expected[] = {{Rgb(20, 21, 22), {300, 8}, 8, 132},
                             {Rgb(55, 65, 74), {1000, 700}, 32, 39},
                             {Rgb(16, 17, 104), {512, 384}, 72, 9}};
  const std::vector<EllipseCall> rings = canvas.Only<EllipseCall>();
  size_t at = 0;
  for (const Source& s : expected) {
    SCOPED_TRACE(s.step);
    for (int n = 0; n < s.rings; ++n, ++at) {
      ASSERT_LT(at, rings.size());
      const int r = 2 + n * s.step;
      ASSERT_EQ(rings[at].bounds,
                (Rect{s.centre.x - r, s.centre.y - r, s.centre.x + r, s.centre.y + r}));
      ASSERT_EQ(rings[at].pen.color, s.color);
    }
  }
  EXPECT_EQ(at, rings.size());
}

TEST(BreakInterface, BubblesTakeColourThenCentreThenRadius) {
  RecordingCanvas canvas;
  fake::FakeRandom random;
  random.values = {1, 2, 3, 500, 600, 39, 74, 75, 76, 1023, 767, 40};
  DrawBreakInterface(canvas, bi::kSoapBubbles, {1024, 768}, random);
  const std::vector<EllipseCall> bubbles = canvas.Only<EllipseCall>();
  ASSERT_EQ(bubbles.size(), 160u);
  EXPECT_EQ(bubbles[0].bounds, (Rect{500 - 45, 600 - 45, 500 + 45, 600 + 45}));
  EXPECT_EQ(bubbles[0].pen.color, Rgb(1, 2, 3));
  EXPECT_EQ(bubbles[1].bounds, (Rect{1023 - 6, 767 - 6, 1023 + 6, 767 + 6}));
  EXPECT_EQ(bubbles[1].pen.color, Rgb(74, 0, 1));
}

}  // namespace
}  // namespace tavu
