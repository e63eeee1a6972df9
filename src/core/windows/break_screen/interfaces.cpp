#include "windows/break_screen/interfaces.hpp"

#include <algorithm>
#include <cmath>

#include "base/rounding.hpp"

namespace tavu {
namespace {

namespace bi = break_interface;

// Red, green and blue drawn one after the other, each base + Random(n).
Color RandomColor(Random& random, int n, int base = 0) {
  const int r = base + random.Next(n);
  const int g = base + random.Next(n);
  const int b = base + random.Next(n);
  return Rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

void ColourRaster(Canvas& c, Size s, Random& random) {
  for (int x = 2; x < s.w; x += 8) {
    c.SetPen(RandomColor(random, 255), 1);
    c.Line({x, 0}, {x, s.h});
  }
}

void Blinds(Canvas& c, Size s, Random& random) {
  c.SetPen(RandomColor(random, 75), 1);
  for (int y = 2; y < s.h; y += 8) c.Line({0, y}, {s.w, y});
}

void RayFan(Canvas& c, Size s, Random& random, Point from) {
  c.SetPen(RandomColor(random, 75), 1);
  c.SetBrush(std::nullopt);
  for (int x = 0; x <= s.w; x += 16) {
    c.Line(from, {x, 0});
    c.Line(from, {x, s.h});
  }
  for (int y = 0; y <= s.h; y += 18) {
    c.Line(from, {0, y});
    c.Line(from, {s.w, y});
  }
}

// Lines at 45 degrees both ways over a square from the top-left corner. Its side is the
// larger window side, so a portrait screen is covered to the bottom as well.
void DiagonalNet(Canvas& c, Size s, Random& random) {
  c.SetPen(RandomColor(random, 75), 1);
  const int e = std::max(s.w, s.h);
  for (int k = 0; k <= e; k += 10) {
    c.Line({k, 0}, {e, e - k});
    c.Line({0, k}, {e - k, e});
    c.Line({e - k, 0}, {0, e - k});
    c.Line({e, k}, {k, e});
  }
}

// Runs over the larger side so that a portrait screen gets horizontal lines to the bottom.
void SquareGrid(Canvas& c, Size s, Random& random) {
  c.SetPen(RandomColor(random, 75), 1);
  const int e = std::max(s.w, s.h);
  for (int k = 2; k <= e; k += 8) {
    if (k <= s.w) c.Line({k, 0}, {k, s.h});
    if (k <= s.h) c.Line({0, k}, {s.w, k});
  }
}

void Circle(Canvas& c, Point centre, int r) {
  c.Ellipse({centre.x - r, centre.y - r, centre.x + r, centre.y + r});
}

// Source i's rings are 8·i² apart and reach the farthest corner of the window.
void Ripple(Canvas& c, Size s, Random& random, int sources) {
  c.SetBrush(std::nullopt);
  for (int i = 1; i <= sources; ++i) {
    c.SetPen(RandomColor(random, 30 * i, 15), 1);
    const Point centre{random.Next(s.w), random.Next(s.h)};
    const double dx = std::max(centre.x, s.w - centre.x);
    const double dy = std::max(centre.y, s.h - centre.y);
    const int64_t reach = RoundEven(std::sqrt(dx * dx + dy * dy));
    for (int r = 2; r <= reach; r += 8 * i * i) Circle(c, centre, r);
  }
}

void SoapBubbles(Canvas& c, Size s, Random& random) {
  c.SetBrush(std::nullopt);
  for (int n = 0; n < 160; ++n) {
    c.SetPen(RandomColor(random, 75), 1);
    const Point centre{random.Next(s.w), random.Next(s.h)};
    Circle(c, centre, 6 + random.Next(40));
  }
}

}  // namespace

std::optional<Color> BreakInterfaceWindowColor(int index, Random& random) {
  if (index == bi::kPureBlack) return Rgb(0, 0, 0);
  if (index == bi::kDimColour) return RandomColor(random, 50);
  return std::nullopt;
}

bool IsDrawnBreakInterface(int index) { return index > bi::kDimColour && index < bi::kCount; }

void DrawBreakInterface(Canvas& canvas, int index, Size size, Random& random) {
  const int w = size.w, h = size.h;
  switch (index) {
    case bi::kColourRaster:
      return ColourRaster(canvas, size, random);
    case bi::kBlinds:
      return Blinds(canvas, size, random);
    case bi::kCentreLight:
      return RayFan(canvas, size, random, {w / 2, h / 2});
    case bi::kDiagonalNet:
      return DiagonalNet(canvas, size, random);
    case bi::kSquareGrid:
      return SquareGrid(canvas, size, random);
    case bi::kWavesOneSource:
      return Ripple(canvas, size, random, 1);
    case bi::kWavesThreeSources:
      return Ripple(canvas, size, random, 3);
    case bi::kSoapBubbles:
      return SoapBubbles(canvas, size, random);
    case bi::kSpotlightLeft:
      return RayFan(canvas, size, random, {10, h / 2});
    case bi::kSpotlightRight:
      return RayFan(canvas, size, random, {w - 10, h / 2});
    case bi::kSpotlightTop:
      return RayFan(canvas, size, random, {w / 2, 10});
    case bi::kSpotlightBottom:
      return RayFan(canvas, size, random, {w / 2, h - 10});
    default:
      return;  // colour-only, none selected (-1) or unknown
  }
}

}  // namespace tavu
