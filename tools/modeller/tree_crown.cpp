#include "tools/modeller/tree_crown.h"

#include "tools/modeller/tree_space.h"

namespace {

const Vec3 centre{-0.35, 0.2, 10.55};
constexpr double radiusX = 6.1;
constexpr double radiusY = 6.9;
constexpr double radiusUp = 5.3;    // z above the middle
constexpr double radiusDown = 5.5;  // z below the middle
constexpr double longestReach = 20.0;
constexpr int reachSteps = 48;

// The outline's lumps: a gentle factor on the radius by direction (radians).
double lumpFactor(double elevation, double azimuth) {
  return 1.0 + 0.07 * std::sin(3.0 * azimuth + 0.7) * std::cos(elevation) +
         0.05 * std::sin(4.0 * elevation + 2.0 * azimuth + 1.3);
}

// Below 1 inside the crown, 1 on its outline.
double crownMeasure(Vec3 p) {
  const Vec3 d = p - centre;
  const Vec3 w{d.x / radiusX, d.y / radiusY, d.z / (d.z >= 0 ? radiusUp : radiusDown)};
  const double size = length(w);
  if (size == 0.0) return 0.0;
  return size / lumpFactor(std::asin(w.z / size), std::atan2(w.y, w.x));
}

}  // namespace

Vec3 crownCentre() { return centre; }

Vec3 crownPoint(double elevation, double azimuth) {
  const double e = elevation * degree, a = azimuth * degree;
  const double f = lumpFactor(e, a);
  return centre + Vec3{f * radiusX * std::cos(e) * std::cos(a),
                       f * radiusY * std::cos(e) * std::sin(a),
                       f * (e >= 0 ? radiusUp : radiusDown) * std::sin(e)};
}

double crownReach(Vec3 p, Vec3 direction) {
  if (crownMeasure(p) >= 1.0) return 0.0;
  double inside = 0.0, outside = longestReach;
  for (int i = 0; i < reachSteps; ++i) {
    const double middle = 0.5 * (inside + outside);
    (crownMeasure(p + direction * middle) < 1.0 ? inside : outside) = middle;
  }
  return inside;
}

Vec3 crownOutward(Vec3 p) { return normalized(p - centre); }
