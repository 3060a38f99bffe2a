// The fireball: a spiky star built on an icosahedron. Its 30 edge midpoints,
// pushed out to radius 30, are the tips; its 12 corners, pulled in to the
// radius where the corners sit when the edge midpoints are at 30, are the inner
// points. Every face of the icosahedron becomes a three-sided pit that runs
// down to the centre point, and every corner a five-sided pit down to its inner
// point, so each tip stands out as a four-sided spike. The program colours the
// first corner of every triangle dark and the other two bright, which is why
// every triangle starts at the centre or an inner point and ends on two tips.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"

namespace {

const Vec3 starCentre{0.369, 0.0, 0.0};
constexpr double tipRadius = 30.0;
const double goldenRatio = (1.0 + std::sqrt(5.0)) / 2.0;
// An icosahedron with edge 2 has its edge midpoints at distance phi and its
// corners at sqrt(1 + phi^2): the inner points keep that ratio to the tips.
const double innerRadius = tipRadius / std::sqrt(1.0 + goldenRatio * goldenRatio);
constexpr double icosahedronEdge = 2.0;
constexpr double edgeTolerance = 1e-9;

// The 12 corners of the icosahedron with edge 2 in its standard orientation:
// (0, +-1, +-phi) and its cyclic permutations. The edge midpoints then include
// the six points on the axes.
std::vector<Vec3> icosahedronCorners() {
  std::vector<Vec3> corners;
  for (double a : {-1.0, 1.0}) {
    for (double b : {-goldenRatio, goldenRatio}) {
      corners.push_back({0.0, a, b});
      corners.push_back({a, b, 0.0});
      corners.push_back({b, 0.0, a});
    }
  }
  return corners;
}

bool adjacent(Vec3 a, Vec3 b) { return std::fabs(length(a - b) - icosahedronEdge) < edgeTolerance; }

// Adds triangle (first, p, q) wound so that its normal points into the pit it
// lines, that is towards the pit's axis: away from the solid spikes.
void addPitTriangle(MeshBuilder& mesh, int first, int p, int q, Vec3 pitAxis) {
  const Vec3 a = mesh.position(first), b = mesh.position(p), c = mesh.position(q);
  const Vec3 normal = cross(b - a, c - a);
  const Vec3 towardsAxis = pitAxis - (b + c) * 0.5;
  if (dot(normal, towardsAxis) >= 0.0) {
    mesh.triangle(first, p, q);
  } else {
    mesh.triangle(first, q, p);
  }
}

}  // namespace

ModelData buildFireballModel(const CatalogueModel& entry) {
  const std::vector<Vec3> corners = icosahedronCorners();
  const int cornerCount = static_cast<int>(corners.size());

  // Edges in a fixed order (by corner indices); tip e is edge e's midpoint.
  std::vector<std::array<int, 2>> edges;
  for (int i = 0; i < cornerCount; ++i) {
    for (int j = i + 1; j < cornerCount; ++j) {
      if (adjacent(corners[i], corners[j])) edges.push_back({i, j});
    }
  }
  const auto edgeOf = [&](int i, int j) {
    const std::array<int, 2> key{std::min(i, j), std::max(i, j)};
    return static_cast<int>(std::find(edges.begin(), edges.end(), key) - edges.begin());
  };

  MeshBuilder star(entry.mesh(1).name);
  const int centre = star.vertex(starCentre);
  std::vector<int> tips;
  for (const auto& edge : edges) {
    const Vec3 direction = normalized(corners[edge[0]] + corners[edge[1]]);
    tips.push_back(star.vertex(starCentre + direction * tipRadius));
  }
  std::vector<int> inner;
  for (const Vec3& corner : corners) {
    inner.push_back(star.vertex(starCentre + normalized(corner) * innerRadius));
  }

  // Triangles 0-59: each face's pit, from the centre to its three pairs of tips.
  for (int i = 0; i < cornerCount; ++i) {
    for (int j = i + 1; j < cornerCount; ++j) {
      for (int k = j + 1; k < cornerCount; ++k) {
        if (!adjacent(corners[i], corners[j]) || !adjacent(corners[j], corners[k]) ||
            !adjacent(corners[i], corners[k])) {
          continue;
        }
        const Vec3 faceAxis = starCentre + normalized(corners[i] + corners[j] + corners[k]) * tipRadius;
        const int a = tips[edgeOf(i, j)], b = tips[edgeOf(j, k)], c = tips[edgeOf(k, i)];
        addPitTriangle(star, centre, a, b, faceAxis);
        addPitTriangle(star, centre, b, c, faceAxis);
        addPitTriangle(star, centre, c, a, faceAxis);
      }
    }
  }

  // Triangles 60-119: each corner's pit, from its inner point to the five pairs
  // of neighbouring tips around it, walked in order around the corner.
  for (int i = 0; i < cornerCount; ++i) {
    std::vector<int> ring;  // neighbouring corners, each adjacent to the one before
    for (int j = 0; j < cornerCount && ring.empty(); ++j) {
      if (adjacent(corners[i], corners[j])) ring.push_back(j);
    }
    while (ring.size() < 5) {
      for (int j = 0; j < cornerCount; ++j) {
        if (j != i && adjacent(corners[i], corners[j]) && adjacent(corners[ring.back()], corners[j]) &&
            std::find(ring.begin(), ring.end(), j) == ring.end()) {
          ring.push_back(j);
          break;
        }
      }
    }
    const Vec3 cornerAxis = starCentre + normalized(corners[i]) * tipRadius;
    for (size_t n = 0; n < ring.size(); ++n) {
      const int p = tips[edgeOf(i, ring[n])], q = tips[edgeOf(i, ring[(n + 1) % ring.size()])];
      addPitTriangle(star, inner[i], p, q, cornerAxis);
    }
  }
  return {entry.name, {star.data()}};
}
