#include "scenes/water/ripple_surface.h"

#include <algorithm>

#include "platform/random_value.h"

int RippleSurface::gridSize = rippleStorageSize;
int RippleSurface::dropHeight = 2;
double RippleSurface::springFactor = 0.08;
double RippleSurface::texCoordStep = 0.01;

Vec3d RippleSurface::gridPoints[rippleStorageSize][rippleStorageSize];
Vec3d RippleSurface::gridNormals[rippleStorageSize][rippleStorageSize];
double RippleSurface::gridForces[rippleStorageSize][rippleStorageSize];
double RippleSurface::gridVelocities[rippleStorageSize][rippleStorageSize];

RippleSurface rippleSurface(rippleStorageSize);

namespace {

// The extent in x and z the grid spans, whatever its size.
constexpr double gridExtent = 100.0;
// A drop covers this many rows and columns.
constexpr int dropSpan = 2;

}  // namespace

// Runs during static start-up, before any GL context exists.
RippleSurface::RippleSurface(int size) {
  gridSize = std::min(size, rippleStorageSize);
  initGrid();
}

// Nothing to release: the storage is static.
RippleSurface::~RippleSurface() {}

// Points at i / gridSize x 100 in x and z, height 0, at rest.
void RippleSurface::initGrid() {
  for (int i = 0; i < gridSize; ++i) {
    for (int j = 0; j < gridSize; ++j) {
      gridPoints[i][j] = Vec3d{static_cast<double>(i) / gridSize * gridExtent, 0.0,
                               static_cast<double>(j) / gridSize * gridExtent};
      gridForces[i][j] = 0.0;
      gridVelocities[i][j] = 0.0;
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
  const int row = randomIndex(gridSize - 1);
  const int column = randomIndex(gridSize - 1);
  dropAt(row, column);
}

// Replaces the block's heights; forces and velocities stay as they are.
void RippleSurface::dropAt(int row, int column) {
  const int lastCorner = gridSize - dropSpan;
  row = std::clamp(row, 0, lastCorner);
  column = std::clamp(column, 0, lastCorner);
  for (int i = row; i < row + dropSpan; ++i) {
    for (int j = column; j < column + dropSpan; ++j) {
      gridPoints[i][j].y = static_cast<double>(dropHeight);
    }
  }
}
