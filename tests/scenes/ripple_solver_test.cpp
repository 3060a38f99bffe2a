// The ripple solver against numbers worked out by hand: a step after a drop,
// the springs, the normals inside and on the border, drops, and the decay.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/random_value.h"
#include "scenes/water/ripple_surface.h"

namespace {

constexpr int n = rippleStorageSize;

class RippleSolver : public testing::Test {
 protected:
  void SetUp() override {
    rippleState = RippleState{};
    rippleSurface.initGrid();
  }
  static double& height(int i, int j) { return rippleState.gridPoints[i][j].y; }
  // Points at the drop height 2, and the first row and column among them.
  static int raised(int& row, int& column, int size = n) {
    int count = 0;
    row = column = size;
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) {
        if (height(i, j) == 2.0) ++count, row = std::min(row, i), column = std::min(column, j);
      }
    }
    return count;
  }
};

// The 2 x 2 block at 2 pulls each neighbour with its springs (0.08 a unit of
// force, then a shrink by 1/100): a block point keeps 2 - 0.08 * 20 = 0.4,
// 0.396 after the shrink; a point beside two block points gains
// 0.08 * 8 = 0.64 (0.6336); a point touching one diagonally 0.32 (0.3168).
TEST_F(RippleSolver, ADropAt40And60AfterOneStep) {
  rippleSurface.dropAt(40, 60);
  rippleSurface.stepSimulation();
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const int di = i - 40, dj = j - 60;
      const int shared = (di == 0 || di == 1) + (dj == 0 || dj == 1);  // rows, columns shared with the block
      const bool near = di >= -1 && di <= 2 && dj >= -1 && dj <= 2;
      const double expected = !near ? 0.0 : shared == 2 ? 0.396 : shared == 1 ? 0.6336 : 0.3168;
      ASSERT_NEAR(height(i, j), expected, 1e-12) << "point " << i << "," << j;
    }
  }
}

TEST_F(RippleSolver, SpringsPullInteriorPairsTwiceBorderPairsOnceOrNever) {
  height(0, 5) = 1.0;    // a raised border point
  height(50, 50) = 1.0;  // a raised interior point
  rippleSurface.applySprings();
  const auto force = [](int i, int j) { return rippleState.gridForces[i][j]; };
  EXPECT_EQ(force(0, 5), -3.0) << "pulled once by each of its three interior neighbours";
  EXPECT_EQ(force(0, 4), 0.0) << "border neighbours do not pull on each other";
  EXPECT_EQ(force(1, 4), 1.0);
  EXPECT_EQ(force(50, 50), -16.0) << "eight interior neighbours, twice each";
  EXPECT_EQ(force(51, 50), 2.0);
  EXPECT_EQ(force(49, 51), 2.0);
  EXPECT_DOUBLE_EQ(rippleState.gridVelocities[50][50], 0.08 * -16.0);
  EXPECT_DOUBLE_EQ(height(50, 50), (1.0 - 1.28) * 0.99) << "velocity, then height, then the shrink";
  EXPECT_DOUBLE_EQ(height(51, 50), 0.16 * 0.99);
}

// A normal is along (-dh/drow, 1, -dh/dcolumn), from the heights before the
// step; differences look forward inside, back on the last row and column, but
// (0, 99) forward along rows and (99, 0) forward along columns.
TEST_F(RippleSolver, NormalsFollowTheHeightsBeforeTheStep) {
  const double r2 = std::sqrt(2.0), r5 = std::sqrt(5.0);
  const struct {
    int raisedRow, raisedColumn;
    double raise;
    int row, column;
    Vec3d normal;
  } cases[] = {{40, 60, 2, 39, 60, {-2 / r5, 1 / r5, 0}},  {40, 60, 2, 40, 59, {0, 1 / r5, -2 / r5}},
               {40, 60, 2, 40, 60, {2.0 / 3, 1.0 / 3, 2.0 / 3}}, {98, 5, 1, 99, 5, {1 / r2, 1 / r2, 0}},
               {5, 98, 1, 5, 99, {0, 1 / r2, 1 / r2}},       {1, 99, 1, 0, 99, {-1 / r2, 1 / r2, 0}},
               {0, 98, 1, 0, 99, {0, 1 / r2, 1 / r2}},       {99, 1, 1, 99, 0, {0, 1 / r2, -1 / r2}},
               {98, 0, 1, 99, 0, {1 / r2, 1 / r2, 0}},       {98, 99, 1, 99, 99, {1 / r2, 1 / r2, 0}}};
  for (const auto& t : cases) {
    SetUp();
    height(t.raisedRow, t.raisedColumn) = t.raise;
    rippleSurface.stepSimulation();
    const Vec3d& got = rippleState.gridNormals[t.row][t.column];
    const double off = std::fabs(got.x - t.normal.x) + std::fabs(got.y - t.normal.y) + std::fabs(got.z - t.normal.z);
    EXPECT_LT(off, 1e-12) << "normal at " << t.row << "," << t.column << " is (" << got.x << ", " << got.y << ", "
                          << got.z << ")";
  }
}

