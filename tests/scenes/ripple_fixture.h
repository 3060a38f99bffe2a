// Shared set-up for the ripple tests: a flat surface of size 100 at rest with
// zero normals, as static start-up leaves it.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "scenes/water/ripple_surface.h"

class RippleTest : public testing::Test {
 protected:
  void SetUp() override {
    RippleSurface::gridSize = rippleStorageSize;
    std::memset(RippleSurface::gridPoints, 0, sizeof RippleSurface::gridPoints);
    std::memset(RippleSurface::gridNormals, 0, sizeof RippleSurface::gridNormals);
    rippleSurface.initGrid();
  }
  void TearDown() override { RippleSurface::gridSize = rippleStorageSize; }

  static double& height(int i, int j) { return RippleSurface::gridPoints[i][j].y; }
  static const Vec3d& normal(int i, int j) { return RippleSurface::gridNormals[i][j]; }
};
