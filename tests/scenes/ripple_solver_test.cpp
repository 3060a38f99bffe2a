// The ripple surface's solver: the still surface, one step after a drop,
// drops and their placement at the grid's edge, the normals' border rules,
// and the long-run decay.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/random_value.h"
#include "tests/scenes/ripple_fixture.h"

namespace {

using RippleSolver = RippleTest;
constexpr int n = rippleStorageSize;

// Number of points at exactly height h, and their bounding rows/columns.
struct Block {
  int count = 0;
  int minRow = n, maxRow = -1, minColumn = n, maxColumn = -1;
};
Block pointsAt(double h, int size = n) {
  Block b;
  for (int i = 0; i < size; ++i) {
    for (int j = 0; j < size; ++j) {
      if (rippleState.gridPoints[i][j].y != h) continue;
      ++b.count;
      b.minRow = std::min(b.minRow, i);
      b.maxRow = std::max(b.maxRow, i);
      b.minColumn = std::min(b.minColumn, j);
      b.maxColumn = std::max(b.maxColumn, j);
    }
  }
  return b;
}

// Position of the first `value` in the rand() stream after srand(seed).
int firstIndexOf(unsigned seed, int value) {
  std::srand(seed);
  for (int index = 0; index < 10000000; ++index) {
    if (randomValue() == value) return index;
  }
  return -1;
}

// Reseeds and draws `count` values, so the next draw is the one at `count`.
void skipRand(unsigned seed, int count) {
  std::srand(seed);
  for (int i = 0; i < count; ++i) std::rand();
}

TEST_F(RippleSolver, AStillSurfaceStaysFlatWithUnitNormalsAfterTheFirstStep) {
  EXPECT_EQ(normal(50, 50).y, 0.0) << "zero normals until the first step";
  for (int step = 0; step < 50; ++step) rippleSurface.stepSimulation();
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      ASSERT_EQ(height(i, j), 0.0) << i << "," << j;
      ASSERT_EQ(normal(i, j).x, 0.0) << i << "," << j;
      ASSERT_EQ(normal(i, j).y, 1.0) << i << "," << j;
      ASSERT_EQ(normal(i, j).z, 0.0) << i << "," << j;
    }
  }
}

TEST_F(RippleSolver, ADropAt40And60AfterOneStep) {
  rippleSurface.dropAt(40, 60);
  rippleSurface.stepSimulation();
  // Offsets from the block's top-left point (40, 60); the block spans 0..1.
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const int di = i - 40;
      const int dj = j - 60;
      const bool rowIn = di == 0 || di == 1;
      const bool columnIn = dj == 0 || dj == 1;
      const bool rowNear = di >= -1 && di <= 2;
      const bool columnNear = dj >= -1 && dj <= 2;
      double expected = 0.0;
      if (rowIn && columnIn) {
        expected = 0.396;
      } else if ((rowIn && columnNear) || (columnIn && rowNear)) {
        expected = 0.6336;  // beside two block points, one along an axis, one diagonally
      } else if (rowNear && columnNear) {
        expected = 0.3168;  // touches one block point diagonally
      }
      ASSERT_NEAR(height(i, j), expected, 1e-12) << "point " << i << "," << j;
    }
  }
}

TEST_F(RippleSolver, ForcesSumToZeroAndTheMeanVelocityStaysZero) {
  rippleSurface.dropAt(0, 0);
  rippleSurface.dropAt(97, 3);
  rippleSurface.dropAt(50, 98);
  rippleSurface.dropAt(20, 30);
  for (int step = 0; step < 20; ++step) {
    rippleSurface.stepSimulation();
    double forces = 0.0;
    double velocities = 0.0;
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        forces += rippleState.gridForces[i][j];
        velocities += rippleState.gridVelocities[i][j];
      }
    }
    ASSERT_NEAR(forces, 0.0, 1e-9) << "step " << step;
    ASSERT_NEAR(velocities, 0.0, 1e-9) << "step " << step;
  }
}

