#include "tools/modeller/intro_outline.h"

#include <algorithm>
#include <cmath>

#include "tools/modeller/geometry.h"

namespace {

// Samples taken along every curve before resampling.
constexpr int curveSamples = 256;
// Points closer than this are the same point.
constexpr double samePointDistance = 1e-9;
// How much a straight edge's spacing counts against a curve's chord error
// when spare points are shared out: an edge split every 25 units weighs as
// much as a chord 0.1 units off its curve.
constexpr double spacingWeight = 0.004;

// The stretch's path from its kept point to the next stretch's kept point.
std::vector<Vec2> stretchPath(const Loop& loop, size_t index) {
  std::vector<Vec2> path = loop[index];
  path.push_back(loop[(index + 1) % loop.size()].front());
  return path;
}

// Arc length at every point of a path.
std::vector<double> arcLengths(const std::vector<Vec2>& path) {
  std::vector<double> lengths(path.size(), 0.0);
  for (size_t i = 1; i < path.size(); ++i) {
    lengths[i] = lengths[i - 1] + length2(path[i] - path[i - 1]);
  }
  return lengths;
}

// The point at arc length s along a path.
Vec2 pointAt(const std::vector<Vec2>& path, const std::vector<double>& lengths, double s) {
  const auto upper = std::upper_bound(lengths.begin(), lengths.end(), s);
  if (upper == lengths.begin()) return path.front();
  if (upper == lengths.end()) return path.back();
  const size_t i = static_cast<size_t>(upper - lengths.begin());
  const double span = lengths[i] - lengths[i - 1];
  const double t = span > 0 ? (s - lengths[i - 1]) / span : 0.0;
  return path[i - 1] + (path[i] - path[i - 1]) * t;
}

// Distance from p to the segment a-b.
double distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double span = dot2(ab, ab);
  const double t = span > 0 ? std::clamp(dot2(p - a, ab) / span, 0.0, 1.0) : 0.0;
  return length2(p - (a + ab * t));
}

// How badly a path is served by `pieces` equal chords: the worst distance of
// the path from its chord, or the weighted chord length, whichever is more.
double pieceScore(const std::vector<Vec2>& path, const std::vector<double>& lengths, int pieces) {
  const double total = lengths.back();
  const double step = total / pieces;
  double worst = 0.0;
  size_t sample = 0;
  for (int k = 0; k < pieces; ++k) {
    const Vec2 a = pointAt(path, lengths, step * k);
    const Vec2 b = pointAt(path, lengths, step * (k + 1));
    while (sample < path.size() && lengths[sample] <= step * (k + 1)) {
      worst = std::max(worst, distanceToSegment(path[sample], a, b));
      ++sample;
    }
  }
  return std::max(worst, spacingWeight * step);
}

}  // namespace

double length2(Vec2 a) { return std::sqrt(dot2(a, a)); }

Vec2 normalized2(Vec2 a) {
  const double l = length2(a);
  return l > 0 ? a * (1.0 / l) : a;
}

Vec2 rightNormal(Vec2 d) { return normalized2({d.y, -d.x}); }

void LoopPen::corner(Vec2 p) { stretches_.push_back({p}); }

void LoopPen::curve(const std::function<Vec2(double)>& f) {
  Stretch samples;
  for (int i = 0; i < curveSamples; ++i) samples.push_back(f(double(i) / curveSamples));
  stretches_.push_back(samples);
  stretches_.push_back({f(1.0)});
}

void LoopPen::arc(Vec2 centre, double rx, double ry, double fromDeg, double toDeg) {
  curve([=](double t) {
    const double a = (fromDeg + (toDeg - fromDeg) * t) * pi / 180.0;
    return Vec2{centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)};
  });
}

Loop LoopPen::close() const {
  Loop loop;
  for (size_t i = 0; i < stretches_.size(); ++i) {
    const Stretch& piece = stretches_[i];
    const Vec2 next = stretches_[(i + 1) % stretches_.size()].front();
    const bool merged = piece.size() == 1 && length2(piece.front() - next) < samePointDistance;
    if (!merged) loop.push_back(piece);
  }
  return loop;
}

double signedArea2(const std::vector<Vec2>& polygon) {
  double area = 0.0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    area += cross2(polygon[i], polygon[(i + 1) % polygon.size()]);
  }
  return area;
}

Loop orientLoop(const Loop& loop, bool ccw) {
  std::vector<Vec2> all;
  for (const Stretch& piece : loop) all.insert(all.end(), piece.begin(), piece.end());
  if ((signedArea2(all) > 0) == ccw) return loop;
  const size_t n = loop.size();
  Loop reversed;
  for (size_t j = 0; j < n; ++j) {
    const Stretch& before = loop[(2 * n - j - 1) % n];  // ran from the new start's next point
    Stretch piece = {loop[(n - j) % n].front()};
    piece.insert(piece.end(), before.rbegin(), before.rend() - 1);
    reversed.push_back(piece);
  }
  return reversed;
}

std::vector<std::vector<Vec2>> resampleLoops(const std::vector<Loop>& loops, int total) {
  struct Piece {
    std::vector<Vec2> path;
    std::vector<double> lengths;
    int points = 1;
    double score = 0.0;
  };
  std::vector<Piece> pieces;
  for (const Loop& loop : loops) {
    for (size_t i = 0; i < loop.size(); ++i) {
      Piece piece;
      piece.path = stretchPath(loop, i);
      piece.lengths = arcLengths(piece.path);
      piece.score = pieceScore(piece.path, piece.lengths, 1);
      pieces.push_back(piece);
    }
  }
  int spare = total - static_cast<int>(pieces.size());
  if (spare < 0) return {};
  for (; spare > 0; --spare) {
    size_t neediest = 0;
    for (size_t i = 1; i < pieces.size(); ++i) {
      if (pieces[i].score > pieces[neediest].score) neediest = i;
    }
    Piece& piece = pieces[neediest];
    ++piece.points;
    piece.score = pieceScore(piece.path, piece.lengths, piece.points);
  }

  std::vector<std::vector<Vec2>> polygons;
  size_t next = 0;
  for (const Loop& loop : loops) {
    std::vector<Vec2> polygon;
    for (size_t i = 0; i < loop.size(); ++i, ++next) {
      const Piece& piece = pieces[next];
      const double step = piece.lengths.back() / piece.points;
      for (int k = 0; k < piece.points; ++k) {
        polygon.push_back(pointAt(piece.path, piece.lengths, step * k));
      }
    }
    polygons.push_back(polygon);
  }
  return polygons;
}

std::vector<double> turningAngles(const std::vector<Vec2>& polygon) {
  const size_t n = polygon.size();
  std::vector<double> angles(n);
  for (size_t i = 0; i < n; ++i) {
    const Vec2 in = polygon[i] - polygon[(i + n - 1) % n];
    const Vec2 out = polygon[(i + 1) % n] - polygon[i];
    angles[i] = std::atan2(cross2(in, out), dot2(in, out));
  }
  return angles;
}

std::vector<Vec2> outwardMiters(const std::vector<Vec2>& polygon, double miterLimit) {
  const size_t n = polygon.size();
  std::vector<Vec2> miters(n);
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = rightNormal(polygon[i] - polygon[(i + n - 1) % n]);
    const Vec2 b = rightNormal(polygon[(i + 1) % n] - polygon[i]);
    const double along = 1.0 + dot2(a, b);
    Vec2 miter = along > 0 ? (a + b) * (1.0 / along) : a;
    if (length2(miter) > miterLimit) miter = normalized2(a + b) * miterLimit;
    miters[i] = miter;
  }
  return miters;
}
