// Each model's shape beyond its counts, boxes and closed solids (committed_models_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "assets/meshes/catalogue.h"
#include "scenes/wind/sway_groups.h"
#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/earth_delaunay.h"
#include "tools/modeller/models.h"

namespace {
// The stage's domes are hollow and draw their inner wall first, the spheres ride round their
// walkways without touching them, and the textures wrap without torn seams.
const MeshData& part(int number) { return builtMesh("stage", number); }
double along(Vec3 p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }
double segmentDistance(Vec3 p, Vec3 a, Vec3 b) {
  const double t = std::clamp(dot(p - a, b - a) / dot(b - a, b - a), 0.0, 1.0);
  return length(p - (a + (b - a) * t));
}

TEST(StageModel, DomesAreHollowAndDrawTheirInnerWallFirst) {
  for (int number = 2; number <= 5; ++number) {
    const MeshData& dome = part(number);
    const Box box = boundingBox(dome.positions);
    const double radius = 0.5 * (box.max[0] - box.min[0]), height = box.max[2] - box.min[2];
    EXPECT_LT(surfaceFacts(dome).volume, 0.1 * pi * radius * radius * height) << dome.name;
    // Blended, the outer wall must come after every triangle of the inner one.
    const auto outer = [&](int v) {
      const Vec3 d = vertexAt(dome, v) - boxCentre(dome);
      return std::hypot(d.x / radius, d.y / radius, (d.z + height / 2) / height) > 0.999;
    };
    int lastInner = -1, firstOuter = dome.triangleCount(), outerCount = 0;
    for (int f = 0; f < dome.triangleCount(); ++f) {
      const int* t = &dome.triangles[3 * f];
      const int corners = outer(t[0]) + outer(t[1]) + outer(t[2]);
      if (corners == 0) lastInner = f;
      if (corners == 3) firstOuter = std::min(firstOuter, f), ++outerCount;
    }
    EXPECT_GT(outerCount, dome.triangleCount() / 3) << dome.name;
    EXPECT_LT(lastInner, firstOuter) << dome.name << ": the outer wall must be drawn last";
  }
}

TEST(StageModel, SpheresRideRoundTheirWalkwaysWithoutTouchingThem) {
  const int rides[4][2] = {{1, 1}, {2, 1}, {3, 0}, {0, 0}};  // walkway, axis of sphere s
  for (int s = 0; s < 4; ++s) {
    const MeshData &sphere = part(10 + s), &walkway = part(6 + rides[s][0]);
    // Seen along the walkway, no edge of the sphere comes within a unit of it.
    const int across = 1 - rides[s][1];
    const Vec3 line = boxCentre(walkway);
    const auto off = [&](Vec3 p) {
      return Vec3{along(p, across) - along(line, across), p.z - line.z, 0.0};
    };
    double walkwayReach = 0.0, nearest = 1e9;
    for (int v = 0; v < walkway.vertexCount(); ++v) {
      walkwayReach = std::max(walkwayReach, length(off(vertexAt(walkway, v))));
    }
    for (int f = 0; f < sphere.triangleCount(); ++f) {
      for (int k = 0; k < 3; ++k) {
        const int* t = &sphere.triangles[3 * f];
        const Vec3 a = off(vertexAt(sphere, t[k])), b = off(vertexAt(sphere, t[(k + 1) % 3]));
        nearest = std::min(nearest, segmentDistance({}, a, b));
      }
    }
    EXPECT_GT(nearest, walkwayReach + 1.0) << sphere.name << " touches its walkway";
  }
}

TEST(StageModel, TexturesWrapWithoutTornSeams) {
  for (const MeshData& mesh : builtModel("stage").meshes) {
    if (!mesh.textured()) continue;
    // Texture length per model unit along each edge: a seam joined the wrong way stretches one.
    std::vector<double> stretch;
    for (int f = 0; f < mesh.triangleCount(); ++f) {
      Vec3 uv[3], p[3];
      for (int k = 0; k < 3; ++k) {
        const int i = mesh.uvTriangles[3 * f + k];
        uv[k] = {mesh.uvs[2 * i], mesh.uvs[2 * i + 1], 0.0};
        p[k] = vertexAt(mesh, mesh.triangles[3 * f + k]);
      }
      EXPECT_GT(std::fabs(cross(uv[1] - uv[0], uv[2] - uv[0]).z), 1e-12) << mesh.name << " " << f;
      for (int k = 0; k < 3; ++k) {
        stretch.push_back(length(uv[(k + 1) % 3] - uv[k]) / length(p[(k + 1) % 3] - p[k]));
      }
    }
    std::sort(stretch.begin(), stretch.end());
    EXPECT_LT(stretch.back(), 3.0 * stretch[stretch.size() / 2]) << mesh.name;
  }
}

// The pool's two walls close the basin round the water without gap or overlap, in marble at one
// scale, never mirrored.
const double wallHeight = configuredEntry("pool").mesh(1).box().max[2];
constexpr double waterLow = -90.0, waterHigh = 88.2;  // the ripple surface's span
constexpr double uvPerUnit = 1.0 / 200.0;             // five repeats of the marble over 200

// Whether the wall's top face covers (x, y) seen from above.
bool covers(const MeshData& wall, double x, double y) {
  for (int f = 0; f < wall.triangleCount(); ++f) {
    Vec3 p[3];
    for (int k = 0; k < 3; ++k) p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
    if (p[0].z != wallHeight || p[1].z != wallHeight || p[2].z != wallHeight) continue;
    bool inside = true;
    for (int k = 0; k < 3; ++k) {
      const Vec3 a = p[k], b = p[(k + 1) % 3];
      inside = inside && (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) >= 0;
    }
    if (inside) return true;
  }
  return false;
}

TEST(PoolModel, WallsCloseTheBasinAroundTheWater) {
  // No wall over the open water; every point of the ring round it under exactly one wall.
  const MeshData &one = builtMesh("pool", 1), &two = builtMesh("pool", 2);
  const Box a = boundingBox(one.positions), b = boundingBox(two.positions);
  const double low = std::max(a.min[1], b.min[1]) + 0.05, high = std::min(a.max[1], b.max[1]);
  int ringPoints = 0;
  for (double x = b.min[0] + 0.05; x < a.max[0] - 0.05; x += 0.37) {
    for (double y = low; y < high - 0.05; y += 0.37) {
      const int count = covers(one, x, y) + covers(two, x, y);
      const auto inside = [&](double margin) {
        return std::min(x, y) > waterLow + margin && std::max(x, y) < waterHigh - margin;
      };
      if (inside(1.0)) {
        ASSERT_EQ(count, 0) << "a wall covers the open water at " << x << ", " << y;
      } else if (!inside(0.0)) {
        ASSERT_EQ(count, 1) << "walls cover " << x << ", " << y << " " << count << " times";
        ++ringPoints;
      }
    }
  }
  EXPECT_GT(ringPoints, 10000);
}

TEST(PoolModel, MarbleIsNeverSquashedOrMirrored) {
  for (int number : {1, 2}) {
    const MeshData& wall = builtMesh("pool", number);
    for (int f = 0; f < wall.triangleCount(); ++f) {
      SCOPED_TRACE(wall.name + " triangle " + std::to_string(f));
      Vec3 p[3], t[3];
      for (int k = 0; k < 3; ++k) {
        p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
        const double* uv = &wall.uvs[2 * wall.uvTriangles[3 * f + k]];
        t[k] = {uv[0], uv[1], 0.0};
      }
      const Vec3 normal = cross(p[1] - p[0], p[2] - p[0]);
      const double uvArea = cross(t[1] - t[0], t[2] - t[0]).z / 2.0;
      // Outward faces (down-facing ones seen from below) keep the handedness; the top is at scale.
      EXPECT_GT(normal.z < 0 ? -uvArea : uvArea, 0.0);
      const double topArea = length(normal) / 2 * uvPerUnit * uvPerUnit;
      EXPECT_NEAR(uvArea, normal.z > 0 ? topArea : uvArea, 1e-12);
      // Up a side the texture spans the wall's height at the same scale.
      for (int k = 0; normal.z == 0 && k < 3; ++k) {
        const int m = (k + 1) % 3, n = (k + 2) % 3;
        if (p[m].z != p[n].z || p[k].z == p[m].z) continue;
        const double height = std::fabs(cross(normalized(t[n] - t[m]), t[k] - t[m]).z);
        EXPECT_NEAR(height, wallHeight * uvPerUnit, 1e-12);
      }
    }
  }
}

// The intro letters (closed and wound outwards: ClosedSolids) wear their stone unmirrored, at one
// scale for all, without a seam along the front edge, and no wall leans back.
constexpr double front = 5.0, back = -5.0;

bool allAt(const MeshData& m, int f, double z) {
  const auto at = [&](int k) { return vertexAt(m, m.triangles[3 * f + k]).z == z; };
  return at(0) && at(1) && at(2);
}

Vec3 normalOf(const MeshData& m, int f) {
  const Vec3 a = vertexAt(m, m.triangles[3 * f]);
  return cross(vertexAt(m, m.triangles[3 * f + 1]) - a, vertexAt(m, m.triangles[3 * f + 2]) - a);
}

TEST(IntroModel, StoneRunsUnmirroredFromTheFaceOntoTheWallsWithoutASeam) {
  double scale = 0;
  for (const MeshData& m : builtModel("intro").meshes) {
    SCOPED_TRACE(m.name);
    const auto uvAt = [&](int f, int k) {
      const int i = m.uvTriangles[3 * f + k];
      return Vec3{m.uvs[2 * i], m.uvs[2 * i + 1], 0.0};
    };
    std::vector<double> stretch;
    std::map<std::pair<int, int>, std::pair<int, int>> frontEdgeUv;
    int seams = 0, shared = 0;
    for (int f = 0; f < m.triangleCount(); ++f) {
      // The front face is x and y at one scale for all letters, as if cut from one block.
      for (int k = 0; allAt(m, f, front) && k < 3; ++k) {
        const Vec3 p = vertexAt(m, m.triangles[3 * f + k]), uv = uvAt(f, k);
        if (scale == 0) scale = uv.x / p.x;
        EXPECT_NEAR(uv.x, p.x * scale, 1e-9);
        EXPECT_NEAR(uv.y, p.y * scale, 1e-9);
      }
      // From the front no texture is mirrored; the walls mostly unroll at the face's scale.
      if (allAt(m, f, back)) continue;
      EXPECT_GT(normalOf(m, f).z, allAt(m, f, front) ? 0.0 : -1e-9) << "triangle " << f;
      const double uvArea = cross(uvAt(f, 1) - uvAt(f, 0), uvAt(f, 2) - uvAt(f, 0)).z / 2;
      EXPECT_GT(uvArea, 1e-12) << "triangle " << f;
      const double area = length(normalOf(m, f)) / 2;
      if (!allAt(m, f, front)) stretch.push_back(uvArea / (area * scale * scale));
      // Across the front edge the face and the chamfer share their UVs.
      for (int k = 0; k < 3; ++k) {
        const int u = m.triangles[3 * f + k], v = m.triangles[3 * f + (k + 1) % 3];
        if (vertexAt(m, u).z != front || vertexAt(m, v).z != front) continue;
        const std::pair<int, int> uv{m.uvTriangles[3 * f + k], m.uvTriangles[3 * f + (k + 1) % 3]};
        const auto other = frontEdgeUv.find({v, u});
        if (other == frontEdgeUv.end()) {
          frontEdgeUv[{u, v}] = uv;
        } else {
          ++shared;
          seams += other->second != std::make_pair(uv.second, uv.first);
        }
      }
    }
    std::nth_element(stretch.begin(), stretch.begin() + stretch.size() / 2, stretch.end());
    EXPECT_NEAR(stretch[stretch.size() / 2], 1.0, 0.15);
    EXPECT_GT(shared, 0);
    EXPECT_EQ(seams, 0);
  }
}

// The fireball star: the program colours each triangle's first corner dark and the others bright,
// so each starts at the centre (the first 60) or an inner point (runs of five) and ends on two
// neighbouring tips, every ridge between a centre pit and an inner pit.
TEST(FireballModel, FansRunFromTheCentreAndInnerPointsToNeighbouringTips) {
  const MeshData& star = builtMesh("fireball", 1);
  constexpr int tips = 30, centreFan = 60;
  ASSERT_EQ(star.triangleCount(), 2 * centreFan);
  const auto corner = [&](int f, int k) { return star.triangles[3 * f + k]; };
  const auto isTip = [&](int v) { return v >= 1 && v <= tips; };
  const Vec3 centre = vertexAt(star, 0);
  const double neighbours = length(vertexAt(star, 1) - centre) * 2.0 / (1.0 + std::sqrt(5.0));
  std::map<int, int> fanOf;                  // inner point -> its triangles
  std::map<std::pair<int, int>, int> ridge;  // tip-to-tip edges, directed
  for (int f = 0; f < star.triangleCount(); ++f) {
    const int lead = corner(f, 0);
    if (f < centreFan) {
      EXPECT_EQ(lead, 0) << "triangle " << f;
    } else {
      EXPECT_TRUE(lead > tips && (f % 5 == 0 || lead == corner(f - 1, 0))) << "triangle " << f;
      ++fanOf[lead];
    }
    ASSERT_TRUE(isTip(corner(f, 1)) && isTip(corner(f, 2))) << "triangle " << f;
    const Vec3 b = vertexAt(star, corner(f, 1)), c = vertexAt(star, corner(f, 2));
    EXPECT_NEAR(length(c - b), neighbours, 1e-9) << "triangle " << f;
    ++ridge[{corner(f, 1), corner(f, 2)}];
  }
  EXPECT_EQ(fanOf.size(), 12u);
  for (const auto& [inner, count] : fanOf) EXPECT_EQ(count, 5) << "inner point " << inner;
  // Every ridge lies between one centre pit and one inner pit, run both ways.
  EXPECT_EQ(ridge.size(), 120u);
  for (const auto& [e, count] : ridge) EXPECT_EQ(count + ridge.count({e.second, e.first}), 2u);
}

// The bird statue's marble tiling never collapses into stripes and runs on across the edges.
TEST(BirdModel, EveryTriangleShowsThreeCornersOfTheMarbleTileAndNeighboursAgree) {
  for (const MeshData& m : builtModel("bird").meshes) {
    EXPECT_EQ(m.uvs, (std::vector<double>{0, 0, 1, 0, 1, 1, 0, 1})) << m.name;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const int* c = &m.uvTriangles[3 * f];
      ASSERT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << m.name << " triangle " << f;
    }
    // Where all triangles at a point take the same tile corner, the marble runs on across them.
    std::vector<std::set<int>> tiles(m.vertexCount());
    for (size_t k = 0; k < m.triangles.size(); ++k) tiles[m.triangles[k]].insert(m.uvTriangles[k]);
    const long agreeing = std::count_if(tiles.begin(), tiles.end(),
                                        [](const std::set<int>& s) { return s.size() == 1; });
    EXPECT_GE(agreeing, m.vertexCount() * 99 / 100) << m.name;
  }
}

