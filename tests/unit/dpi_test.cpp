#include <gtest/gtest.h>

#include "base/dpi.hpp"

namespace tavu {
namespace {

// The Windows rule, rounded halves away from zero, on both sides of the primary monitor's
// origin (a monitor to its left has negative coordinates).
TEST(Dpi, ScalesAsWindowsMulDivDoes) {
  const struct {
    int design, dpi, device;
  } cases[] = {
      {1, 144, 2},      {3, 144, 5},
      {-1, 144, -2},    {-3, 144, -5},
      {1, 120, 1},      {2, 120, 3},
      {-2, 120, -3},    {645, 144, 968},
      {447, 192, 894},  {420, 168, 735},
      {100, 96, 100},   {100, 0, 100},
      {100, -144, 100}, {1'000'000, 288, 3'000'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.design << " at " << c.dpi);
    EXPECT_EQ(dpi::ToDevice(c.design, c.dpi), c.device);
  }
  EXPECT_EQ(dpi::ToDesign(-5, 144), -3);
  EXPECT_EQ(dpi::ToDesign(5, 144), 3);
  EXPECT_EQ(dpi::ToDesign(968, 144), 645);
  EXPECT_EQ(dpi::ToDesign(100, 0), 100);
}

// What a view measures and hands back to its presenter (a label's width, a moved frame) comes
// back as the same design pixels it would be shown at: no creep at any density of 96 or more.
TEST(Dpi, DeviceAndBackIsTheSameDesignPixel) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int v = -3000; v <= 3000; ++v) {
      if (dpi::ToDesign(dpi::ToDevice(v, dpi), dpi) != v) {
        ADD_FAILURE() << v << " at " << dpi;
        return;
      }
    }
  }
}

TEST(Dpi, PointsFollowTheDensity) {
  const struct {
    int points, dpi, pixels;
  } cases[] = {{9, 96, 12}, {9, 144, 18}, {10, 120, 17}, {24, 96, 32}, {24, 192, 64}, {9, 0, 12}};
  for (const auto& c : cases) EXPECT_EQ(dpi::PointsToPixels(c.points, c.dpi), c.pixels);
}

}  // namespace
}  // namespace tavu
