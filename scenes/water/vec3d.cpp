#include "scenes/water/vec3d.h"

#include <cmath>

// Copies all three components.
void vecCopy(Vec3d* dst, const Vec3d* src) { *dst = *src; }

// Component-wise difference.
void vecSubtract(Vec3d* out, const Vec3d* a, const Vec3d* b) {
  out->x = a->x - b->x;
  out->y = a->y - b->y;
  out->z = a->z - b->z;
}

// Component-wise division by one scalar.
void vecDivide(Vec3d* v, double s) {
  v->x /= s;
  v->y /= s;
  v->z /= s;
}

// Cross product, formed in a temporary so the result may overwrite an input.
void vecCross(Vec3d* out, const Vec3d* a, const Vec3d* b) {
  const Vec3d result{a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z,
                     a->x * b->y - a->y * b->x};
  *out = result;
}

// Divides by the length; skips a zero vector rather than filling it with NaN.
void vecNormalize(Vec3d* v) {
  const double length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
  if (length == 0.0) return;
  vecDivide(v, length);
}
