#pragma once
#include <cstdint>

namespace tavu {

struct Size {
  int w = 0;
  int h = 0;
  bool operator==(const Size&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// 0x00BBGGRR; values with the top bit set name a system colour (index in the low byte).
using Color = uint32_t;
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr Color kSystemColorFlag = 0x80000000u;
constexpr Color SystemColor(uint8_t index) { return kSystemColorFlag | index; }
constexpr bool IsSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }

// System colour indices (as the Windows API numbers them).
constexpr uint8_t kSysColorActiveCaption = 2;
constexpr uint8_t kSysColorWindow = 5;
constexpr uint8_t kSysColorInactiveCaptionText = 19;

constexpr Color kGray = Rgb(128, 128, 128);
constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kRed = Rgb(255, 0, 0);

}  // namespace tavu
