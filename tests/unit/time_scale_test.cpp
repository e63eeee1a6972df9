#include <gtest/gtest.h>

#include "base/time_scale.hpp"

namespace tavu {
namespace {

TEST(TimeScale, OnlyAWholeNumberUpTo3600Counts) {
  const std::pair<const char*, int> cases[] = {
      {nullptr, 1}, {"", 1},   {"60", 60}, {"3600", 3600}, {"3601", 1},
      {"0", 1},     {"-5", 1}, {"6x", 1},  {" 6", 1},      {"99999999999", 1},
  };
  for (auto [text, scale] : cases) EXPECT_EQ(ParseTimeScale(text), scale) << (text ? text : "null");
}

TEST(TimeScale, UnscaledTheWallClockIsTheSystemsOwnAndFollowsAClockChange) {
  const TimeScale t(1, 1'000, 50'000'000, 1);
  // Ten seconds later the system clock was set an hour back: the program follows it.
  EXPECT_EQ(t.Wall(11'000, 50'010'000 - 3'600'000), 46'410'000u);
  EXPECT_EQ(t.Tick(11'000), 11'000u);
  EXPECT_EQ(t.Interval(60'000), 60'000u);
}

TEST(TimeScale, ScaledEverySourceRunsFasterFromTheStart) {
  const TimeScale t(60, 1'000, 50'000, 10);
  EXPECT_EQ(t.Tick(2'000), 61'000u);
  EXPECT_EQ(t.Tick(500), 0u);  // before the start, never below 0
  EXPECT_EQ(t.Wall(2'000, 0), 50'000u + 60'000u * 10);
  EXPECT_EQ(t.Interval(60'000), 1'000u);
  EXPECT_EQ(t.Interval(10), 1u);
}

}  // namespace
}  // namespace tavu
