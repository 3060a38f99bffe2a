// The vector toolkit: the cross product's orientation and aliasing, and the
// normalisation of unit and zero vectors.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/water/vec3d.h"

namespace {

TEST(RippleVec3d, CrossProductIsRightHandedAndMayOverwriteAnInput) {
  const Vec3d x{1, 0, 0};
  const Vec3d y{0, 1, 0};
  Vec3d out{9, 9, 9};
  vecCross(&out, &x, &y);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.0);
  EXPECT_EQ(out.z, 1.0);

  Vec3d a{2, 3, 4};
  const Vec3d b{5, 6, 7};
  vecCross(&a, &a, &b);
  EXPECT_EQ(a.x, 3 * 7 - 4 * 6);
  EXPECT_EQ(a.y, 4 * 5 - 2 * 7);
  EXPECT_EQ(a.z, 2 * 6 - 3 * 5);
}

TEST(RippleVec3d, SubtractCopyDivideAndNormalize) {
  const Vec3d a{1.5, -2, 8};
  const Vec3d b{0.5, 1, 2};
  Vec3d d;
  vecSubtract(&d, &a, &b);
  EXPECT_EQ(d.x, 1.0);
  EXPECT_EQ(d.y, -3.0);
  EXPECT_EQ(d.z, 6.0);
  Vec3d c;
  vecCopy(&c, &d);
  vecDivide(&c, 2.0);
  EXPECT_EQ(c.x, 0.5);
  EXPECT_EQ(c.z, 3.0);
  EXPECT_EQ(d.z, 6.0) << "the copy is independent";
  vecNormalize(&d);
  EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), 1.0, 1e-15);
  EXPECT_NEAR(d.y / d.x, -3.0, 1e-12) << "direction kept";

  Vec3d zero{0, 0, 0};
  vecNormalize(&zero);
  EXPECT_EQ(zero.x, 0.0) << "a zero vector stays zero, not NaN";
  EXPECT_EQ(zero.y, 0.0);
  EXPECT_EQ(zero.z, 0.0);
}

}  // namespace
