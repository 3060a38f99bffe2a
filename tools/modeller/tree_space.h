// Directions the tree's recipe shares: up, degrees, and a unit vector across
// a direction, from which the limbs, twigs and leaves take their bearings.
#pragma once
#include <cmath>

#include "tools/modeller/geometry.h"

constexpr Vec3 treeUp{0, 0, 1};
constexpr double degree = pi / 180.0;

// A unit vector across the unit direction, turned by angle (radians) about
// it from a fixed start (across the direction and the vertical, or the x axis
// when the direction is near vertical).
inline Vec3 across(Vec3 direction, double angle = 0.0) {
  const Vec3 helper = std::fabs(direction.z) < 0.9 ? treeUp : Vec3{1, 0, 0};
  const Vec3 n = normalized(cross(direction, helper));
  const Vec3 b = cross(direction, n);
  return n * std::cos(angle) + b * std::sin(angle);
}
