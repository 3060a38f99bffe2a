// The pool of the water scene: two L-shaped marble walls that together close a
// square basin, and four grey rails along the walls' outer top edges.
//
// poolBasin1 is the east wall with the north wall, poolBasin2 the west wall
// with the south wall; each arm ends against the other piece's inner face, so
// the open basin is the square from poolBasin1's west side to poolBasin2's
// east side on both axes, a little inside the edges of the rippling water.
// Each wall is an L-shaped prism standing in its catalogue box: six corners at
// the bottom and six at the top (12 vertices), six side quads, and top and
// bottom each fanned from the L's inner corner (20 triangles).
//
// Each rail is a 10-sided rod of radius 1.5 with a corner pointing sideways,
// so it is 3 across and 2.85 high, closed at both ends by a low cone (22
// vertices, 40 triangles).
#include <array>
#include <cmath>
#include <iterator>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"
#include "tools/modeller/primitives.h"

namespace {

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

// An L-shaped prism from the bottom to the top of its box over a
// counter-clockwise outline whose corner reflex is the L's inner corner. The
// top is mapped straight down onto the texture; each bottom corner is mapped
// as if the sides were folded out flat around the top (the top outline offset
// outwards by the wall height), so every face keeps the same texture scale.
MeshData lPrism(const CatalogueFigures& row, const Outline& outline, int reflex) {
  MeshBuilder wall(row.name);
  const Box box = row.box();
  const double wallHeight = box.max[2] - box.min[2];
  std::array<int, 6> bottom{}, top{}, uvBottom{}, uvTop{};
  for (int i = 0; i < 6; ++i) {
    const Vec3 p = outline[i];
    bottom[i] = wall.vertex({p.x, p.y, box.min[2]});
    top[i] = wall.vertex({p.x, p.y, box.max[2]});
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

// A rail from end to end of its box along a horizontal axis, fitted to the box.
MeshData rail(const CatalogueFigures& row, bool alongX) {
  MeshBuilder rod(row.name);
  const Box box = row.box();
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

// Pool mesh numbers (1-based, as in the catalogue).
constexpr int eastNorthBasin = 1, westSouthBasin = 2, firstRim = 3;
// Whether each rim runs along x, in the order of their meshes (0-based).
constexpr bool rimAlongX[] = {true, true, false, false};

}  // namespace

ModelData buildPoolModel(const CatalogueModel& entry) {
  const Box eastNorthBox = entry.mesh(eastNorthBasin).box();
  const Box westSouthBox = entry.mesh(westSouthBasin).box();
  // The open basin's sides on both axes: just inside the water's edges.
  const double basinLow = eastNorthBox.min[0];
  const double basinHigh = westSouthBox.max[0];
  // East wall with the north wall; the north arm ends against the west wall.
  const Outline eastNorth{{{basinHigh, eastNorthBox.min[1], 0},
                           {eastNorthBox.max[0], eastNorthBox.min[1], 0},
                           {eastNorthBox.max[0], eastNorthBox.max[1], 0},
                           {basinLow, eastNorthBox.max[1], 0},
                           {basinLow, basinHigh, 0},
                           {basinHigh, basinHigh, 0}}};
  // West wall with the south wall; the south arm ends against the east wall.
  const Outline westSouth{{{westSouthBox.min[0], westSouthBox.min[1], 0},
                           {basinHigh, westSouthBox.min[1], 0},
                           {basinHigh, basinLow, 0},
                           {basinLow, basinLow, 0},
                           {basinLow, westSouthBox.max[1], 0},
                           {westSouthBox.min[0], westSouthBox.max[1], 0}}};
  constexpr int innerCorner1 = 5, innerCorner2 = 3;

  ModelData pool{entry.name, {}};
  pool.meshes.push_back(lPrism(entry.mesh(eastNorthBasin), eastNorth, innerCorner1));
  pool.meshes.push_back(lPrism(entry.mesh(westSouthBasin), westSouth, innerCorner2));
  for (size_t r = 0; r < std::size(rimAlongX); ++r) {
    pool.meshes.push_back(rail(entry.mesh(firstRim + static_cast<int>(r)), rimAlongX[r]));
  }
  return pool;
}