TEST_F(RippleSolver, SpringsPullInteriorPairsTwiceBorderPairsOnceOrNever) {
  height(0, 5) = 1.0;   // a raised border point
  height(50, 50) = 1.0; // a raised interior point
  rippleSurface.applySprings();
  const auto force = [](int i, int j) { return rippleState.gridForces[i][j]; };
  EXPECT_EQ(force(0, 5), -3.0) << "pulled once by each of its three interior neighbours";
  EXPECT_EQ(force(0, 4), 0.0) << "border neighbours do not pull on each other";
  EXPECT_EQ(force(0, 6), 0.0);
  EXPECT_EQ(force(1, 5), 1.0);
  EXPECT_EQ(force(1, 4), 1.0);
  EXPECT_EQ(force(50, 50), -16.0) << "eight interior neighbours, twice each";
  EXPECT_EQ(force(51, 50), 2.0);
  EXPECT_EQ(force(49, 51), 2.0);
  // Velocity then height then the shrink by one hundredth.
  EXPECT_DOUBLE_EQ(rippleState.gridVelocities[50][50], 0.08 * -16.0);
  EXPECT_DOUBLE_EQ(height(50, 50), (1.0 - 1.28) * 0.99);
  EXPECT_DOUBLE_EQ(height(51, 50), 0.16 * 0.99);
}

TEST_F(RippleSolver, ADropReplacesHeightsAndLeavesTheMotionAlone) {
  rippleSurface.dropAt(30, 30);
  rippleSurface.dropAt(30, 30);
  EXPECT_EQ(height(30, 30), 2.0) << "not 4.0";
  for (int step = 0; step < 5; ++step) rippleSurface.stepSimulation();
  const double velocity = rippleState.gridVelocities[31][31];
  ASSERT_NE(velocity, 0.0);
  rippleSurface.dropAt(30, 30);
  const Block b = pointsAt(2.0);
  EXPECT_EQ(b.count, 4);
  EXPECT_EQ(b.minRow, 30);
  EXPECT_EQ(b.maxRow, 31);
  EXPECT_EQ(b.minColumn, 30);
  EXPECT_EQ(b.maxColumn, 31);
  EXPECT_EQ(rippleState.gridVelocities[31][31], velocity);
}

TEST_F(RippleSolver, RandomIndexScalesOneRandValue) {
  EXPECT_EQ(RippleSurface::indexFromRandom(0, 99), 0);
  EXPECT_EQ(RippleSurface::indexFromRandom(32766, 99), 99);
  EXPECT_EQ(RippleSurface::indexFromRandom(32767, 99), 100);
  std::vector<int> hits(101, 0);
  int previous = 0;
  for (int r = 0; r <= 32767; ++r) {
    const int index = RippleSurface::indexFromRandom(r, 99);
    ASSERT_GE(index, previous);
    previous = index;
    ++hits[index];
  }
  for (int i = 0; i <= 99; ++i) EXPECT_GT(hits[i], 300) << "index " << i;
  EXPECT_EQ(hits[100], 1) << "only 32767 reaches max + 1";

  std::srand(5);
  const int first = randomValue();
  std::srand(5);
  EXPECT_EQ(rippleSurface.randomIndex(99), RippleSurface::indexFromRandom(first, 99));
}

TEST_F(RippleSolver, MakeDropDrawsTheRowThenTheColumn) {
  // Find a seed whose first two values give distinct indices away from the edge.
  unsigned seed = 1;
  int row = 0;
  int column = 0;
  for (; seed < 1000; ++seed) {
    std::srand(seed);
    row = RippleSurface::indexFromRandom(randomValue(), 99);
    column = RippleSurface::indexFromRandom(randomValue(), 99);
    if (row != column && row < 98 && column < 98) break;
  }
  ASSERT_LT(seed, 1000u);
  std::srand(seed);
  std::rand();
  std::rand();
  const int third = std::rand();
  std::srand(seed);
  rippleSurface.makeDrop();
  const Block b = pointsAt(2.0);
  EXPECT_EQ(b.count, 4);
  EXPECT_EQ(b.minRow, row);
  EXPECT_EQ(b.maxRow, row + 1);
  EXPECT_EQ(b.minColumn, column);
  EXPECT_EQ(b.maxColumn, column + 1);
  EXPECT_EQ(std::rand(), third) << "two rand() calls per drop";
}

TEST_F(RippleSolver, DropsAtTheEdgeStayInsideTheGrid) {
  // A smaller grid inside the storage shows any write past its last row or
  // column as a changed point outside it.
  rippleState.gridSize = 50;
  const struct {
    int row, column, firstRow, firstColumn;
  } cases[] = {{50, 50, 48, 48}, {49, 0, 48, 0}, {0, 49, 0, 48}, {48, 48, 48, 48}, {49, 50, 48, 48}};
  for (const auto& t : cases) {
    SetUp();
    rippleState.gridSize = 50;
    rippleSurface.dropAt(t.row, t.column);
    SCOPED_TRACE(testing::Message() << "corner " << t.row << "," << t.column);
    const Block inside = pointsAt(2.0, 50);
    EXPECT_EQ(inside.count, 4);
    EXPECT_EQ(inside.minRow, t.firstRow);
    EXPECT_EQ(inside.minColumn, t.firstColumn);
    EXPECT_EQ(pointsAt(2.0, n).count, 4) << "nothing written outside the 50 x 50 grid";
  }
}

