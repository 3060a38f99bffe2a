// Three doubles and the few vector operations the ripple surface needs. Every
// operation takes its vectors by pointer and writes its result to the first.
#pragma once

struct Vec3d {
  double x;
  double y;
  double z;
};

// dst = src.
void vecCopy(Vec3d* dst, const Vec3d* src);

// out = a - b, component by component.
void vecSubtract(Vec3d* out, const Vec3d* a, const Vec3d* b);

// Divides each component of v by s.
void vecDivide(Vec3d* v, double s);

// out = a x b; out may be a or b.
void vecCross(Vec3d* out, const Vec3d* a, const Vec3d* b);

// Scales v to unit length; a zero vector is left as it is.
void vecNormalize(Vec3d* v);
