// The frame-rate title: formatted at most once a second from an unsigned
// millisecond difference, so a clock that wraps around still works.
#include <gtest/gtest.h>

#include <cstring>

#include "app/frame.h"

namespace {

TEST(FrameRate, FirstFrameShowsZeroThenTheFramesOfTheLastSecond) {
  FrameRateCounter counter;
  char title[titleBufferSize] = "";
  ASSERT_TRUE(countFrame(counter, 5000, title));
  EXPECT_STREQ(title, "Kesh Valdrune by Halvorsk       [ FPS: 0 ]");
  for (uint32_t t = 5010; t < 6000; t += 10) EXPECT_FALSE(countFrame(counter, t, title));
  EXPECT_EQ(counter.frameCount, 99u);
  ASSERT_TRUE(countFrame(counter, 6000, title));
  EXPECT_STREQ(title, "Kesh Valdrune by Halvorsk       [ FPS: 99 ]");
  EXPECT_EQ(counter.frameCount, 0u) << "the frame that updates the title is not counted";
  EXPECT_EQ(counter.lastTitleTime, 6000u);
}

TEST(FrameRate, AWrappingClockStillGivesTheRightInterval) {
  FrameRateCounter counter;
  counter.lastTitleTime = 0xFFFFFF00u;
  counter.frameCount = 41;
  char title[titleBufferSize] = "";
  EXPECT_FALSE(countFrame(counter, 0x000002E7u, title)) << "999 ms across the wrap";
  EXPECT_TRUE(countFrame(counter, 0x000002E8u, title)) << "1000 ms across the wrap";
  EXPECT_STREQ(title, "Kesh Valdrune by Halvorsk       [ FPS: 42 ]");
}

TEST(FrameRate, TheTitleFitsItsBufferForAnyRate) {
  FrameRateCounter counter;
  counter.frameCount = 4000000000u;
  char title[titleBufferSize];
  std::memset(title, 'x', sizeof title);
  ASSERT_TRUE(countFrame(counter, 1000, title));
  EXPECT_LT(std::strlen(title), sizeof title);
  EXPECT_EQ(std::strncmp(title, "Kesh Valdrune by Halvorsk       [ FPS: ", 39), 0);
}

}  // namespace
