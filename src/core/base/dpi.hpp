#pragma once
#include <cstdint>

#include "base/geometry.hpp"

// Dots per inch: windows are designed in pixels of a 96-dpi screen and shown on screens of other
// densities, each window at the density of the monitor it is on.
namespace tavu::dpi {

inline constexpr int kDesign = 96;
inline constexpr int kPointsPerInch = 72;

// v × num / den rounded to nearest, halves away from zero: the Windows MulDiv rule, so that the
// views and the core agree to the pixel. A density that is not positive counts as 96.
constexpr int MulDivRound(int v, int num, int den) {
  if (den <= 0) den = kDesign;
  const int64_t p = static_cast<int64_t>(v) * num;
  const int64_t half = den / 2;
  return static_cast<int>(p >= 0 ? (p + half) / den : -((-p + half) / den));
}

constexpr int Valid(int dpi) { return dpi > 0 ? dpi : kDesign; }

// Design pixels to the pixels of a screen of `dpi`, and back.
constexpr int ToDevice(int design, int dpi) { return MulDivRound(design, Valid(dpi), kDesign); }
constexpr int ToDesign(int device, int dpi) { return MulDivRound(device, kDesign, Valid(dpi)); }

// A font's height in pixels at `dpi` from its size in points.
constexpr int PointsToPixels(int points, int dpi) {
  return MulDivRound(points, Valid(dpi), kPointsPerInch);
}

// Each edge on its own, so that adjacent rectangles stay adjacent.
constexpr Rect ToDevice(const Rect& r, int dpi) {
  return {ToDevice(r.left, dpi), ToDevice(r.top, dpi), ToDevice(r.right, dpi),
          ToDevice(r.bottom, dpi)};
}
constexpr Rect ToDesign(const Rect& r, int dpi) {
  return {ToDesign(r.left, dpi), ToDesign(r.top, dpi), ToDesign(r.right, dpi),
          ToDesign(r.bottom, dpi)};
}

}  // namespace tavu::dpi
