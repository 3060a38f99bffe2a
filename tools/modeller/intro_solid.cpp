#include "tools/modeller/intro_solid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "tools/modeller/geometry.h"
#include "tools/modeller/intro_triangulate.h"
#include "tools/modeller/mesh_builder.h"

namespace {

// Width of the 45-degree chamfer round the front face.
constexpr double chamferWidth = 1.0;
// Mitred corners move at most this many chamfer widths.
constexpr double miterLimit = 2.5;
// The least share of its length a wall keeps along its unrolled far edge.
constexpr double foldMargin = 0.4;
// Each pass draws a folding wall's ends in by this factor.
constexpr double foldShrink = 0.9;
// Model units per repeat of the stone texture, and the UV scale the program
// draws the letters with: the texture repeats once per stoneRepeat units.
constexpr double stoneRepeat = 100.0;
constexpr double programUvScale = 6.0;
constexpr double uvPerUnit = 1.0 / (stoneRepeat * programUvScale);

// Stretches the polygons so that together they fill the box exactly.
void fitPolygons(std::vector<std::vector<Vec2>>& polygons, Vec2 boxMin, Vec2 boxMax) {
  Vec2 lo{HUGE_VAL, HUGE_VAL}, hi{-HUGE_VAL, -HUGE_VAL};
  for (const auto& polygon : polygons) {
    for (const Vec2& p : polygon) {
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
  }
  const double sx = (boxMax.x - boxMin.x) / (hi.x - lo.x);
  const double sy = (boxMax.y - boxMin.y) / (hi.y - lo.y);
  for (auto& polygon : polygons) {
    for (Vec2& p : polygon) p = {boxMin.x + (p.x - lo.x) * sx, boxMin.y + (p.y - lo.y) * sy};
  }
}

// Point i of the ring and its neighbours, across both loops.
struct RingPoint {
  Vec2 position;
  Vec2 miter;         // outward mitre direction (see outwardMiters)
  Vec2 normalBefore;  // outward normal of the edge arriving here
  Vec2 normalAfter;   // outward normal of the edge leaving here
  Vec2 tangentAfter;  // unit direction of the edge leaving here
  double lengthAfter = 0;
  double turn = 0;    // turning angle: positive outwards, negative inwards
  size_t previous = 0, next = 0;  // neighbours on the same loop
};

std::vector<RingPoint> ringPoints(const std::vector<std::vector<Vec2>>& loops) {
  std::vector<RingPoint> ring;
  for (const auto& loop : loops) {
    const size_t base = ring.size();
    const size_t n = loop.size();
    const std::vector<Vec2> miters = outwardMiters(loop, miterLimit);
    const std::vector<double> turns = turningAngles(loop);
    for (size_t i = 0; i < n; ++i) {
      const Vec2 p = loop[i], prev = loop[(i + n - 1) % n], next = loop[(i + 1) % n];
      ring.push_back({p, miters[i], rightNormal(p - prev), rightNormal(next - p),
                      normalized2(next - p), length2(next - p), turns[i], base + (i + n - 1) % n,
                      base + (i + 1) % n});
    }
  }
  return ring;
}

// UV indices of one unfolded ring: the UV each point gives the wall before
// it and the wall after it (the same index unless the corner is split).
struct UnfoldedRing {
  std::vector<int> before, after;
  std::vector<Vec2> valueBefore, valueAfter;
};

// Unfolds the walls from the previous ring's UVs out by `distance`: a split
// corner gives each of its walls the wall's own normal, so both unroll as
// rectangles; any other point is shared and moves along its mitre. Where a
// wall's ends lean towards each other (an inward corner, or a tight inward
// curve) the unrolled wall would fold over in the texture, so the ends of
// such walls are drawn in until every wall keeps at least foldMargin of its
// length along its far edge.
UnfoldedRing unfold(MeshBuilder& mesh, const std::vector<RingPoint>& ring,
                    const UnfoldedRing& previous, const std::vector<char>& split,
                    double distance) {
  const size_t n = ring.size();
  // How far each point unrolls: shared points one distance, split points
  // one for each of their walls (indexed by the wall's first point).
  std::vector<double> shared(n, distance), wallStart(n, distance), wallEnd(n, distance);
  const auto startOf = [&](size_t e) -> double& { return split[e] ? wallStart[e] : shared[e]; };
  const auto endOf = [&](size_t e) -> double& {
    const size_t j = ring[e].next;
    return split[j] ? wallEnd[e] : shared[j];
  };
  for (bool folded = true; folded;) {
    folded = false;
    for (size_t e = 0; e < n; ++e) {
      const RingPoint& p = ring[e];
      const size_t j = p.next;
      const double lean0 = split[e] ? 0.0 : dot2(p.miter, p.tangentAfter);
      const double lean1 = split[j] ? 0.0 : dot2(ring[j].miter, p.tangentAfter);
      double& s = startOf(e);
      double& f = endOf(e);
      const double keep = foldMargin * p.lengthAfter;
      const bool fits = p.lengthAfter + f * lean1 - s * lean0 >= keep &&
                        p.lengthAfter + s * (lean1 - lean0) >= keep &&
                        p.lengthAfter + f * (lean1 - lean0) >= keep;
      if (!fits) {
        s *= foldShrink;
        f *= foldShrink;
        folded = true;
      }
    }
  }
  UnfoldedRing out;
  for (size_t i = 0; i < n; ++i) {
    const RingPoint& p = ring[i];
    const Vec2 fromBefore = previous.valueBefore[i], fromAfter = previous.valueAfter[i];
    if (split[i]) {
      const Vec2 a = fromBefore + p.normalBefore * (wallEnd[p.previous] * uvPerUnit);
      const Vec2 b = fromAfter + p.normalAfter * (wallStart[i] * uvPerUnit);
      out.before.push_back(mesh.uv(a.x, a.y));
      out.after.push_back(mesh.uv(b.x, b.y));
      out.valueBefore.push_back(a);
      out.valueAfter.push_back(b);
    } else {
      const Vec2 v = (fromBefore + fromAfter) * 0.5 + p.miter * (shared[i] * uvPerUnit);
      const int index = mesh.uv(v.x, v.y);
      out.before.push_back(index);
      out.after.push_back(index);
      out.valueBefore.push_back(v);
      out.valueAfter.push_back(v);
    }
  }
  return out;
}

// The `count` corners that most need splitting: inward corners first (their
// walls would otherwise crowd together), then outward ones, sharpest first;
// ties go to the earlier point.
std::vector<char> cornersToSplit(const std::vector<RingPoint>& ring, int count) {
  const auto need = [&](size_t i) {
    const double turn = ring[i].turn;
    return turn < 0 ? pi - turn : turn;
  };
  std::vector<size_t> order(ring.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return need(a) > need(b); });
  std::vector<char> marked(ring.size(), 0);
  for (int k = 0; k < count && k < static_cast<int>(order.size()); ++k) {
    marked[order[static_cast<size_t>(k)]] = 1;
  }
  return marked;
}

// The band of walls between two rings of vertices (upper nearer the front).
void addWalls(MeshBuilder& mesh, const std::vector<RingPoint>& ring, int upper, int lower,
              const UnfoldedRing& upperUv, const UnfoldedRing& lowerUv) {
  for (size_t i = 0; i < ring.size(); ++i) {
    const int j = static_cast<int>(ring[i].next);
    const int ai = upper + static_cast<int>(i), aj = upper + j;
    const int bi = lower + static_cast<int>(i), bj = lower + j;
    const size_t uj = static_cast<size_t>(j);
    mesh.triangle(ai, bi, bj, upperUv.after[i], lowerUv.after[i], lowerUv.before[uj]);
    mesh.triangle(ai, bj, aj, upperUv.after[i], lowerUv.before[uj], upperUv.before[uj]);
  }
}

}  // namespace

