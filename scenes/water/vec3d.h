// Three doubles and the few vector operations the ripple surface needs. Every
// operation takes its vectors by pointer and writes its result to the first.
// They are defined here, inline, because the surface calls them for every one
// of its points every frame.
#pragma once
#include <cmath>

struct Vec3d {
  double x;
  double y;
  double z;
};

// dst = src.
inline void vecCopy(Vec3d* dst, const Vec3d* src) { *dst = *src; }

// out = a - b, component by component.
inline void vecSubtract(Vec3d* out, const Vec3d* a, const Vec3d* b) {
  out->x = a->x - b->x;
  out->y = a->y - b->y;
  out->z = a->z - b->z;
}

// Divides each component of v by s.
inline void vecDivide(Vec3d* v, double s) {
  v->x /= s;
  v->y /= s;
  v->z /= s;
}

// out = a x b; out may be a or b: the result is formed in a temporary.
inline void vecCross(Vec3d* out, const Vec3d* a, const Vec3d* b) {
  const Vec3d result{a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z,
                     a->x * b->y - a->y * b->x};
  *out = result;
}

// Scales v to unit length; a zero vector is left as it is rather than
// filled with NaN.
inline void vecNormalize(Vec3d* v) {
  const double length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
  if (length == 0.0) return;
  vecDivide(v, length);
}