// The tree: bark and leaf meshes alternate in the wind scene's sway groups, each group's stem rises
// from the trunk's foot, leaves are small flat quads on twigs of their own group, bark wraps.
const MeshData& meshNumber(int number) { return builtMesh("tree", number); }
int lastMesh() { return static_cast<int>(builtModel("tree").meshes.size()); }

// Distance from p to the nearer triangles of a mesh (corners within a unit).
double distanceToMesh(const MeshData& mesh, Vec3 p) {
  double nearest = 1e30;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const int* t = &mesh.triangles[3 * f];
    const Vec3 a = vertexAt(mesh, t[0]), b = vertexAt(mesh, t[1]), c = vertexAt(mesh, t[2]);
    if (length(a - p) > 1.0) continue;
    const Vec3 n = normalized(cross(b - a, c - a));
    const bool over = dot(cross(b - a, p - a), n) >= 0 && dot(cross(c - b, p - b), n) >= 0 &&
                      dot(cross(a - c, p - c), n) >= 0;
    nearest = std::min({nearest, over ? std::fabs(dot(p - a, n)) : 1e30, segmentDistance(p, a, b),
                        segmentDistance(p, b, c), segmentDistance(p, c, a)});
  }
  return nearest;
}

TEST(TreeModel, SwayGroupsHoldTheirStemThenBarkAndLeavesInTurn) {
  ASSERT_EQ(lastMesh() % 2, 1);  // the roots, bark, come last
  for (int g = 0; g < swayGroupCount; ++g) {
    const int stem = swayGroups[g].stemMesh, last = swayGroupLastMesh(g, lastMesh());
    ASSERT_EQ(stem % 2, 1) << "group " << g;
    EXPECT_EQ(last % 2, g + 1 < swayGroupCount ? 0 : 1) << "group " << g;
    for (int n = stem; n <= last; ++n) {
      EXPECT_EQ(meshNumber(n).name, (n % 2 ? "bark" : "leaves") + std::to_string(n));
      if (n % 2 == 1 && n != stem) {
        EXPECT_GT(meshNumber(stem).triangleCount(), meshNumber(n).triangleCount()) << n;
      }
    }
    // The stem's first ring lies on the ground round the origin; the last group's carries the top.
    const MeshData& mesh = meshNumber(stem);
    Vec3 sum;
    int onGround = 0;
    while (onGround < mesh.vertexCount() && vertexAt(mesh, onGround).z == 0.0) {
      sum = sum + vertexAt(mesh, onGround++);
    }
    ASSERT_GE(onGround, 8) << mesh.name;
    EXPECT_LT(std::hypot(sum.x, sum.y) / onGround, 0.01) << mesh.name;
    const double height = g + 1 < swayGroupCount ? 6.0 : 15.0;
    EXPECT_GT(boundingBox(mesh.positions).max[2], height) << mesh.name;
  }
  for (const MeshData& m : builtModel("tree").meshes) EXPECT_GE(boundingBox(m.positions).min[2], 0);
}