// A drop sets a 2 x 2 block to 2 (again: replaced, not added) and leaves the
// motion alone; at the edge the block moves inside: a smaller grid inside the
// storage shows any write past its last row or column as a changed point.
TEST_F(RippleSolver, ADropSetsABlockInsideTheGridAndLeavesTheMotionAlone) {
  const struct {
    int row, column, firstRow, firstColumn;
  } cases[] = {{30, 30, 30, 30}, {50, 50, 48, 48}, {49, 0, 48, 0}, {0, 49, 0, 48}, {48, 48, 48, 48}, {49, 50, 48, 48}};
  for (const auto& t : cases) {
    SetUp();
    rippleState.gridSize = 50;
    SCOPED_TRACE(testing::Message() << "drop at " << t.row << "," << t.column);
    rippleSurface.dropAt(t.row, t.column);
    for (int step = 0; step < 5; ++step) rippleSurface.stepSimulation();
    const double velocity = rippleState.gridVelocities[t.firstRow + 1][t.firstColumn + 1];
    ASSERT_NE(velocity, 0.0);
    rippleSurface.dropAt(t.row, t.column);
    rippleSurface.dropAt(t.row, t.column);
    int row, column;
    EXPECT_EQ(raised(row, column, 50), 4);
    EXPECT_EQ(row, t.firstRow);
    EXPECT_EQ(column, t.firstColumn);
    EXPECT_EQ(raised(row, column, n), 4) << "nothing written outside the 50 x 50 grid";
    EXPECT_EQ(rippleState.gridVelocities[t.firstRow + 1][t.firstColumn + 1], velocity);
  }
  rippleState.gridSize = n;
}

TEST_F(RippleSolver, ARandomDropTakesItsRowThenItsColumnFromOneRandValueEach) {
  EXPECT_EQ(RippleSurface::indexFromRandom(0, 99), 0);
  EXPECT_EQ(RippleSurface::indexFromRandom(32766, 99), 99);
  EXPECT_EQ(RippleSurface::indexFromRandom(32767, 99), 100) << "only the top value reaches max + 1";
  std::srand(11);
  const int first = randomValue(), second = randomValue(), third = std::rand();
  std::srand(11);
  rippleSurface.makeDrop();
  int row, column;
  EXPECT_EQ(raised(row, column), 4);
  EXPECT_EQ(row, std::min(RippleSurface::indexFromRandom(first, 99), 98));
  EXPECT_EQ(column, std::min(RippleSurface::indexFromRandom(second, 99), 98));
  EXPECT_EQ(std::rand(), third) << "two rand() calls per drop";
}

TEST_F(RippleSolver, RipplesDieAwayOverThousandsOfSteps) {
  rippleSurface.dropAt(40, 60);
  rippleSurface.dropAt(70, 20);
  rippleSurface.dropAt(0, 50);
  const auto energy = [] {
    double e = 0.0;
    for (int i = 0; i < n * n; ++i) {
      e += std::pow(rippleState.gridVelocities[i / n][i % n], 2) + std::pow(height(i / n, i % n), 2);
    }
    return e;
  };
  const double start = energy();
  double previous = start;
  for (int round = 1; round <= 8; ++round) {
    for (int step = 0; step < 250; ++step) rippleSurface.stepSimulation();
    const double now = energy();
    ASSERT_LT(now, previous) << "after " << round * 250 << " steps";
    previous = now;
  }
  EXPECT_LT(previous, start * 1e-6);
}

}  // namespace
