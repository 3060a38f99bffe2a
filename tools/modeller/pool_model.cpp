// The pool of the water scene: two L-shaped marble walls that together close a
// square basin, and four grey rails along the walls' outer top edges.
//
// Basin 1 is the east wall with the north wall, basin 2 the west wall with the
// south wall; each arm ends against the other piece's inner face, so the open
// basin is the square from basinInner to basinOuter on both axes, a little
// inside the edges of the rippling water. Each wall is an L-shaped prism: six
// corners at the bottom and six at the top (12 vertices), six side quads, and
// top and bottom each fanned from the L's inner corner (20 triangles).
//
// Each rail is a 10-sided rod of radius 1.5 with a corner pointing sideways,
// so it is 3 across and 2.85 high, closed at both ends by a low cone (22
// vertices, 40 triangles).
#include <array>
#include <cmath>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"
#include "tools/modeller/primitives.h"

namespace {

constexpr double wallHeight = 20.0;
// The open basin's sides on both axes: just inside the water's edges.
constexpr double basinLow = -89.50;
constexpr double basinHigh = 87.74;
// Texture coordinates per model unit: the program repeats the marble five
// times over the 200-unit pool.
constexpr double uvPerUnit = 1.0 / 200.0;
constexpr double uvOrigin = -100.0;

constexpr int railSides = 10;
constexpr double railRadius = 1.5;
// How far each end cone stands out beyond its ring, to round the rail's ends.
constexpr double railCapRise = 0.75 * railRadius;

using Outline = std::array<Vec3, 6>;

// The unit outward normal of the outline edge from a to b (the outline runs
// counter-clockwise seen from above).
Vec3 outwardNormal(Vec3 a, Vec3 b) { return normalized(Vec3{b.y - a.y, a.x - b.x, 0.0}); }

// An L-shaped prism over a counter-clockwise outline whose corner reflex is
// the L's inner corner. The top is mapped straight down onto the texture; each
// bottom corner is mapped as if the sides were folded out flat around the top
// (the top outline offset outwards by the wall height), so every face keeps
// the same texture scale.
MeshData lPrism(const char* name, const Outline& outline, int reflex) {
  MeshBuilder wall(name);
  std::array<int, 6> bottom{}, top{}, uvBottom{}, uvTop{};
  for (int i = 0; i < 6; ++i) {
    const Vec3 p = outline[i];
    bottom[i] = wall.vertex({p.x, p.y, 0.0});
    top[i] = wall.vertex({p.x, p.y, wallHeight});
  }
  for (int i = 0; i < 6; ++i) {
    const Vec3 p = outline[i];
    const Vec3 before = outwardNormal(outline[(i + 5) % 6], p);
    const Vec3 after = outwardNormal(p, outline[(i + 1) % 6]);
    const Vec3 mitre = (before + after) * (1.0 / (1.0 + dot(before, after)));
    const Vec3 folded = p + mitre * wallHeight;
    uvTop[i] = wall.uv((p.x - uvOrigin) * uvPerUnit, (p.y - uvOrigin) * uvPerUnit);
    uvBottom[i] = wall.uv((folded.x - uvOrigin) * uvPerUnit, (folded.y - uvOrigin) * uvPerUnit);
  }
  // Sides, each wound to face outwards.
  for (int i = 0; i < 6; ++i) {
    const int j = (i + 1) % 6;
    wall.triangle(bottom[i], bottom[j], top[j], uvBottom[i], uvBottom[j], uvTop[j]);
    wall.triangle(top[j], top[i], bottom[i], uvTop[j], uvTop[i], uvBottom[i]);
  }
  // Top (facing up) and bottom (facing down), fanned from the inner corner,
  // which sees every other corner of the L.
  for (int n = 1; n < 5; ++n) {
    const int a = (reflex + n) % 6, b = (reflex + n + 1) % 6;
    wall.triangle(top[reflex], top[a], top[b], uvTop[reflex], uvTop[a], uvTop[b]);
    wall.triangle(bottom[reflex], bottom[b], bottom[a], uvBottom[reflex], uvBottom[b],
                  uvBottom[a]);
  }
  return wall.data();
}

// A rail from start to end (a horizontal axis) fitted to its box.
MeshData rail(const char* name, const Box& box, bool alongX) {
  MeshBuilder rod(name);
  const int axis = alongX ? 0 : 1;
  const double across = alongX ? 0.5 * (box.min[1] + box.max[1]) : 0.5 * (box.min[0] + box.max[0]);
  const double height = 0.5 * (box.min[2] + box.max[2]);
  const auto onAxis = [&](double t) {
    return alongX ? Vec3{t, across, height} : Vec3{across, t, height};
  };
  Frame frame;
  frame.tangent = alongX ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  frame.binormal = {0, 0, 1};
  frame.normal = cross(frame.binormal, frame.tangent);  // level and across the rail
  frame.origin = onAxis(box.min[axis] + railCapRise);
  const Ring first = addRing(rod, frame, railSides, railRadius);
  frame.origin = onAxis(box.max[axis] - railCapRise);
  const Ring last = addRing(rod, frame, railSides, railRadius);
  const int startCap = rod.vertex(onAxis(box.min[axis]));
  const int endCap = rod.vertex(onAxis(box.max[axis]));
  bridge(rod, first, last, true);
  fan(rod, startCap, first, true);
  fan(rod, endCap, last, false);
  fitToBox(rod.data(), box);
  return rod.data();
}

}  // namespace

ModelData buildPoolModel() {
  // East wall with the north wall; the north arm ends against the west wall.
  const Outline eastNorth{{{basinHigh, -100.37, 0},
                           {110.50, -100.37, 0},
                           {110.50, 99.63, 0},
                           {basinLow, 99.63, 0},
                           {basinLow, basinHigh, 0},
                           {basinHigh, basinHigh, 0}}};
  // West wall with the south wall; the south arm ends against the east wall.
  const Outline westSouth{{{-112.26, -100.33, 0},
                           {basinHigh, -100.33, 0},
                           {basinHigh, basinLow, 0},
                           {basinLow, basinLow, 0},
                           {basinLow, 99.67, 0},
                           {-112.26, 99.67, 0}}};
  constexpr int innerCorner1 = 5, innerCorner2 = 3;

  ModelData pool{"pool", {}};
  pool.meshes.push_back(lPrism("poolBasin1", eastNorth, innerCorner1));
  pool.meshes.push_back(lPrism("poolBasin2", westSouth, innerCorner2));
  pool.meshes.push_back(rail("poolRim1", {{-111.75, 98.32, 20.95}, {108.25, 101.32, 23.80}}, true));
  pool.meshes.push_back(rail("poolRim2", {{-110.35, -100.62, 20.82}, {107.65, -97.62, 23.67}}, true));
  pool.meshes.push_back(rail("poolRim3", {{107.59, -100.84, 21.31}, {110.59, 101.16, 24.16}}, false));
  pool.meshes.push_back(rail("poolRim4", {{-112.88, -100.09, 20.72}, {-109.88, 97.91, 23.58}}, false));
  return pool;
}
