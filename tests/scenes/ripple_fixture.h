// Shared set-up for the ripple tests: a flat surface of size 100 at rest with
// zero normals, as static start-up leaves it.
#pragma once
#include <gtest/gtest.h>

#include "scenes/water/ripple_surface.h"

class RippleTest : public testing::Test {
 protected:
  void SetUp() override {
    rippleState = RippleState{};
    rippleSurface.initGrid();
  }
  void TearDown() override { rippleState.gridSize = rippleStorageSize; }

  static double& height(int i, int j) { return rippleState.gridPoints[i][j].y; }
  static const Vec3d& normal(int i, int j) { return rippleState.gridNormals[i][j]; }
};
