// The stage's structure beyond its counts and boxes: every part is a closed,
// outward-facing surface of the right shape, the domes are hollow with
// windows through both walls, the walkways are straight girders that reach
// into their domes, the spheres ride round their walkways without touching them
// or the column, and the textures wrap without torn seams.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

#include "tools/modeller/geometry.h"
#include "tools/modeller/models.h"

namespace {

// Positions in the model's mesh list, counted from 0 (one less than the
// catalogue's mesh numbers).
constexpr int columnIndex = 0;
constexpr int firstDome = 1;
constexpr int firstWalkway = 5;
constexpr int firstSphere = 9;
constexpr int partsPerKind = 4;

// The model under test, built once.
const ModelData& stage() {
  static const ModelData model = buildConfiguredModel("stage");
  return model;
}

// Position of one vertex.
Vec3 vertexAt(const MeshData& mesh, int index) {
  const double* p = &mesh.positions[3 * static_cast<size_t>(index)];
  return {p[0], p[1], p[2]};
}

// Centre of a mesh's bounding box.
Vec3 boxCentre(const MeshData& mesh) {
  const Box box = boundingBox(mesh.positions);
  return {0.5 * (box.min[0] + box.max[0]), 0.5 * (box.min[1] + box.max[1]),
          0.5 * (box.min[2] + box.max[2])};
}

// Topology and volume of a triangle mesh taken as a surface.
struct Surface {
  bool closedAndOriented = true;  // every directed edge once, its reverse once
  bool manifoldVertices = true;   // the triangles round each vertex form one fan
  int components = 0;
  int genus = -1;
  double volume = 0.0;            // positive when the faces point outwards
};

// Edges, vertex fans, components (union-find), Euler genus and signed volume.
Surface surfaceOf(const MeshData& mesh) {
  Surface s;
  std::map<std::pair<int, int>, int> directed;
  std::vector<std::map<int, int>> link(mesh.vertexCount());
  std::vector<int> parent(mesh.vertexCount());
  std::iota(parent.begin(), parent.end(), 0);
  const auto root = [&](int v) {
    while (parent[v] != v) v = parent[v] = parent[parent[v]];
    return v;
  };
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const int* t = &mesh.triangles[3 * f];
    for (int k = 0; k < 3; ++k) {
      const int a = t[k], b = t[(k + 1) % 3], c = t[(k + 2) % 3];
      ++directed[{a, b}];
      link[a][b] = c;
      parent[root(a)] = root(b);
    }
    s.volume += dot(vertexAt(mesh, t[0]), cross(vertexAt(mesh, t[1]), vertexAt(mesh, t[2]))) / 6.0;
  }
  for (const auto& [edge, count] : directed) {
    const auto reverse = directed.find({edge.second, edge.first});
    if (count != 1 || reverse == directed.end() || reverse->second != 1) s.closedAndOriented = false;
  }
  for (const std::map<int, int>& fanLinks : link) {
    if (fanLinks.empty()) continue;
    size_t steps = 0;
    int at = fanLinks.begin()->first;
    do {
      const auto next = fanLinks.find(at);
      if (next == fanLinks.end()) break;
      at = next->second;
      ++steps;
    } while (at != fanLinks.begin()->first && steps <= fanLinks.size());
    if (steps != fanLinks.size() || at != fanLinks.begin()->first) s.manifoldVertices = false;
  }
  std::set<int> roots;
  for (int v = 0; v < mesh.vertexCount(); ++v) roots.insert(root(v));
  s.components = static_cast<int>(roots.size());
  const int euler = mesh.vertexCount() - static_cast<int>(directed.size()) / 2 + mesh.triangleCount();
  s.genus = (2 * s.components - euler) / 2;
  return s;
}

// The two axes across a horizontal direction along x or y: (other, z).
std::array<int, 2> acrossAxes(int alongAxis) { return {alongAxis == 0 ? 1 : 0, 2}; }

// Coordinate of p on axis 0, 1 or 2.
double along(Vec3 p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

struct Point2 {
  double a, b;
};

// p seen along a horizontal axis: its coordinates across it.
Point2 across(Vec3 p, int alongAxis) {
  const std::array<int, 2> axes = acrossAxes(alongAxis);
  return {along(p, axes[0]), along(p, axes[1])};
}

// Positive when p, q, r turn counter-clockwise.
double signedArea(Point2 p, Point2 q, Point2 r) {
  return 0.5 * ((q.a - p.a) * (r.b - p.b) - (q.b - p.b) * (r.a - p.a));
}

// Distance from p to the segment ab.
double segmentDistance(Point2 p, Point2 a, Point2 b) {
  const double da = b.a - a.a, db = b.b - a.b;
  const double length2 = da * da + db * db;
  double t = length2 > 0 ? ((p.a - a.a) * da + (p.b - a.b) * db) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.a - (a.a + t * da), p.b - (a.b + t * db));
}

