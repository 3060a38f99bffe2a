// The frame-rate title, once a second, also across the millisecond clock's wrap.
#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"

TEST(FrameRate, TheTitleShowsTheFramesOfTheLastSecondOnceASecond) {
  const std::string prefix = "Kesh Valdrune by Halvorsk       [ FPS: ";
  const struct {
    const char* when;
    uint32_t lastTitle, frames, now;
    bool updates;
    const char* rate;
  } cases[] = {
      {"the first frame", 0, 0, 5000, true, "0"},
      {"999 ms on", 5000, 98, 5999, false, ""},
      {"a second on", 5000, 99, 6000, true, "99"},
      {"999 ms across the wrap", 0xFFFFFF00u, 41, 0x2E7u, false, ""},
      {"a second across the wrap", 0xFFFFFF00u, 41, 0x2E8u, true, "41"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.when);
    FrameRateCounter counter;
    counter.lastTitleTime = t.lastTitle;
    counter.frameCount = t.frames;
    char title[titleBufferSize] = "";
    ASSERT_EQ(countFrame(counter, t.now, title), t.updates);
    EXPECT_EQ(counter.frameCount, t.updates ? 0u : t.frames + 1) << "the updating frame not counted";
    EXPECT_EQ(counter.lastTitleTime, t.updates ? t.now : t.lastTitle);
    EXPECT_EQ(std::string(title), t.updates ? prefix + t.rate + " ]" : "");
  }
}
