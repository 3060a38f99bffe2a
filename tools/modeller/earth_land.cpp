#include "tools/modeller/earth_land.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <set>
#include <utility>

#include "tools/modeller/earth_delaunay.h"
#include "tools/modeller/earth_points.h"
#include "tools/modeller/earth_terrain.h"
#include "tools/modeller/mesh_builder.h"

namespace {

// Points per side of the base between its corners.
constexpr int borderPointsPerSide = 3;
constexpr int borderPoints = 4 + 4 * borderPointsPerSide;
// Grid steps per model unit: point positions are snapped to this grid so the
// triangulation's predicates are exact.
constexpr double gridPerUnit = 20.0;

// Spacing of the points: fine inland, growing towards the border by
// spacingGrowth units per unit of distance, up to the border edges' length.
constexpr double spacingGrowth = 1.3;
// No point may come closer to the border than this share of its spacing.
constexpr double borderClearance = 0.55;
constexpr std::uint32_t landSeed = 20240611u;
// Rounds of relaxation after the spreading.
constexpr int relaxRounds = 8;

double borderEdgeLength(double halfSize) { return 2.0 * halfSize / (borderPointsPerSide + 1); }

// The spacing wanted at distance d from the border, given the inland spacing.
double spacingAt(double d, double inland, double halfSize) {
  const double edge = borderEdgeLength(halfSize);
  return std::max(inland, std::min(edge, edge - spacingGrowth * d));
}

// The inland spacing for which a hexagonal packing of the allowed area holds
// about the wanted number of points (the spreading then hits it exactly).
double inlandSpacing(int wanted, double halfSize) {
  constexpr int samples = 200;
  const double cell = 2.0 * halfSize / samples;
  const auto expected = [&](double inland) {
    double count = 0.0;
    for (int i = 0; i < samples; ++i) {
      for (int j = 0; j < samples; ++j) {
        const double d =
            distanceToBorder(-halfSize + (i + 0.5) * cell, -halfSize + (j + 0.5) * cell, halfSize);
        const double s = spacingAt(d, inland, halfSize);
        if (d >= borderClearance * s) count += cell * cell / (std::sqrt(3.0) / 2.0 * s * s);
      }
    }
    return count;
  };
  double low = 1.0, high = borderEdgeLength(halfSize);
  for (int step = 0; step < 40; ++step) {
    const double middle = 0.5 * (low + high);
    (expected(middle) > wanted ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

std::int64_t toGrid(double v) { return static_cast<std::int64_t>(std::llround(v * gridPerUnit)); }

// The 16 border points, the rectangle's corners first (counter-clockwise).
std::vector<GridPoint> borderGridPoints(double halfSize) {
  const std::int64_t h = toGrid(halfSize);
  std::vector<GridPoint> points{{-h, -h}, {h, -h}, {h, h}, {-h, h}};
  for (int k = 1; k <= borderPointsPerSide; ++k) {
    const std::int64_t t = -h + 2 * h * k / (borderPointsPerSide + 1);
    points.push_back({t, -h});
    points.push_back({h, t});
    points.push_back({-t, h});
    points.push_back({-h, -t});
  }
  return points;
}

// Moves every free point towards the centroid of the triangles around it,
// each triangle weighted by its area over the wanted spacing squared, for a
// few rounds: the points settle into an even, well-shaped pattern that keeps
// the wanted grading. Moves that would leave the allowed area are skipped.
void relax(std::vector<GridPoint>& grid, int fixedCount, const SpreadRequest& request) {
  for (int round = 0; round < relaxRounds; ++round) {
    std::vector<double> sumX(grid.size(), 0.0), sumY(grid.size(), 0.0), weight(grid.size(), 0.0);
    for (const auto& t : delaunayInRectangle(grid)) {
      const PlanePoint a{grid[t[0]].x / gridPerUnit, grid[t[0]].y / gridPerUnit};
      const PlanePoint b{grid[t[1]].x / gridPerUnit, grid[t[1]].y / gridPerUnit};
      const PlanePoint c{grid[t[2]].x / gridPerUnit, grid[t[2]].y / gridPerUnit};
      const PlanePoint centre{(a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0};
      const double area = 0.5 * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
      const double s = request.spacing(centre);
      const double w = area / (s * s);
      for (int v : t) {
        sumX[v] += w * centre.x;
        sumY[v] += w * centre.y;
        weight[v] += w;
      }
    }
    std::set<std::pair<std::int64_t, std::int64_t>> taken;
    for (const GridPoint& g : grid) taken.insert({g.x, g.y});
    for (size_t i = fixedCount; i < grid.size(); ++i) {
      if (weight[i] <= 0.0) continue;
      const PlanePoint target{sumX[i] / weight[i], sumY[i] / weight[i]};
      const GridPoint g{toGrid(target.x), toGrid(target.y)};
      if (!request.allowed(target) || taken.count({g.x, g.y})) continue;
      taken.erase({grid[i].x, grid[i].y});
      taken.insert({g.x, g.y});
      grid[i] = g;
    }
  }
}

}  // namespace

MeshData buildLandTerrain(const CatalogueFigures& row) {
  const Box box = row.box();
  // The base is square about the origin; the box's x extent gives its side.
  const double halfSize = box.max[0];
  const double rimHeight = box.min[2], summitHeight = box.max[2];
  std::vector<GridPoint> grid = borderGridPoints(halfSize);
  const double inland = inlandSpacing(row.vertexCount() - borderPoints, halfSize);
  SpreadRequest request;
  request.count = row.vertexCount() - borderPoints;
  request.minX = request.minY = -halfSize;
  request.maxX = request.maxY = halfSize;
  request.spacing = [inland, halfSize](PlanePoint p) {
    return spacingAt(distanceToBorder(p.x, p.y, halfSize), inland, halfSize);
  };
  request.allowed = [inland, halfSize](PlanePoint p) {
    const double d = distanceToBorder(p.x, p.y, halfSize);
    return d >= borderClearance * spacingAt(d, inland, halfSize);
  };
  for (const GridPoint& g : grid) request.fixed.push_back({g.x / gridPerUnit, g.y / gridPerUnit});
  request.seed = landSeed;
  std::set<std::pair<std::int64_t, std::int64_t>> taken;
  for (const GridPoint& g : grid) taken.insert({g.x, g.y});
  for (const PlanePoint& p : spreadPoints(request)) {
    const GridPoint g{toGrid(p.x), toGrid(p.y)};
    if (taken.insert({g.x, g.y}).second) grid.push_back(g);
  }
  relax(grid, borderPoints, request);

  // Vertices in rows from south to north, west to east within a row band.
  constexpr double rowBand = 20.0;
  std::vector<int> order(grid.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const auto band = [&](int i) { return std::floor(grid[i].y / gridPerUnit / rowBand); };
    if (band(a) != band(b)) return band(a) < band(b);
    return grid[a].x != grid[b].x ? grid[a].x < grid[b].x : grid[a].y < grid[b].y;
  });
  std::vector<int> newIndex(grid.size());
  for (size_t i = 0; i < order.size(); ++i) newIndex[order[i]] = static_cast<int>(i);

  std::vector<std::array<int, 3>> triangles;
  for (auto t : delaunayInRectangle(grid)) {
    for (int& v : t) v = newIndex[v];
    // Start each triangle at its lowest vertex; keep the winding.
    std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
    triangles.push_back(t);
  }
  std::sort(triangles.begin(), triangles.end());

  std::vector<double> heights(grid.size());
  for (size_t i = 0; i < order.size(); ++i) {
    const GridPoint& g = grid[order[i]];
    heights[i] = terrainHeight(g.x / gridPerUnit, g.y / gridPerUnit, halfSize);
  }
  const double tallest = *std::max_element(heights.begin(), heights.end());
  MeshBuilder land(row.name);
  for (size_t i = 0; i < order.size(); ++i) {
    const GridPoint& g = grid[order[i]];
    const double x = g.x / gridPerUnit, y = g.y / gridPerUnit;
    land.vertex({x, y, rimHeight + (summitHeight - rimHeight) * heights[i] / tallest});
    land.uv((x + halfSize) / (2.0 * halfSize), (y + halfSize) / (2.0 * halfSize));
  }
  for (const auto& t : triangles) land.triangle(t[0], t[1], t[2], t[0], t[1], t[2]);
  fitToBox(land.data(), {{-halfSize, -halfSize, rimHeight}, {halfSize, halfSize, summitHeight}});
  return land.data();
}
