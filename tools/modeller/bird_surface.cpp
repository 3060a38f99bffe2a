#include "tools/modeller/bird_surface.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "tools/modeller/mesh_builder.h"

namespace {

// The unit-square UV table, indexed by tile corner.
constexpr double tileU[tileCorners] = {0.0, 1.0, 1.0, 0.0};
constexpr double tileV[tileCorners] = {0.0, 0.0, 1.0, 1.0};

int parity(int value) { return ((value % 2) + 2) % 2; }

// Points that share an edge with each point.
std::vector<std::set<int>> neighbours(const Surface& surface) {
  std::vector<std::set<int>> result(surface.points.size());
  for (const auto& t : surface.triangles) {
    for (int k = 0; k < 3; ++k) {
      result[t[k]].insert(t[(k + 1) % 3]);
      result[t[(k + 1) % 3]].insert(t[k]);
    }
  }
  return result;
}

// Distance between two fractions of a row, around the loop when closed.
double fractionGap(double a, double b, bool closed) {
  double gap = std::fabs(a - b);
  if (closed) gap = std::min(gap, 1.0 - gap);
  return gap;
}

double fractionOf(int index, int count, bool closed) {
  if (closed) return static_cast<double>(index) / count;
  return count > 1 ? static_cast<double>(index) / (count - 1) : 0.0;
}

}  // namespace

int tileCorner(int along, int row) {
  const int u = parity(along), v = parity(row);
  return v == 0 ? u : 3 - u;
}

int Surface::add(Vec3 p, int tile) {
  points.push_back(p);
  tiles.push_back(tile);
  return pointCount() - 1;
}

void Surface::triangle(int a, int b, int c) { triangles.push_back({a, b, c}); }

Row addRow(Surface& surface, const std::vector<Vec3>& points, int row) {
  // Each row starts its alternation on a corner drawn from where it begins
  // in the surface, so the tiles do not line up row after row into a
  // regular lattice of mirror images.
  const unsigned start = static_cast<unsigned>(surface.pointCount());
  const int shift = static_cast<int>(((start * 2654435761u) >> 15) & 1u);
  Row result;
  result.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    result.push_back(surface.add(points[i], tileCorner(static_cast<int>(i) + shift, row)));
  }
  return result;
}

void zip(Surface& surface, const Row& a, const Row& b, bool closed) {
  const long m = static_cast<long>(a.size()), n = static_cast<long>(b.size());
  // Steps along each row; the row whose next point comes first (by fraction,
  // compared exactly in integers) advances.
  const long stepsA = closed ? m : m - 1, stepsB = closed ? n : n - 1;
  long i = 0, j = 0;
  while (i < stepsA || j < stepsB) {
    const bool advanceA = j >= stepsB || (i < stepsA && (i + 1) * stepsB <= (j + 1) * stepsA);
    if (advanceA) {
      surface.triangle(a[i % m], a[(i + 1) % m], b[j % n]);
      ++i;
    } else {
      surface.triangle(a[i % m], b[(j + 1) % n], b[j % n]);
      ++j;
    }
  }
}

void fan(Surface& surface, int apex, const Row& row, bool closed) {
  const size_t n = row.size();
  const size_t count = closed ? n : n - 1;
  for (size_t i = 0; i < count; ++i) surface.triangle(apex, row[i], row[(i + 1) % n]);
}

void zipAll(Surface& surface, const std::vector<Row>& rows, bool closed) {
  for (size_t k = 0; k + 1 < rows.size(); ++k) zip(surface, rows[k], rows[k + 1], closed);
}

