#include "scenes/water/ripple_surface.h"

#include <algorithm>

#include "platform/random_value.h"

// Defined before the surface object, so the record is in place when its
// constructor lays the grid out.
RippleState rippleState;
RippleSurface rippleSurface;

namespace {

// A drop covers this many rows and columns.
constexpr int dropSpan = 2;

}  // namespace

// Runs during static start-up, before any GL context exists.
RippleSurface::RippleSurface() { initGrid(); }

// Points at i / gridSize x the extent in x and z, height 0, at rest.
void RippleSurface::initGrid() {
  RippleState& s = rippleState;
  for (int i = 0; i < s.gridSize; ++i) {
    for (int j = 0; j < s.gridSize; ++j) {
      s.gridPoints[i][j] = Vec3d{static_cast<double>(i) / s.gridSize * rippleGridExtent, 0.0,
                             static_cast<double>(j) / s.gridSize * rippleGridExtent};
      s.gridForces[i][j] = 0.0;
      s.gridVelocities[i][j] = 0.0;
    }
  }
}

// Scales a random value to 0 .. max + 1, truncating toward zero.
int RippleSurface::indexFromRandom(int value, int max) {
  return static_cast<int>(value / static_cast<double>(randomTop) * (max + 1));
}

// Draws one value from the program's random stream.
int RippleSurface::randomIndex(int max) { return indexFromRandom(randomValue(), max); }

// Row first, then column: two consecutive rand() calls.
void RippleSurface::makeDrop() {
  const int row = randomIndex(rippleState.gridSize - 1);
  const int column = randomIndex(rippleState.gridSize - 1);
  dropAt(row, column);
}

// Replaces the block's heights; forces and velocities stay as they are.
void RippleSurface::dropAt(int row, int column) {
  RippleState& s = rippleState;
  const int lastCorner = s.gridSize - dropSpan;
  row = std::clamp(row, 0, lastCorner);
  column = std::clamp(column, 0, lastCorner);
  for (int i = row; i < row + dropSpan; ++i) {
    for (int j = column; j < column + dropSpan; ++j) {
      s.gridPoints[i][j].y = static_cast<double>(s.dropHeight);
    }
  }
}
