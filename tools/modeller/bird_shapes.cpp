#include "tools/modeller/bird_shapes.h"

#include "tools/modeller/primitives.h"

#include <algorithm>
#include <cmath>

namespace {

// Catmull-Rom weights for the four values around segment [p1, p2] at s.
template <typename T>
T catmullRom(const T& p0, const T& p1, const T& p2, const T& p3, double s) {
  const double s2 = s * s, s3 = s2 * s;
  return p0 * (-0.5 * s3 + s2 - 0.5 * s) + p1 * (1.5 * s3 - 2.5 * s2 + 1.0) +
         p2 * (-1.5 * s3 + 2.0 * s2 + 0.5 * s) + p3 * (0.5 * s3 - 0.5 * s2);
}

template <typename T>
T smoothAt(const std::vector<T>& keys, double t) {
  const int n = static_cast<int>(keys.size());
  if (n == 1) return keys[0];
  t = std::clamp(t, 0.0, static_cast<double>(n - 1));
  const int i = std::min(static_cast<int>(t), n - 2);
  const double s = t - i;
  const auto at = [&](int k) { return keys[std::clamp(k, 0, n - 1)]; };
  return catmullRom(at(i - 1), at(i), at(i + 1), at(i + 2), s);
}

}  // namespace

double smoothValue(const std::vector<double>& values, double t) { return smoothAt(values, t); }

Vec3 smoothPoint(const std::vector<Vec3>& points, double t) { return smoothAt(points, t); }

std::vector<Vec3> smoothCurve(const std::vector<Vec3>& keys, int count) {
  std::vector<Vec3> curve;
  for (int i = 0; i < count; ++i) {
    curve.push_back(smoothPoint(keys, static_cast<double>(i) * (keys.size() - 1) / (count - 1)));
  }
  return curve;
}

std::vector<double> smoothValues(const std::vector<double>& keys, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) {
    values.push_back(smoothValue(keys, static_cast<double>(i) * (keys.size() - 1) / (count - 1)));
  }
  return values;
}

std::vector<double> evenSteps(const std::vector<Vec3>& keys, int count) {
  // Measure the curve finely, then walk the measured lengths.
  constexpr int samplesPerKey = 64;
  const double last = static_cast<double>(keys.size() - 1);
  const int samples = samplesPerKey * static_cast<int>(keys.size() - 1);
  std::vector<double> lengthAt(samples + 1, 0.0);
  for (int i = 1; i <= samples; ++i) {
    lengthAt[i] = lengthAt[i - 1] + length(smoothPoint(keys, last * i / samples) -
                                           smoothPoint(keys, last * (i - 1) / samples));
  }
  std::vector<double> steps;
  int i = 0;
  for (int k = 0; k < count; ++k) {
    const double wanted = lengthAt[samples] * k / (count - 1);
    while (i < samples - 1 && lengthAt[i + 1] < wanted) ++i;
    const double span = lengthAt[i + 1] - lengthAt[i];
    const double within = span > 0 ? std::clamp((wanted - lengthAt[i]) / span, 0.0, 1.0) : 0.0;
    steps.push_back(last * (i + within) / samples);
  }
  return steps;
}

std::vector<Frame> carriedFrames(const std::vector<Vec3>& path, Vec3 up) {
  const Vec3 first = normalized(path[1] - path[0]);
  return carryFrames(path, normalized(up - first * dot(up, first)));
}

std::vector<Vec3> ellipseLoop(const Frame& frame, int n, double alongNormal, double alongBinormal) {
  std::vector<Vec3> loop;
  for (int k = 0; k < n; ++k) {
    const double angle = 2.0 * pi * k / n;
    loop.push_back(frame.origin + frame.normal * (alongNormal * std::cos(angle)) +
                   frame.binormal * (alongBinormal * std::sin(angle)));
  }
  return loop;
}

std::vector<Row> addTubeRows(
    Surface& surface, const std::vector<Vec3>& path, Vec3 up, const std::vector<int>& sides,
    const std::function<std::vector<Vec3>(int, const Frame&, int)>& loopAt, int firstRow) {
  const std::vector<Frame> frames = carriedFrames(path, up);
  std::vector<Row> rows;
  for (size_t k = 0; k < path.size(); ++k) {
    rows.push_back(addRow(surface, loopAt(static_cast<int>(k), frames[k], sides[k]),
                          firstRow + static_cast<int>(k)));
  }
  zipAll(surface, rows, true);
  return rows;
}

int capWithApex(Surface& surface, const Row& row, Vec3 apex, int rowIndex) {
  const int point = surface.add(apex, tileCorner(0, rowIndex));
  fan(surface, point, row, true);
  return point;
}

std::vector<Row> addBlade(Surface& surface, const std::vector<Vec3>& spine, Vec3 up,
                          const std::vector<double>& halfWidth,
                          const std::vector<double>& halfThickness, int sides, Vec3 tip) {
  const std::vector<int> counts(spine.size(), sides);
  const auto lens = [&](int k, const Frame& frame, int n) {
    // Width across the blade (binormal), thickness along the normal (up).
    return ellipseLoop(frame, n, halfThickness[k], halfWidth[k]);
  };
  std::vector<Row> rows = addTubeRows(surface, spine, up, counts, lens);
  capWithApex(surface, rows.back(), tip, static_cast<int>(rows.size()));
  return rows;
}

void turnAboutZ(Surface& surface, int first, double angle) {
  for (size_t i = static_cast<size_t>(first); i < surface.points.size(); ++i) {
    surface.points[i] = rotateAbout(surface.points[i], birdUp, angle);
  }
}