int cut(Surface& surface, const std::vector<int>& path) {
  // Cut edges by their original points, so edges already split at one end
  // are still recognised from the other.
  std::vector<int> origin(surface.points.size());
  for (size_t i = 0; i < origin.size(); ++i) origin[i] = static_cast<int>(i);
  std::set<std::pair<int, int>> cutEdges;
  for (size_t k = 0; k + 1 < path.size(); ++k) {
    cutEdges.insert(std::minmax(path[k], path[k + 1]));
  }
  int added = 0;
  for (int point : path) {
    // Triangles around the point, grouped into runs that meet across uncut edges.
    std::vector<int> around;
    for (size_t t = 0; t < surface.triangles.size(); ++t) {
      const auto& tri = surface.triangles[t];
      if (tri[0] == point || tri[1] == point || tri[2] == point) around.push_back(static_cast<int>(t));
    }
    std::vector<int> group(around.size(), -1);
    int groups = 0;
    for (size_t start = 0; start < around.size(); ++start) {
      if (group[start] >= 0) continue;
      group[start] = groups;
      std::vector<size_t> stack{start};
      while (!stack.empty()) {
        const size_t g = stack.back();
        stack.pop_back();
        for (size_t h = 0; h < around.size(); ++h) {
          if (group[h] >= 0) continue;
          const auto& a = surface.triangles[around[g]];
          const auto& b = surface.triangles[around[h]];
          bool joined = false;
          for (int p : a) {
            if (p == point) continue;
            const bool shared = p == b[0] || p == b[1] || p == b[2];
            if (shared && !cutEdges.count(std::minmax(origin[point], origin[p]))) joined = true;
          }
          if (joined) {
            group[h] = groups;
            stack.push_back(h);
          }
        }
      }
      ++groups;
    }
    // Every group after the first gets its own copy of the point.
    for (int g = 1; g < groups; ++g) {
      const int copy = surface.add(surface.points[point], surface.tiles[point]);
      origin.push_back(origin[point]);
      ++added;
      for (size_t h = 0; h < around.size(); ++h) {
        if (group[h] != g) continue;
        for (int& p : surface.triangles[around[h]]) {
          if (p == point) p = copy;
        }
      }
    }
  }
  return added;
}

bool cutAlongSeams(Surface& surface, const std::vector<std::vector<int>>& seams, int target) {
  for (const std::vector<int>& seam : seams) {
    if (surface.pointCount() >= target) break;
    // The longest stretch of the seam, from its start, that does not overshoot.
    for (size_t length = seam.size(); length >= 2; --length) {
      Surface trial = surface;
      cut(trial, std::vector<int>(seam.begin(), seam.begin() + static_cast<long>(length)));
      if (trial.pointCount() <= target) {
        surface = trial;
        break;
      }
    }
  }
  return surface.pointCount() == target;
}

std::vector<int> pathAcross(const Surface& surface, const std::vector<Row>& rows, double fraction,
                            int lastRow) {
  const auto next = neighbours(surface);
  std::vector<int> path;
  const Row& first = rows.front();
  int best = 0;
  for (int i = 1; i < static_cast<int>(first.size()); ++i) {
    const int count = static_cast<int>(first.size());
    if (fractionGap(fractionOf(i, count, true), fraction, true) <
        fractionGap(fractionOf(best, count, true), fraction, true)) {
      best = i;
    }
  }
  path.push_back(first[best]);
  for (int r = 1; r <= lastRow; ++r) {
    const Row& row = rows[r];
    const int count = static_cast<int>(row.size());
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
      if (!next[path.back()].count(row[i])) continue;
      if (chosen < 0 || fractionGap(fractionOf(i, count, true), fraction, true) <
                            fractionGap(fractionOf(chosen, count, true), fraction, true)) {
        chosen = i;
      }
    }
    if (chosen < 0) break;
    path.push_back(row[chosen]);
  }
  return path;
}

MeshData toMeshData(const Surface& surface, const std::string& name) {
  MeshBuilder mesh(name);
  for (int t = 0; t < tileCorners; ++t) mesh.uv(tileU[t], tileV[t]);
  for (const Vec3& p : surface.points) mesh.vertex(p);
  for (const auto& tri : surface.triangles) {
    int corner[3] = {surface.tiles[tri[0]], surface.tiles[tri[1]], surface.tiles[tri[2]]};
    for (int k = 1; k < 3; ++k) {
      const auto taken = [&](int tile) {
        for (int j = 0; j < 3; ++j) {
          if (j != k && corner[j] == tile) return true;
        }
        return false;
      };
      if (!taken(corner[k])) continue;
      // Prefer a corner that differs in one coordinate (a mirror of the tile).
      const int choices[3] = {(corner[k] + 1) % tileCorners, (corner[k] + 3) % tileCorners,
                              (corner[k] + 2) % tileCorners};
      for (int choice : choices) {
        if (!taken(choice)) {
          corner[k] = choice;
          break;
        }
      }
    }
    mesh.triangle(tri[0], tri[1], tri[2], corner[0], corner[1], corner[2]);
  }
  return mesh.data();
}
