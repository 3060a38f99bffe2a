#include "tools/modeller/earth_delaunay.h"

#include <cstdlib>
#include <map>

namespace {

// One triangle: corners counter-clockwise, and the triangle across the edge
// opposite each corner (-1 on the rectangle's border).
struct Triangle {
  std::array<int, 3> corner;
  std::array<int, 3> across;
};

class Triangulation {
 public:
  explicit Triangulation(const std::vector<GridPoint>& points) : points_(points) {}

  // Splits the rectangle 0-1-2-3 along its diagonal 0-2 (its corners are
  // cocircular, so either diagonal is Delaunay).
  void start() {
    triangles_.push_back({{0, 1, 2}, {-1, 1, -1}});
    triangles_.push_back({{0, 2, 3}, {-1, -1, 0}});
  }

  // Inserts point p (Bowyer-Watson): removes every triangle whose circumcircle
  // holds p and fans the hole's border to p. False if p lies outside the
  // triangulation or on an existing point.
  bool insert(int p) {
    const int first = locate(p);
    if (first < 0) return false;
    // The hole: triangles whose circumcircle strictly contains p, grown from
    // the triangle that holds p.
    std::vector<int> hole{first};
    std::vector<char> inHole(triangles_.size(), 0);
    inHole[first] = 1;
    for (size_t h = 0; h < hole.size(); ++h) {
      for (int neighbour : triangles_[hole[h]].across) {
        if (neighbour < 0 || inHole[neighbour]) continue;
        const auto& c = triangles_[neighbour].corner;
        if (inCircle(points_[c[0]], points_[c[1]], points_[c[2]], points_[p]) > 0) {
          inHole[neighbour] = 1;
          hole.push_back(neighbour);
        }
      }
    }
    // The hole's border, as edges (a, b) seen counter-clockwise from inside
    // the hole, with the triangle beyond each.
    struct BorderEdge {
      int a, b, beyond;
    };
    std::vector<BorderEdge> border;
    for (int t : hole) {
      for (int k = 0; k < 3; ++k) {
        const int beyond = triangles_[t].across[k];
        if (beyond >= 0 && inHole[beyond]) continue;
        const int a = triangles_[t].corner[(k + 1) % 3], b = triangles_[t].corner[(k + 2) % 3];
        const std::int64_t side = orient(points_[a], points_[b], points_[p]);
        if (side > 0) {
          border.push_back({a, b, beyond});
        } else if (side < 0 || beyond >= 0) {
          return false;  // cannot happen with exact predicates and valid input
        }
        // side == 0 on the rectangle's border: p lies on this edge, which it
        // splits, so no triangle is made over it.
      }
    }
    if (border.size() < hole.size()) return false;
    // New triangles (a, b, p) reuse the hole's slots first.
    std::map<int, int> startingAt;  // border vertex a -> new triangle (a, b, p)
    std::vector<int> made;
    for (size_t i = 0; i < border.size(); ++i) {
      int slot;
      if (i < hole.size()) {
        slot = hole[i];
      } else {
        slot = static_cast<int>(triangles_.size());
        triangles_.push_back({});
      }
      const BorderEdge& e = border[i];
      triangles_[slot] = {{e.a, e.b, p}, {-1, -1, e.beyond}};
      if (e.beyond >= 0) {
        auto& back = triangles_[e.beyond];
        for (int k = 0; k < 3; ++k) {
          if (back.corner[(k + 1) % 3] == e.b && back.corner[(k + 2) % 3] == e.a) back.across[k] = slot;
        }
      }
      startingAt[e.a] = slot;
      made.push_back(slot);
    }
    // Link the fan: across from a in (a, b, p) is edge (b, p), shared with the
    // triangle that starts at b; across from b is edge (p, a), shared with the
    // one that ends at a. Missing partners are border edges of the rectangle.
    for (int slot : made) {
      Triangle& t = triangles_[slot];
      const auto next = startingAt.find(t.corner[1]);
      t.across[0] = next == startingAt.end() ? -1 : next->second;
    }
    for (int slot : made) {
      const int next = triangles_[slot].across[0];
      if (next >= 0) triangles_[next].across[1] = slot;
    }
    last_ = made.back();
    return true;
  }

  const std::vector<Triangle>& triangles() const { return triangles_; }

 private:
  // Walks from the last new triangle towards p; returns the triangle that
  // holds p (inside or on its border), or -1 if p is outside or on a corner.
  int locate(int p) const {
    int t = last_;
    const size_t stepLimit = 4 * triangles_.size() + 16;
    for (size_t step = 0; step < stepLimit; ++step) {
      const auto& c = triangles_[t].corner;
      int moveTo = -2;
      int onEdges = 0;
      for (int k = 0; k < 3; ++k) {
        // The edge opposite corner (k + step) % 3, checked in a rotating order
        // so that the walk cannot circle.
        const int e = static_cast<int>((k + step) % 3);
        const std::int64_t side = orient(points_[c[(e + 1) % 3]], points_[c[(e + 2) % 3]], points_[p]);
        if (side < 0) {
          moveTo = triangles_[t].across[e];
          break;
        }
        if (side == 0) ++onEdges;
      }
      if (moveTo == -2) return onEdges >= 2 ? -1 : t;  // on two edges: a corner
      if (moveTo < 0) return -1;
      t = moveTo;
    }
    return -1;
  }

  const std::vector<GridPoint>& points_;
  std::vector<Triangle> triangles_;
  int last_ = 0;
};

bool withinLimit(GridPoint p) {
  return std::llabs(p.x) <= gridCoordinateLimit && std::llabs(p.y) <= gridCoordinateLimit;
}

}  // namespace

std::int64_t orient(GridPoint a, GridPoint b, GridPoint c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

std::int64_t inCircle(GridPoint a, GridPoint b, GridPoint c, GridPoint d) {
  // With every coordinate within gridCoordinateLimit, differences stay below
  // 2^15, lifted terms below 2^31, and the sum of the three products below 2^63.
  const std::int64_t adx = a.x - d.x, ady = a.y - d.y;
  const std::int64_t bdx = b.x - d.x, bdy = b.y - d.y;
  const std::int64_t cdx = c.x - d.x, cdy = c.y - d.y;
  const std::int64_t aLift = adx * adx + ady * ady;
  const std::int64_t bLift = bdx * bdx + bdy * bdy;
  const std::int64_t cLift = cdx * cdx + cdy * cdy;
  return aLift * (bdx * cdy - bdy * cdx) + bLift * (cdx * ady - cdy * adx) +
         cLift * (adx * bdy - ady * bdx);
}

std::vector<std::array<int, 3>> delaunayInRectangle(const std::vector<GridPoint>& points) {
  if (points.size() < 4) return {};
  for (const GridPoint& p : points) {
    if (!withinLimit(p)) return {};
  }
  const GridPoint &p0 = points[0], &p1 = points[1], &p2 = points[2], &p3 = points[3];
  const bool rectangle = p0.y == p1.y && p1.x == p2.x && p2.y == p3.y && p3.x == p0.x &&
                         p1.x > p0.x && p2.y > p1.y;
  if (!rectangle) return {};
  Triangulation triangulation(points);
  triangulation.start();
  for (int p = 4; p < static_cast<int>(points.size()); ++p) {
    if (!triangulation.insert(p)) return {};
  }
  std::vector<std::array<int, 3>> result;
  for (const auto& t : triangulation.triangles()) result.push_back(t.corner);
  return result;
}
