#include "tools/modeller/tree_curve.h"

#include <algorithm>

#include "tools/modeller/tree_space.h"

namespace {

// Index of the span holding arc fraction s, and the fraction within it.
void locate(const Curve& curve, double s, size_t& span, double& within) {
  const double target = std::clamp(s, 0.0, 1.0) * curveLength(curve);
  double walked = 0.0;
  for (span = 0; span + 2 < curve.points.size(); ++span) {
    const double step = length(curve.points[span + 1] - curve.points[span]);
    if (walked + step >= target) break;
    walked += step;
  }
  const double step = length(curve.points[span + 1] - curve.points[span]);
  within = step > 0 ? std::clamp((target - walked) / step, 0.0, 1.0) : 0.0;
}

// Catmull-Rom interpolation of four values at t in [0, 1] between b and c.
template <typename T>
T catmullRom(T a, T b, T c, T d, double t) {
  const double t2 = t * t, t3 = t2 * t;
  return (b * 2.0 + (c - a) * t + (a * 2.0 - b * 5.0 + c * 4.0 - d) * t2 +
          (b * 3.0 - a - c * 3.0 + d) * t3) *
         0.5;
}

}  // namespace

double curveLength(const Curve& curve) {
  double total = 0.0;
  for (size_t i = 0; i + 1 < curve.points.size(); ++i) {
    total += length(curve.points[i + 1] - curve.points[i]);
  }
  return total;
}

Vec3 curvePoint(const Curve& curve, double s) {
  size_t span;
  double within;
  locate(curve, s, span, within);
  return lerp(curve.points[span], curve.points[span + 1], within);
}

double curveRadius(const Curve& curve, double s) {
  size_t span;
  double within;
  locate(curve, s, span, within);
  return curve.radii[span] + (curve.radii[span + 1] - curve.radii[span]) * within;
}

Vec3 curveTangent(const Curve& curve, double s) {
  size_t span;
  double within;
  locate(curve, s, span, within);
  return normalized(curve.points[span + 1] - curve.points[span]);
}

Curve resampleCurve(const Curve& curve, int count) {
  Curve out;
  for (int i = 0; i < count; ++i) {
    const double s = static_cast<double>(i) / (count - 1);
    out.points.push_back(curvePoint(curve, s));
    out.radii.push_back(curveRadius(curve, s));
  }
  return out;
}

Curve splineCurve(const std::vector<Vec3>& controls, const std::vector<double>& radii,
                  int samplesPerSpan) {
  Curve out;
  const size_t n = controls.size();
  const auto at = [n](size_t i, int offset) {
    const long j = static_cast<long>(i) + offset;
    return static_cast<size_t>(std::clamp(j, 0L, static_cast<long>(n) - 1));
  };
  for (size_t i = 0; i + 1 < n; ++i) {
    for (int k = 0; k < samplesPerSpan; ++k) {
      const double t = static_cast<double>(k) / samplesPerSpan;
      // The end segments mirror their neighbour so the spline starts along
      // the first chord rather than bending back.
      const Vec3 before = i == 0 ? controls[0] * 2.0 - controls[1] : controls[at(i, -1)];
      const Vec3 after = i + 2 == n ? controls[n - 1] * 2.0 - controls[n - 2] : controls[at(i, 2)];
      out.points.push_back(catmullRom(before, controls[i], controls[i + 1], after, t));
      const double rBefore = i == 0 ? radii[0] : radii[at(i, -1)];
      const double rAfter = i + 2 == n ? radii[n - 1] : radii[at(i, 2)];
      out.radii.push_back(catmullRom(rBefore, radii[i], radii[i + 1], rAfter, t));
    }
  }
  out.points.push_back(controls.back());
  out.radii.push_back(radii.back());
  return out;
}

Curve bezierCurve(Vec3 a, Vec3 b, Vec3 c, Vec3 d, int samples) {
  Curve out;
  for (int i = 0; i < samples; ++i) {
    const double t = static_cast<double>(i) / (samples - 1), u = 1.0 - t;
    out.points.push_back(a * (u * u * u) + b * (3 * u * u * t) + c * (3 * u * t * t) +
                         d * (t * t * t));
    out.radii.push_back(0.0);
  }
  return out;
}

void taperCurve(Curve& curve, double base, double tip, double power) {
  const double total = curveLength(curve);
  double walked = 0.0;
  for (size_t i = 0; i < curve.points.size(); ++i) {
    if (i > 0) walked += length(curve.points[i] - curve.points[i - 1]);
    const double s = total > 0 ? walked / total : 0.0;
    curve.radii[i] = base * std::pow(1.0 - s, power) + tip * s;
  }
}

void wiggleCurve(Curve& curve, TreeRandom& random, double amplitude) {
  const size_t n = curve.points.size();
  if (n < 3) return;
  const Vec3 chord = normalized(curve.points.back() - curve.points.front());
  const Vec3 side1 = across(chord), side2 = across(chord, 0.5 * pi);
  const double waves1 = random.range(1.0, 2.5), phase1 = random.range(0.0, 2.0 * pi);
  const double waves2 = random.range(1.0, 2.5), phase2 = random.range(0.0, 2.0 * pi);
  for (size_t i = 1; i + 1 < n; ++i) {
    const double s = static_cast<double>(i) / (n - 1);
    const double envelope = std::sin(pi * s) * amplitude;
    curve.points[i] = curve.points[i] +
                      side1 * (envelope * std::sin(2.0 * pi * waves1 * s + phase1)) +
                      side2 * (envelope * std::sin(2.0 * pi * waves2 * s + phase2));
  }
}

double barkLength(const Curve& curve) {
  double total = 0.0;
  for (size_t i = 0; i + 1 < curve.points.size(); ++i) {
    const double meanRadius = 0.5 * (curve.radii[i] + curve.radii[i + 1]);
    total += length(curve.points[i + 1] - curve.points[i]) / meanRadius;
  }
  return total;
}
