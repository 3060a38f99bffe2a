// Angles that turn for as long as the program runs stay within one turn.
#include <gtest/gtest.h>

#include "platform/turn_angle.h"

TEST(AdvanceAngle, StaysWithinOneTurnAndKeepsTheAngleModuloATurn) {
  const struct {
    float angle;
    double step;
    float expected;
  } rows[] = {{10.0f, 0.5, 10.5f}, {350.0f, 20.0, 10.0f}, {0.0f, 360.0, 0.0f}, {359.0f, 720.5, 359.5f},
              {0.0f, 359.99999, 0.0f}};  // just short of a turn, which rounds to 360 as a float
  for (const auto& row : rows) {
    const float got = advanceAngle(row.angle, row.step);
    EXPECT_FLOAT_EQ(got, row.expected) << row.angle << " + " << row.step;
    EXPECT_TRUE(got >= 0.0f && got < 360.0f) << row.angle << " + " << row.step << ": " << got;
  }
}