TEST_F(RippleSolver, RandValuesThatReachTheEdgeDropOnTheLastTwoRowsAndColumns) {
  constexpr unsigned seed = 3;
  const int top = firstIndexOf(seed, 32767);
  ASSERT_GE(top, 1);
  // The row drawn from 32767 (index 100).
  skipRand(seed, top);
  rippleSurface.makeDrop();
  Block b = pointsAt(2.0);
  EXPECT_EQ(b.count, 4);
  EXPECT_EQ(b.minRow, 98);
  EXPECT_EQ(b.maxRow, 99);

  // The column drawn from 32767.
  SetUp();
  skipRand(seed, top - 1);
  rippleSurface.makeDrop();
  b = pointsAt(2.0);
  EXPECT_EQ(b.count, 4);
  EXPECT_EQ(b.minColumn, 98);
  EXPECT_EQ(b.maxColumn, 99);
}

// The normal a point should have: along (-gx, 1, -gz), forward differences
// inside, backward on the last row and column, mixed at the two corners.
Vec3d expectedNormal(int i, int j) {
  const int last = n - 1;
  auto h = [](int a, int b) { return rippleState.gridPoints[a][b].y; };
  const bool forwardRows = (i < last && j < last) || (i == 0 && j == last);
  const bool forwardColumns = (i < last && j < last) || (i == last && j == 0);
  const double gx = forwardRows ? h(i + 1, j) - h(i, j) : h(i, j) - h(i - 1, j);
  const double gz = forwardColumns ? h(i, j + 1) - h(i, j) : h(i, j) - h(i, j - 1);
  const double length = std::sqrt(gx * gx + 1.0 + gz * gz);
  return {-gx / length, 1.0 / length, -gz / length};
}

TEST_F(RippleSolver, NormalsFollowTheHeightsIncludingBordersAndCorners) {
  rippleSurface.dropAt(0, 98);
  rippleSurface.dropAt(98, 0);
  rippleSurface.dropAt(98, 98);
  rippleSurface.dropAt(0, 0);
  rippleSurface.dropAt(45, 12);
  for (int step = 0; step < 6; ++step) rippleSurface.stepSimulation();
  height(0, 99) += 0.7;  // make the two odd corners lean
  height(99, 0) -= 0.4;
  rippleSurface.computeNormals();
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const Vec3d e = expectedNormal(i, j);
      const Vec3d& got = normal(i, j);
      ASSERT_GT(got.y, 0.0) << i << "," << j;
      ASSERT_NEAR(got.x, e.x, 1e-12) << i << "," << j;
      ASSERT_NEAR(got.y, e.y, 1e-12) << i << "," << j;
      ASSERT_NEAR(got.z, e.z, 1e-12) << i << "," << j;
    }
  }
}

TEST_F(RippleSolver, AStepTakesItsNormalsFromTheHeightsBeforeIt) {
  rippleSurface.dropAt(40, 60);
  rippleSurface.stepSimulation();
  // (39, 60) looks forward onto the drop at height 2: gx = 2.
  const double root5 = std::sqrt(5.0);
  EXPECT_NEAR(normal(39, 60).x, -2.0 / root5, 1e-12);
  EXPECT_NEAR(normal(39, 60).y, 1.0 / root5, 1e-12);
  EXPECT_NEAR(height(40, 60), 0.396, 1e-12);
}

TEST_F(RippleSolver, RipplesDieAwayOverThousandsOfSteps) {
  rippleSurface.dropAt(40, 60);
  rippleSurface.dropAt(70, 20);
  rippleSurface.dropAt(0, 50);
  // Energy: kinetic plus the springs' potential, summed over the surface.
  auto energy = [] {
    double e = 0.0;
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        const double h = rippleState.gridPoints[i][j].y;
        e += rippleState.gridVelocities[i][j] * rippleState.gridVelocities[i][j] + h * h;
      }
    }
    return e;
  };
  double previous = energy();
  const double start = previous;
  constexpr int window = 250;
  for (int round = 0; round < 8; ++round) {
    for (int step = 0; step < window; ++step) rippleSurface.stepSimulation();
    const double now = energy();
    ASSERT_TRUE(std::isfinite(now));
    EXPECT_LT(now, previous) << "after " << (round + 1) * window << " steps";
    previous = now;
  }
  EXPECT_LT(previous, start * 1e-6);
}

}  // namespace