TEST(TreeModel, LeavesAreSmallFlatQuadsHangingOnTwigsOfTheirOwnGroup) {
  double worst = 0.0;
  std::string worstLeaf;
  for (int n = 2; n < lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    for (int j = 0; 2 * j < mesh.triangleCount(); ++j) {
      const int *t = &mesh.triangles[6 * j], *uv = &mesh.uvTriangles[6 * j], q = 4 * j;
      SCOPED_TRACE(mesh.name + " quad " + std::to_string(j));
      ASSERT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{q, q + 1, q + 2, q + 2, q + 3, q}));
      // Both triangles share the diagonal's texture corners, a tenth of the texture apart.
      EXPECT_TRUE(uv[3] == uv[2] && uv[5] == uv[0]);
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2]] - mesh.uvs[2 * uv[0]]), 0.1, 1e-9);
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2] + 1] - mesh.uvs[2 * uv[0] + 1]), 0.1, 1e-9);
      const Vec3 a = vertexAt(mesh, q), b = vertexAt(mesh, q + 1), c = vertexAt(mesh, q + 2),
                 d = vertexAt(mesh, q + 3);
      EXPECT_GT(dot(normalized(cross(b - a, c - a)), normalized(cross(d - c, a - c))), 0.999);
      for (double side : {length(b - a), length(c - b), length(d - c), length(a - d)}) {
        EXPECT_TRUE(side > 0.3 && side < 0.8) << "side " << side;
      }
      // The groups sway apart: the stalk edge's middle (corners 0, 3) touches its group's bark.
      double nearest = 1e30;
      for (int bark = 1; bark <= lastMesh(); bark += 2) {
        if (swayGroupOf(bark) != swayGroupOf(n)) continue;
        nearest = std::min(nearest, distanceToMesh(meshNumber(bark), (a + d) * 0.5));
      }
      if (nearest > worst) worst = nearest, worstLeaf = mesh.name + " quad " + std::to_string(j);
    }
  }
  EXPECT_LT(worst, 0.1) << worstLeaf;
}

