#pragma once
#include <optional>

#include "base/geometry.hpp"
#include "gfx/canvas.hpp"
#include "ports/shell.hpp"

namespace tavu {

// The break screen's backgrounds, by their index in the BreakInterface list.
namespace break_interface {
inline constexpr int kPureBlack = 0;
inline constexpr int kDimColour = 1;
inline constexpr int kColourRaster = 2;
inline constexpr int kBlinds = 3;
inline constexpr int kCentreLight = 4;
inline constexpr int kDiagonalNet = 5;
inline constexpr int kSquareGrid = 6;
inline constexpr int kWavesOneSource = 7;
inline constexpr int kWavesThreeSources = 8;
inline constexpr int kSoapBubbles = 9;
inline constexpr int kSpotlightLeft = 10;
inline constexpr int kSpotlightRight = 11;
inline constexpr int kSpotlightTop = 12;
inline constexpr int kSpotlightBottom = 13;
inline constexpr int kCount = 14;
}  // namespace break_interface

// The two colour-only backgrounds set the window colour once, at creation: black, or a dim
// colour drawn from `random`. Nothing for any other index (the window stays black).
std::optional<Color> BreakInterfaceWindowColor(int index, Random& random);

// Whether `index` is drawn by the paint handler (2..13); -1 and unknown indices draw nothing.
bool IsDrawnBreakInterface(int index);

// Draws one fresh random pattern of a drawn interface over a `size` window whose background is
// already painted; does nothing for the others. Every line is 1 px. The ray fans, ripples and
// bubbles leave the brush clear; the other patterns leave it as it was.
void DrawBreakInterface(Canvas& canvas, int index, Size size, Random& random);

}  // namespace tavu