// Distance from p to the filled triangle abc in the plane.
double triangleDistance(Point2 p, Point2 a, Point2 b, Point2 c) {
  const double s1 = signedArea(p, a, b), s2 = signedArea(p, b, c), s3 = signedArea(p, c, a);
  const bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  if (inside) return 0.0;
  return std::min({segmentDistance(p, a, b), segmentDistance(p, b, c), segmentDistance(p, c, a)});
}

// Walkway i (0..3): its horizontal axis and outward sign, and the dome it leads to.
struct WalkwayRoute {
  int axis;
  double outward;
  int dome;
};
const WalkwayRoute walkwayRoutes[partsPerKind] = {
    {0, -1.0, 0}, {1, +1.0, 2}, {1, -1.0, 3}, {0, +1.0, 1}};

// Sphere i (0..3): the walkway it rides and the slide the program gives it.
struct SphereRide {
  int walkway;
  double slideMin, slideMax;
};
const SphereRide sphereRides[partsPerKind] = {
    {1, -50.0, 0.0}, {2, 0.0, 50.0}, {3, -50.0, 0.0}, {0, 0.0, 50.0}};

TEST(StageModel, EveryPartIsOneClosedOutwardFacingSurface) {
  const ModelData& model = stage();
  ASSERT_EQ(model.meshes.size(), 1u + 3u * partsPerKind);
  for (size_t m = 0; m < model.meshes.size(); ++m) {
    const MeshData& mesh = model.meshes[m];
    const Surface s = surfaceOf(mesh);
    EXPECT_TRUE(s.closedAndOriented) << mesh.name;
    EXPECT_TRUE(s.manifoldVertices) << mesh.name;
    EXPECT_EQ(s.components, 1) << mesh.name;
    EXPECT_GT(s.volume, 0.0) << mesh.name << " faces inwards";
  }
  // Holes through each part: none in the column and walkways, one through
  // each sphere, one per window in each dome.
  EXPECT_EQ(surfaceOf(model.meshes[columnIndex]).genus, 0);
  for (int i = 0; i < partsPerKind; ++i) {
    EXPECT_EQ(surfaceOf(model.meshes[firstDome + i]).genus, 16) << model.meshes[firstDome + i].name;
    EXPECT_EQ(surfaceOf(model.meshes[firstWalkway + i]).genus, 0)
        << model.meshes[firstWalkway + i].name;
    EXPECT_EQ(surfaceOf(model.meshes[firstSphere + i]).genus, 1)
        << model.meshes[firstSphere + i].name;
  }
}

TEST(StageModel, ColumnIsTwelveSidedWithRadiusThirty) {
  const MeshData& column = stage().meshes[columnIndex];
  const Vec3 centre = boxCentre(column);
  const Box box = boundingBox(column.positions);
  int onAxis = 0;
  double maxRadius = 0.0;
  for (int v = 0; v < column.vertexCount(); ++v) {
    const Vec3 p = vertexAt(column, v);
    const double radius = std::hypot(p.x - centre.x, p.y - centre.y);
    maxRadius = std::max(maxRadius, radius);
    if (radius < 1e-9) {
      ++onAxis;
      EXPECT_TRUE(std::fabs(p.z - box.min[2]) < 1e-9 || std::fabs(p.z - box.max[2]) < 1e-9)
          << "axis vertex inside the column";
      continue;
    }
    const double sides = std::atan2(p.y - centre.y, p.x - centre.x) / (2.0 * pi / 12.0);
    EXPECT_NEAR(sides, std::round(sides), 1e-9) << "vertex " << v << " is off the 12 edges";
  }
  EXPECT_EQ(onAxis, 2) << "one cap centre at each end";
  EXPECT_NEAR(maxRadius, 30.0, 1e-6);
}

