// The ripple surface's step, however it is organised for speed, must give
// the same doubles, bit for bit, as the plain rule: normals from the edge
// vectors of each point, then every interior point's eight springs scattered
// in row order, velocities, heights and the shrink. The reference below is
// that rule written out the straightforward way; the surface and it run side
// by side through drops (at the border too) and are compared after each step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scenes/water/ripple_surface.h"

namespace {

constexpr int n = rippleStorageSize;

struct ReferenceSurface {
  int size = n;
  Vec3d points[n][n];
  Vec3d normals[n][n];
  double forces[n][n];
  double velocities[n][n];

  // normalise(cross(a - p, b - p)), component by component as the rule has it.
  static Vec3d normal(const Vec3d& p, const Vec3d& alongA, const Vec3d& alongB) {
    const double ax = alongA.x - p.x, ay = alongA.y - p.y, az = alongA.z - p.z;
    const double bx = alongB.x - p.x, by = alongB.y - p.y, bz = alongB.z - p.z;
    Vec3d c{ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
    const double length = std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z);
    c.x /= length;
    c.y /= length;
    c.z /= length;
    return c;
  }

  void computeNormals() {
    const int last = size - 1;
    for (int i = 0; i <= last; ++i) {
      for (int j = 0; j <= last; ++j) {
        if (i == 0 && j == last) {
          const Vec3d v = normal(points[0][last], points[0][last - 1], points[1][last]);
          normals[i][j] = Vec3d{-v.x, -v.y, -v.z};
        } else if (i == last && j == 0) {
          normals[i][j] = normal(points[last][0], points[last - 1][0], points[last][1]);
        } else if (i < last && j < last) {
          normals[i][j] = normal(points[i][j], points[i][j + 1], points[i + 1][j]);
        } else {
          normals[i][j] = normal(points[i][j], points[i][j - 1], points[i - 1][j]);
        }
      }
    }
  }

  void applySprings() {
    static const int offsets[8][2] = {{0, -1}, {-1, 0}, {0, 1},   {1, 0},
                                      {1, 1},  {-1, -1}, {1, -1}, {-1, 1}};
    const int last = size - 1;
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) forces[i][j] = 0.0;
    }
    for (int i = 1; i < last; ++i) {
      for (int j = 1; j < last; ++j) {
        for (const auto& o : offsets) {
          const double d = points[i][j].y - points[i + o[0]][j + o[1]].y;
          forces[i][j] -= d;
          forces[i + o[0]][j + o[1]] += d;
        }
      }
    }
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) {
        velocities[i][j] = rippleState.springFactor * forces[i][j] + velocities[i][j];
        double& h = points[i][j].y;
        h = h + velocities[i][j];
        h = h - h / size;
      }
    }
  }

  void step() {
    computeNormals();
    applySprings();
  }

  void copyFrom() {
    size = rippleState.gridSize;
    std::memcpy(points, rippleState.gridPoints, sizeof points);
    std::memcpy(normals, rippleState.gridNormals, sizeof normals);
    std::memcpy(forces, rippleState.gridForces, sizeof forces);
    std::memcpy(velocities, rippleState.gridVelocities, sizeof velocities);
  }
};

class RippleIdentity : public testing::Test {
 protected:
  void TearDown() override {
    rippleState.gridSize = n;
    rippleSurface.initGrid();
  }

  // A surface of the size at rest, the reference a copy of it.
  void startFlat(int size) {
    rippleState.gridSize = size;
    std::memset(rippleState.gridNormals, 0, sizeof rippleState.gridNormals);
    rippleSurface.initGrid();
    reference.copyFrom();
  }

  void drop(int row, int column) {
    rippleSurface.dropAt(row, column);
    reference.copyFrom();  // the drop itself is not under test
  }

  // Steps both and compares every array the step writes, bit for bit.
  void stepAndCompare(int steps) {
    const int size = rippleState.gridSize;
    for (int s = 0; s < steps; ++s) {
      rippleSurface.stepSimulation();
      reference.step();
      for (int i = 0; i < size; ++i) {
        ASSERT_EQ(std::memcmp(rippleState.gridPoints[i], reference.points[i], size * sizeof(Vec3d)), 0)
            << "points, size " << size << ", row " << i << ", step " << s;
        ASSERT_EQ(std::memcmp(rippleState.gridNormals[i], reference.normals[i], size * sizeof(Vec3d)), 0)
            << "normals, size " << size << ", row " << i << ", step " << s;
        ASSERT_EQ(std::memcmp(rippleState.gridForces[i], reference.forces[i], size * sizeof(double)), 0)
            << "forces, size " << size << ", row " << i << ", step " << s;
        ASSERT_EQ(std::memcmp(rippleState.gridVelocities[i], reference.velocities[i], size * sizeof(double)), 0)
            << "velocities, size " << size << ", row " << i << ", step " << s;
      }
    }
  }

  ReferenceSurface reference;
};

TEST_F(RippleIdentity, FullSurfaceThroughDropsInsideAndAtTheBorder) {
  startFlat(n);
  const int drops[][2] = {{40, 60}, {0, 0}, {98, 98}, {0, 97}, {97, 0}, {1, 50}, {50, 1}, {12, 85}};
  for (const auto& d : drops) {
    drop(d[0], d[1]);
    ASSERT_NO_FATAL_FAILURE(stepAndCompare(40));
  }
  // Long enough for the rings to reach the border and come back.
  ASSERT_NO_FATAL_FAILURE(stepAndCompare(200));
}

TEST_F(RippleIdentity, RaisedBorderPointsAndNegativeHeights) {
  startFlat(n);
  rippleState.gridPoints[0][5].y = 1.5;
  rippleState.gridPoints[n - 1][n - 1].y = -2.0;
  rippleState.gridPoints[0][n - 1].y = 0.75;
  rippleState.gridPoints[n - 1][0].y = -0.25;
  rippleState.gridPoints[33][0].y = -1.0;
  rippleState.gridPoints[n - 1][64].y = 3.0;
  reference.copyFrom();
  ASSERT_NO_FATAL_FAILURE(stepAndCompare(60));
}

TEST_F(RippleIdentity, SmallerGridSizes) {
  for (int size : {3, 4, 5, 6, 50}) {
    startFlat(size);
    drop(size / 2 - 1, size / 2 - 1);
    ASSERT_NO_FATAL_FAILURE(stepAndCompare(30));
    drop(0, size - 2);
    ASSERT_NO_FATAL_FAILURE(stepAndCompare(30));
  }
}

}  // namespace
