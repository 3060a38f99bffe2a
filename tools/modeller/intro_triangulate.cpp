#include "tools/modeller/intro_triangulate.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "tools/modeller/geometry.h"

namespace {

// Twice the area below which a triangle counts as flat.
constexpr double flatArea2 = 1e-9;
// Points closer than this are the same point (the bridge repeats two).
constexpr double samePointDistance = 1e-9;
// A flip must gain at least this much angle (radians), so flips end.
constexpr double flipMargin = 1e-9;

double orient(Vec2 a, Vec2 b, Vec2 c) { return cross2(b - a, c - a); }

// True when p lies inside or on the counterclockwise triangle a, b, c.
bool insideOrOn(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
  return orient(a, b, p) >= -flatArea2 && orient(b, c, p) >= -flatArea2 &&
         orient(c, a, p) >= -flatArea2;
}

bool samePoint(Vec2 a, Vec2 b) { return length2(a - b) < samePointDistance; }

// The angle at corner b of the triangle a, b, c.
double cornerAngle(Vec2 a, Vec2 b, Vec2 c) {
  const Vec2 u = a - b, v = c - b;
  return std::atan2(std::fabs(cross2(u, v)), dot2(u, v));
}

double smallestAngle(Vec2 a, Vec2 b, Vec2 c) {
  return std::min({cornerAngle(c, a, b), cornerAngle(a, b, c), cornerAngle(b, c, a)});
}

// The outer point that the hole's rightmost point can see: cast a ray to +x,
// take the nearest outer edge it meets, and prefer any outer point inside
// the triangle so formed that lies closest in angle to the ray.
int bridgeTarget(const std::vector<Vec2>& outer, Vec2 m) {
  const size_t n = outer.size();
  double nearestX = HUGE_VAL;
  int target = -1;
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = outer[i], b = outer[(i + 1) % n];
    if ((a.y > m.y) == (b.y > m.y)) continue;
    const double x = a.x + (m.y - a.y) * (b.x - a.x) / (b.y - a.y);
    if (x >= m.x && x < nearestX) {
      nearestX = x;
      target = static_cast<int>(a.x > b.x ? i : (i + 1) % n);
    }
  }
  if (target < 0) return -1;
  const Vec2 hit{nearestX, m.y};
  const Vec2 p = outer[static_cast<size_t>(target)];
  double bestAngle = HUGE_VAL;
  int best = target;
  for (size_t i = 0; i < n; ++i) {
    const Vec2 q = outer[i];
    if (static_cast<int>(i) == target || samePoint(q, p)) continue;
    const bool inside = orient(m, hit, p) > 0 ? insideOrOn(q, m, hit, p) : insideOrOn(q, m, p, hit);
    if (!inside || q.x <= m.x) continue;
    const double angle = std::atan2(std::fabs(q.y - m.y), q.x - m.x);
    if (angle < bestAngle) {
      bestAngle = angle;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace

std::vector<FaceTriangle> triangulateWithHole(const std::vector<Vec2>& outer,
                                              const std::vector<Vec2>& hole) {
  std::vector<Vec2> points = outer;
  points.insert(points.end(), hole.begin(), hole.end());
  const int outerCount = static_cast<int>(outer.size());
  const int holeCount = static_cast<int>(hole.size());

  // One loop through both: outer up to the bridge point, round the hole from
  // its rightmost point, and back across the bridge.
  std::vector<int> ring;
  if (holeCount == 0) {
    for (int i = 0; i < outerCount; ++i) ring.push_back(i);
  } else {
    int m = 0;
    for (int i = 1; i < holeCount; ++i) {
      if (hole[static_cast<size_t>(i)].x > hole[static_cast<size_t>(m)].x) m = i;
    }
    const int p = bridgeTarget(outer, hole[static_cast<size_t>(m)]);
    if (p < 0) return {};
    for (int i = 0; i <= p; ++i) ring.push_back(i);
    for (int k = 0; k <= holeCount; ++k) ring.push_back(outerCount + (m + k) % holeCount);
    for (int i = p; i < outerCount; ++i) ring.push_back(i);
  }

  // Clip the best-shaped ear each time: a strictly convex corner whose
  // triangle holds no other point of the ring.
  std::vector<FaceTriangle> triangles;
  while (ring.size() > 3) {
    const size_t n = ring.size();
    double bestQuality = -1.0;
    size_t bestEar = n;
    for (size_t i = 0; i < n; ++i) {
      const int ia = ring[(i + n - 1) % n], ib = ring[i], ic = ring[(i + 1) % n];
      const Vec2 a = points[static_cast<size_t>(ia)], b = points[static_cast<size_t>(ib)],
                 c = points[static_cast<size_t>(ic)];
      if (orient(a, b, c) <= flatArea2) continue;
      bool empty = true;
      for (size_t j = 0; j < n && empty; ++j) {
        const Vec2 q = points[static_cast<size_t>(ring[j])];
        if (samePoint(q, a) || samePoint(q, b) || samePoint(q, c)) continue;
        empty = !insideOrOn(q, a, b, c);
      }
      if (!empty) continue;
      const double quality = smallestAngle(a, b, c);
      if (quality > bestQuality) {
        bestQuality = quality;
        bestEar = i;
      }
    }
    if (bestEar == n) return {};
    triangles.push_back({ring[(bestEar + n - 1) % n], ring[bestEar], ring[(bestEar + 1) % n]});
    ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(bestEar));
  }
  const Vec2 a = points[static_cast<size_t>(ring[0])], b = points[static_cast<size_t>(ring[1])],
             c = points[static_cast<size_t>(ring[2])];
  if (orient(a, b, c) <= flatArea2) return {};
  triangles.push_back({ring[0], ring[1], ring[2]});
  return triangles;
}

void flipToDelaunay(const std::vector<Vec2>& points, std::vector<FaceTriangle>& triangles) {
  const auto at = [&](int i) { return points[static_cast<size_t>(i)]; };
  bool flipped = true;
  while (flipped) {
    flipped = false;
    // Each directed edge a->b names its triangle and the corner opposite it.
    std::map<std::pair<int, int>, std::pair<size_t, int>> edges;
    for (size_t t = 0; t < triangles.size(); ++t) {
      for (int k = 0; k < 3; ++k) {
        const FaceTriangle& tri = triangles[t];
        edges[{tri[static_cast<size_t>(k)], tri[static_cast<size_t>((k + 1) % 3)]}] = {
            t, tri[static_cast<size_t>((k + 2) % 3)]};
      }
    }
    std::vector<char> touched(triangles.size(), 0);
    for (const auto& [edge, first] : edges) {
      const auto [a, b] = edge;
      if (a > b) continue;
      const auto other = edges.find({b, a});
      if (other == edges.end()) continue;
      const auto [t1, c] = first;
      const auto [t2, d] = other->second;
      if (touched[t1] || touched[t2] || c == d) continue;
      if (edges.count({c, d}) || edges.count({d, c})) continue;
      const double opposite = cornerAngle(at(a), at(c), at(b)) + cornerAngle(at(a), at(d), at(b));
      if (opposite <= pi + flipMargin) continue;
      if (orient(at(a), at(d), at(c)) <= flatArea2 || orient(at(d), at(b), at(c)) <= flatArea2) {
        continue;
      }
      triangles[t1] = {a, d, c};
      triangles[t2] = {d, b, c};
      touched[t1] = touched[t2] = 1;
      flipped = true;
    }
  }
}

void splitLargestTriangle(std::vector<Vec2>& points, std::vector<FaceTriangle>& triangles) {
  size_t largest = 0;
  double largestArea = -1.0;
  for (size_t t = 0; t < triangles.size(); ++t) {
    const FaceTriangle& tri = triangles[t];
    const double area = orient(points[static_cast<size_t>(tri[0])],
                               points[static_cast<size_t>(tri[1])],
                               points[static_cast<size_t>(tri[2])]);
    if (area > largestArea) {
      largestArea = area;
      largest = t;
    }
  }
  const FaceTriangle tri = triangles[largest];
  const Vec2 centroid = (points[static_cast<size_t>(tri[0])] + points[static_cast<size_t>(tri[1])] +
                         points[static_cast<size_t>(tri[2])]) *
                        (1.0 / 3.0);
  const int centre = static_cast<int>(points.size());
  points.push_back(centroid);
  triangles[largest] = {tri[0], tri[1], centre};
  triangles.push_back({tri[1], tri[2], centre});
  triangles.push_back({tri[2], tri[0], centre});
}