TEST(StageModel, DomesAreHollowDoubleWallsDrawnInsideOut) {
  for (int i = 0; i < partsPerKind; ++i) {
    const MeshData& dome = stage().meshes[firstDome + i];
    const Box box = boundingBox(dome.positions);
    const Vec3 centre = boxCentre(dome);
    const double radius = 0.5 * (box.max[0] - box.min[0]);
    const double height = box.max[2] - box.min[2];
    // A thin double wall encloses a small part of the solid half-ellipsoid.
    const double solid = 2.0 / 3.0 * pi * radius * radius * height;
    EXPECT_LT(surfaceOf(dome).volume, 0.15 * solid) << dome.name << " is not hollow";

    // Triangles wholly on the outer wall come after all those wholly on the inner wall.
    const auto wallOf = [&](int v) {
      const Vec3 p = vertexAt(dome, v);
      const double dx = (p.x - centre.x) / radius, dy = (p.y - centre.y) / radius;
      const double dz = (p.z - box.min[2]) / height;
      return std::sqrt(dx * dx + dy * dy + dz * dz) > 0.999 ? 1 : 0;
    };
    int lastInner = -1, firstOuter = dome.triangleCount(), outerCount = 0;
    for (int f = 0; f < dome.triangleCount(); ++f) {
      const int* t = &dome.triangles[3 * f];
      const int outer = wallOf(t[0]) + wallOf(t[1]) + wallOf(t[2]);
      if (outer == 0) lastInner = f;
      if (outer == 3) {
        firstOuter = std::min(firstOuter, f);
        ++outerCount;
      }
    }
    EXPECT_GT(outerCount, dome.triangleCount() / 3) << dome.name;
    EXPECT_LT(lastInner, firstOuter) << dome.name << ": the outer wall must be drawn last";
  }
}

TEST(StageModel, WalkwaysAreStraightGirdersFromTheCentreIntoTheirDomes) {
  const double columnRadius = 0.5 * (boundingBox(stage().meshes[columnIndex].positions).max[1] -
                                     boundingBox(stage().meshes[columnIndex].positions).min[1]);
  for (int i = 0; i < partsPerKind; ++i) {
    const MeshData& walkway = stage().meshes[firstWalkway + i];
    const WalkwayRoute route = walkwayRoutes[i];
    const Box box = boundingBox(walkway.positions);
    const double start = route.outward > 0 ? box.min[route.axis] : box.max[route.axis];
    const double end = route.outward > 0 ? box.max[route.axis] : box.min[route.axis];
    const double length = std::fabs(end - start);

    // It starts inside the column and ends inside its dome's footprint.
    EXPECT_LT(std::fabs(start), columnRadius) << walkway.name;
    const MeshData& dome = stage().meshes[firstDome + route.dome];
    const Vec3 domeCentre = boxCentre(dome);
    const Box domeBox = boundingBox(dome.positions);
    const double domeRadius = 0.5 * (domeBox.max[0] - domeBox.min[0]);
    EXPECT_LT(std::fabs(end - along(domeCentre, route.axis)), domeRadius) << walkway.name;

    // One section all along: every vertex projects onto the end's outline.
    std::set<std::pair<long, long>> section, endSection;
    const auto key = [&](Vec3 p) {
      const Point2 q = across(p, route.axis);
      return std::make_pair(std::lround(q.a * 1e6), std::lround(q.b * 1e6));
    };
    for (int v = 0; v < walkway.vertexCount(); ++v) {
      const Vec3 p = vertexAt(walkway, v);
      section.insert(key(p));
      if (along(p, route.axis) == end) endSection.insert(key(p));
    }
    EXPECT_EQ(section, endSection) << walkway.name << " changes its section along its length";

    // Each end plate is a fan that covers the section once: its triangles all
    // turn the same way and their areas add up to the section's area.
    const double sectionArea = surfaceOf(walkway).volume / length;
    for (const double plane : {start, end}) {
      double total = 0.0, absolute = 0.0;
      int plateTriangles = 0;
      for (int f = 0; f < walkway.triangleCount(); ++f) {
        const int* t = &walkway.triangles[3 * f];
        const Vec3 a = vertexAt(walkway, t[0]), b = vertexAt(walkway, t[1]), c = vertexAt(walkway, t[2]);
        if (along(a, route.axis) != plane || along(b, route.axis) != plane ||
            along(c, route.axis) != plane) {
          continue;
        }
        const double area = signedArea(across(a, route.axis), across(b, route.axis),
                                       across(c, route.axis));
        total += area;
        absolute += std::fabs(area);
        ++plateTriangles;
      }
      EXPECT_GT(plateTriangles, 0) << walkway.name;
      EXPECT_NEAR(std::fabs(total), absolute, 1e-9) << walkway.name << ": end plate folds over";
      EXPECT_NEAR(absolute, sectionArea, 1e-6 * sectionArea) << walkway.name;
    }
  }
}

