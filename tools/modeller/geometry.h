// Small vector maths for the modeller.
#pragma once
#include <cmath>

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(double s, Vec3 a) { return a * s; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) {
  const double l = length(a);
  return l > 0 ? a * (1.0 / l) : a;
}
inline Vec3 lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }

// Rotation of p about the unit axis through the origin by angle radians.
inline Vec3 rotateAbout(Vec3 p, Vec3 axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return p * c + cross(axis, p) * s + axis * (dot(axis, p) * (1 - c));
}

// An orthonormal frame: a direction (tangent) and two normals across it.
struct Frame {
  Vec3 origin;
  Vec3 tangent{0, 0, 1};
  Vec3 normal{1, 0, 0};
  Vec3 binormal{0, 1, 0};

  // The point at polar angle (radians) and radius in the normal plane.
  Vec3 around(double angle, double radius) const {
    return origin + normal * (std::cos(angle) * radius) + binormal * (std::sin(angle) * radius);
  }
};

constexpr double pi = 3.14159265358979323846;
