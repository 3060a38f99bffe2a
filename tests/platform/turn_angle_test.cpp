// Angles that turn for as long as the program runs stay within one turn.
#include <gtest/gtest.h>

#include "platform/turn_angle.h"

TEST(AdvanceAngle, StaysWithinOneTurnAndKeepsTheAngleModuloATurn) {
  const struct {
    float angle;
    double step;
    float expected;
  } rows[] = {
      {10.0f, 0.5, 10.5f},       // no wrap: the plain float sum
      {350.0f, 20.0, 10.0f},     // past a turn: wrapped
      {0.0f, 360.0, 0.0f},       // exactly a turn
      {0.0f, 359.99999, 0.0f},   // just short of a turn, which rounds to 360 as a float
      {359.0f, 720.5, 359.5f},   // more than one turn in a step
  };
  for (const auto& row : rows) {
    const float got = advanceAngle(row.angle, row.step);
    EXPECT_FLOAT_EQ(got, row.expected) << row.angle << " + " << row.step;
    EXPECT_GE(got, 0.0f) << row.angle << " + " << row.step;
    EXPECT_LT(got, 360.0f) << row.angle << " + " << row.step;
  }
}
