#pragma once
#include "base/geometry.hpp"

// How windows designed for a fixed size follow the screen: the half-sum (width + height) / 2
// compared with that of an 800 × 600 screen.
namespace tavu {
namespace screen_zoom {
// RoundEven(ScreenZoomFactor(800, 600) × 100): how much larger than 800 × 600 the screen is,
// in percent of the half-sum (width + height) / 2; negative below.
int AutoPercent(Size screen);
// The percent a zoom choice gives (0 "设计尺寸", 1 "自动调节", 2 "自定义..." keeps `current`),
// kept within 0..100 like the settings window's percent bar.
int PercentFor(int choice, int current, Size screen);
// RoundEven(value × (1 + percent / 100)).
int Scale(int value, int percent);
// The font size increment of full-screen texts: AutoPercent div 10 (2 at 1024 × 768).
int FontIncrement(Size screen);
}  // namespace screen_zoom
}  // namespace tavu