TEST(TreeModel, BarkTextureWrapsWithoutASeam) {
  // The program scales bark u by 3: each tube's runs from 0 to whole texture widths.
  for (int n = 1; n <= lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    double widest = 0.0;
    for (size_t i = 0; i < mesh.uvs.size(); i += 2) {
      ASSERT_TRUE(mesh.uvs[i] >= 0.0 && mesh.uvs[i + 1] >= 0.0) << mesh.name;
      widest = std::max(widest, 3.0 * mesh.uvs[i]);
    }
    EXPECT_NEAR(widest, std::round(widest), 1e-9) << mesh.name;
    EXPECT_GE(widest, 1.0) << mesh.name;
  }
}

// The earth beyond its counts and boxes: the land a sliver-free Delaunay triangulation of the
// square base on a flat rim of 16 points, the water an even 41 x 41 grid; each textured once over.
const Box landBox = configuredEntry("earth").mesh(1).box();
const double halfSize = landBox.max[0];
constexpr double gridPerUnit = 20.0;

TEST(EarthModel, LandIsADelaunayTriangulationOnAFlatRimWithItsTextureSpreadOnce) {
  const MeshData& land = builtMesh("earth", 1);
  std::vector<GridPoint> grid;
  int border = 0;
  for (int i = 0; i < land.vertexCount(); ++i) {
    const Vec3 p = vertexAt(land, i);
    grid.push_back({std::llround(p.x * gridPerUnit), std::llround(p.y * gridPerUnit)});
    EXPECT_NEAR(grid.back().x / gridPerUnit, p.x, 1e-9);
    EXPECT_NEAR(land.uvs[2 * i], (p.x + halfSize) / (2 * halfSize), 1e-9);
    EXPECT_NEAR(land.uvs[2 * i + 1], (p.y + halfSize) / (2 * halfSize), 1e-9);
    if (std::max(std::fabs(p.x), std::fabs(p.y)) < halfSize - 1e-9) continue;
    // A border point: a corner or a quarter point of a side, at rim height.
    ++border;
    EXPECT_DOUBLE_EQ(p.z, landBox.min[2]);
    for (double c : {p.x, p.y}) EXPECT_NEAR(std::remainder(c, halfSize / 2), 0.0, 1e-9) << c;
  }
  EXPECT_EQ(border, 16);
  EXPECT_EQ(land.uvTriangles, land.triangles);
  // From above: every triangle faces up, they cover the base once, none has a vertex of its
  // neighbour inside its circumcircle or a slender angle.
  std::map<std::pair<int, int>, int> oppositeOf;
  double planArea = 0.0, largestCosine = -1.0;
  for (int f = 0; f < land.triangleCount(); ++f) {
    const int* t = &land.triangles[3 * f];
    const std::int64_t o = orient(grid[t[0]], grid[t[1]], grid[t[2]]);
    ASSERT_GT(o, 0) << "triangle " << f;
    planArea += o / (2.0 * gridPerUnit * gridPerUnit);
    for (int k = 0; k < 3; ++k) {
      oppositeOf[{t[k], t[(k + 1) % 3]}] = t[(k + 2) % 3];
      Vec3 u = vertexAt(land, t[(k + 1) % 3]) - vertexAt(land, t[k]);
      Vec3 v = vertexAt(land, t[(k + 2) % 3]) - vertexAt(land, t[k]);
      u.z = v.z = 0.0;
      largestCosine = std::max(largestCosine, dot(normalized(u), normalized(v)));
    }
  }
  EXPECT_NEAR(planArea, 4.0 * halfSize * halfSize, 1e-6);
  for (const auto& [edge, third] : oppositeOf) {
    const auto across = oppositeOf.find({edge.second, edge.first});
    if (across == oppositeOf.end()) continue;
    EXPECT_LE(inCircle(grid[edge.first], grid[edge.second], grid[third], grid[across->second]), 0)
        << "edge " << edge.first << "-" << edge.second << " is not locally Delaunay";
  }
  EXPECT_LT(largestCosine, std::cos(15.0 * pi / 180.0)) << "an angle under 15 degrees";
}

TEST(EarthModel, WaterIsAnEvenGridWithItsTextureSpanningItOnce) {
  const MeshData& water = builtMesh("earth", 2);
  ASSERT_EQ(water.vertexCount(), 41 * 41);
  const Vec3 first = vertexAt(water, 0), step = (vertexAt(water, 41 * 41 - 1) - first) * 0.025;
  for (int i = 0; i < 41 * 41; ++i) {
    const int r = i / 41, c = i % 41;
    EXPECT_NEAR(vertexAt(water, i).x, first.x + c * step.x, 1e-9) << i;
    EXPECT_NEAR(vertexAt(water, i).y, first.y + r * step.y, 1e-9) << i;
    EXPECT_NEAR(water.uvs[2 * i], c / 40.0, 1e-12) << i;
    EXPECT_NEAR(water.uvs[2 * i + 1], r / 40.0, 1e-12) << i;
  }
}
}  // namespace
