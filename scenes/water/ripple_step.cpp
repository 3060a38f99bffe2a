// Advancing the ripple surface: normals from the heights, then one step of
// the spring rule.
#include "scenes/water/ripple_surface.h"

namespace {

// The eight neighbours of an interior point, in the order their springs act.
struct Offset {
  int di;
  int dj;
};
constexpr Offset neighbourOffsets[8] = {{0, -1}, {-1, 0}, {0, 1},  {1, 0},
                                        {1, 1},  {-1, -1}, {1, -1}, {-1, 1}};

// Unit normal from two edge vectors leaving the point: a x b, normalised.
Vec3d normalFromEdges(const Vec3d& point, const Vec3d& alongA, const Vec3d& alongB) {
  Vec3d a;
  Vec3d b;
  Vec3d normal;
  vecSubtract(&a, &alongA, &point);
  vecSubtract(&b, &alongB, &point);
  vecCross(&normal, &a, &b);
  vecNormalize(&normal);
  return normal;
}

// The normal of a point on the last row or the last column.
Vec3d borderNormal(int i, int j, int last) {
  const auto& p = rippleState.gridPoints;
  if (i == 0 && j == last) {
    const Vec3d up = normalFromEdges(p[0][last], p[0][last - 1], p[1][last]);
    return Vec3d{-up.x, -up.y, -up.z};
  }
  if (i == last && j == 0) return normalFromEdges(p[last][0], p[last - 1][0], p[last][1]);
  return normalFromEdges(p[i][j], p[i][j - 1], p[i - 1][j]);
}

}  // namespace

// Forward differences inside the grid, backward ones on the last row and
// column; the two corners where those would mix use one of each, so every
// normal points up (positive y). The points inside take the forward rule
// without any test; the last row and column are handled after them.
void RippleSurface::computeNormals() {
  RippleState& s = rippleState;
  const int last = s.gridSize - 1;
  for (int i = 0; i < last; ++i) {
    for (int j = 0; j < last; ++j) {
      const Vec3d normal = normalFromEdges(s.gridPoints[i][j], s.gridPoints[i][j + 1], s.gridPoints[i + 1][j]);
      vecCopy(&s.gridNormals[i][j], &normal);
    }
  }
  for (int i = 0; i <= last; ++i) {
    const Vec3d normal = borderNormal(i, last, last);
    vecCopy(&s.gridNormals[i][last], &normal);
  }
  for (int j = 0; j < last; ++j) {
    const Vec3d normal = borderNormal(last, j, last);
    vecCopy(&s.gridNormals[last][j], &normal);
  }
}

// Each interior point pulls on its eight neighbours and they on it, with
// the heights only read, so the forces of all points sum to zero. Then the
// velocities take the forces, the heights the velocities, and the heights
// shrink by 1 / gridSize.
void RippleSurface::applySprings() {
  RippleState& s = rippleState;
  const int size = s.gridSize;
  const int last = size - 1;
  for (int i = 0; i < size; ++i) {
    for (int j = 0; j < size; ++j) s.gridForces[i][j] = 0.0;
  }
  for (int i = 1; i < last; ++i) {
    for (int j = 1; j < last; ++j) {
      const double height = s.gridPoints[i][j].y;
      for (const Offset& n : neighbourOffsets) {
        const double d = height - s.gridPoints[i + n.di][j + n.dj].y;
        s.gridForces[i][j] -= d;
        s.gridForces[i + n.di][j + n.dj] += d;
      }
    }
  }
  for (int i = 0; i < size; ++i) {
    for (int j = 0; j < size; ++j) {
      s.gridVelocities[i][j] = s.springFactor * s.gridForces[i][j] + s.gridVelocities[i][j];
    }
  }
  for (int i = 0; i < size; ++i) {
    for (int j = 0; j < size; ++j) {
      double& height = s.gridPoints[i][j].y;
      height = height + s.gridVelocities[i][j];
      height = height - height / size;
    }
  }
}

// The normals always come from the heights before the step.
void RippleSurface::stepSimulation() {
  computeNormals();
  applySprings();
}