TEST(StageModel, SpheresRideRoundTheirWalkwaysClearOfWalkwayAndColumn) {
  const MeshData& column = stage().meshes[columnIndex];
  const Vec3 columnCentre = boxCentre(column);
  double columnRadius = 0.0;
  for (int v = 0; v < column.vertexCount(); ++v) {
    const Vec3 p = vertexAt(column, v);
    columnRadius = std::max(columnRadius, std::hypot(p.x - columnCentre.x, p.y - columnCentre.y));
  }
  constexpr double clearance = 1.0;

  for (int i = 0; i < partsPerKind; ++i) {
    const MeshData& sphere = stage().meshes[firstSphere + i];
    const SphereRide ride = sphereRides[i];
    const MeshData& walkway = stage().meshes[firstWalkway + ride.walkway];
    const int axis = walkwayRoutes[ride.walkway].axis;
    const Point2 line = across(boxCentre(walkway), axis);

    double walkwayReach = 0.0;
    for (int v = 0; v < walkway.vertexCount(); ++v) {
      const Point2 q = across(vertexAt(walkway, v), axis);
      walkwayReach = std::max(walkwayReach, std::hypot(q.a - line.a, q.b - line.b));
    }
    // No sphere face comes near the walkway, seen along the walkway.
    double sphereGap = 1e9;
    for (int f = 0; f < sphere.triangleCount(); ++f) {
      const int* t = &sphere.triangles[3 * f];
      sphereGap = std::min(sphereGap, triangleDistance(line, across(vertexAt(sphere, t[0]), axis),
                                                       across(vertexAt(sphere, t[1]), axis),
                                                       across(vertexAt(sphere, t[2]), axis)));
    }
    EXPECT_GT(sphereGap, walkwayReach + clearance) << sphere.name;

    // The sphere goes all the way round the walkway's centre line.
    std::vector<double> angles;
    for (int v = 0; v < sphere.vertexCount(); ++v) {
      const Point2 q = across(vertexAt(sphere, v), axis);
      angles.push_back(std::atan2(q.b - line.b, q.a - line.a));
    }
    std::sort(angles.begin(), angles.end());
    double widestGap = angles.front() + 2.0 * pi - angles.back();
    for (size_t k = 1; k < angles.size(); ++k) widestGap = std::max(widestGap, angles[k] - angles[k - 1]);
    EXPECT_LT(widestGap, pi / 4) << sphere.name << " does not surround its walkway";

    // Over its whole slide it stays on the walkway and off the column.
    const Box sphereBox = boundingBox(sphere.positions);
    const Box walkwayBox = boundingBox(walkway.positions);
    const double nearEnd = sphereBox.min[axis] + ride.slideMin;
    const double farEnd = sphereBox.max[axis] + ride.slideMax;
    EXPECT_GE(nearEnd, walkwayBox.min[axis]) << sphere.name << " slides off its walkway";
    EXPECT_LE(farEnd, walkwayBox.max[axis]) << sphere.name << " slides off its walkway";
    EXPECT_GT(nearEnd * farEnd, 0.0) << sphere.name << " slides across the centre";
    EXPECT_GT(std::min(std::fabs(nearEnd), std::fabs(farEnd)), columnRadius + clearance)
        << sphere.name << " hits the column";
  }
}

TEST(StageModel, TexturesWrapWithoutTornSeams) {
  for (const MeshData& mesh : stage().meshes) {
    if (!mesh.textured()) continue;
    // Texture length per model unit along every triangle edge.
    std::vector<double> stretch;
    bool flat = false;
    for (int f = 0; f < mesh.triangleCount(); ++f) {
      const int* t = &mesh.triangles[3 * f];
      const int* uv = &mesh.uvTriangles[3 * f];
      const auto texel = [&](int k) {
        return Point2{mesh.uvs[2 * uv[k]], mesh.uvs[2 * uv[k] + 1]};
      };
      if (std::fabs(signedArea(texel(0), texel(1), texel(2))) < 1e-12) flat = true;
      for (int k = 0; k < 3; ++k) {
        const Point2 p = texel(k), q = texel((k + 1) % 3);
        stretch.push_back(std::hypot(q.a - p.a, q.b - p.b) /
                          length(vertexAt(mesh, t[(k + 1) % 3]) - vertexAt(mesh, t[k])));
      }
    }
    EXPECT_FALSE(flat) << mesh.name << " has a triangle with no texture area";
    std::sort(stretch.begin(), stretch.end());
    const double median = stretch[stretch.size() / 2];
    // A seam joined the wrong way round drags the whole texture across one edge.
    EXPECT_LT(stretch.back(), 3.0 * median) << mesh.name;
  }
}

}  // namespace