LetterSolidPlan planLetterSolid(int vertices, int uvs) {
  LetterSolidPlan plan;
  plan.outlinePoints = vertices / 3;
  plan.innerPoint = vertices % 3 == 1;
  plan.splitCorners = uvs - vertices;
  plan.valid = vertices % 3 != 2 && plan.splitCorners >= 0 &&
               plan.splitCorners <= 2 * plan.outlinePoints;
  return plan;
}

MeshData buildLetterSolid(const std::string& name, const Glyph& glyph, const LetterSolidPlan& plan,
                          const Box& box) {
  MeshBuilder mesh(name);
  if (!plan.valid) return mesh.data();
  std::vector<std::vector<Vec2>> loops = resampleLoops({glyph.outer, glyph.hole}, plan.outlinePoints);
  if (loops.size() != 2) return mesh.data();
  fitPolygons(loops, {box.min[0], box.min[1]}, {box.max[0], box.max[1]});
  const double frontZ = box.max[2], backZ = box.min[2];
  const std::vector<RingPoint> ring = ringPoints(loops);

  // The front face, inset by the chamfer, and its triangles.
  std::vector<Vec2> front;
  for (const RingPoint& p : ring) front.push_back(p.position - p.miter * chamferWidth);
  const std::vector<Vec2> frontOuter(front.begin(), front.begin() + static_cast<long>(loops[0].size()));
  const std::vector<Vec2> frontHole(front.begin() + static_cast<long>(loops[0].size()), front.end());
  std::vector<FaceTriangle> frontFace = triangulateWithHole(frontOuter, frontHole);
  std::vector<FaceTriangle> backFace = triangulateWithHole(loops[0], loops[1]);
  if (frontFace.empty() || backFace.empty()) return MeshBuilder(name).data();
  flipToDelaunay(front, frontFace);
  if (plan.innerPoint) {
    splitLargestTriangle(front, frontFace);
    flipToDelaunay(front, frontFace);
  }
  std::vector<Vec2> back;
  for (const RingPoint& p : ring) back.push_back(p.position);
  flipToDelaunay(back, backFace);

  // Vertices: front ring and inner point, chamfer ring, back ring.
  for (const Vec2& p : front) mesh.vertex({p.x, p.y, frontZ});
  const int chamferRing = mesh.vertexCount();
  for (const RingPoint& p : ring) mesh.vertex({p.position.x, p.position.y, frontZ - chamferWidth});
  const int backRing = mesh.vertexCount();
  for (const RingPoint& p : ring) mesh.vertex({p.position.x, p.position.y, backZ});

  // UVs: the front projection, then the walls unfolded from it.
  UnfoldedRing frontUv;
  for (size_t i = 0; i < front.size(); ++i) {
    const Vec2 uv = front[i] * uvPerUnit;
    const int index = mesh.uv(uv.x, uv.y);
    if (i < ring.size()) {
      frontUv.before.push_back(index);
      frontUv.after.push_back(index);
      frontUv.valueBefore.push_back(uv);
      frontUv.valueAfter.push_back(uv);
    }
  }
  const double chamferSlope = chamferWidth * std::sqrt(2.0);
  const UnfoldedRing chamferUv =
      unfold(mesh, ring, frontUv, cornersToSplit(ring, (plan.splitCorners + 1) / 2), chamferSlope);
  const UnfoldedRing backUv = unfold(mesh, ring, chamferUv, cornersToSplit(ring, plan.splitCorners / 2),
                                     frontZ - chamferWidth - backZ);

  // Triangles in drawing order: front face, chamfer, side walls, back face.
  for (const FaceTriangle& t : frontFace) mesh.triangle(t[0], t[1], t[2], t[0], t[1], t[2]);
  addWalls(mesh, ring, 0, chamferRing, frontUv, chamferUv);
  addWalls(mesh, ring, chamferRing, backRing, chamferUv, backUv);
  for (const FaceTriangle& t : backFace) {
    mesh.triangle(backRing + t[0], backRing + t[2], backRing + t[1], t[0], t[2], t[1]);
  }
  return mesh.data();
}
