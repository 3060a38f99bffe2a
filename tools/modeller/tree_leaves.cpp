#include "tools/modeller/tree_leaves.h"

#include <algorithm>

#include "tools/modeller/tree_budget.h"
#include "tools/modeller/tree_crown.h"
#include "tools/modeller/tree_space.h"

namespace {

constexpr double leafCell = 0.1;    // one texture repeat at the program's leaf scale of 10
constexpr double leafSize = 0.56;   // side of a leaf quad
constexpr double stalkGap = 0.03;   // between the twig's axis and the leaf's base

// UV indices of the grid's points, row by row.
std::vector<int> addGridPoints(MeshBuilder& mesh, const LeafUvGrid& grid) {
  std::vector<int> points;
  for (int r = 0; r < grid.rows; ++r) {
    for (int c = 0; c < grid.columns; ++c) points.push_back(mesh.uv(c * leafCell, r * leafCell));
  }
  return points;
}

}  // namespace

std::vector<LeafUvGrid> leafUvGrids(int total, const std::vector<int>& quads) {
  std::vector<LeafUvGrid> grids(quads.size());
  if (quads.empty()) return {};
  // Two-row strips hold an even number of points. An odd total puts the
  // largest mesh on a three-row grid with an odd number of columns.
  size_t largest = 0;
  for (size_t i = 0; i < quads.size(); ++i) {
    if (quads[i] > quads[largest]) largest = i;
  }
  int quadSum = 0;
  for (int q : quads) quadSum += q;
  int left = total;
  if (total % 2 == 1) {
    // Its share, but leaving every other mesh its four points.
    const int share = static_cast<int>(static_cast<long>(total) * quads[largest] / quadSum);
    const int room = total - 4 * static_cast<int>(quads.size() - 1);
    int columns = std::max(3, std::min(share, room) / 3);
    if (columns % 2 == 0) --columns;
    while (columns > 3 && 2 * (columns - 1) > quads[largest]) columns -= 2;
    if (2 * (columns - 1) > quads[largest]) return {};
    grids[largest] = {3, columns};
    left -= 3 * columns;
  }
  std::vector<double> weights;
  std::vector<int> least, most;
  std::vector<size_t> strips;
  for (size_t i = 0; i < quads.size(); ++i) {
    if (total % 2 == 1 && i == largest) continue;
    strips.push_back(i);
    weights.push_back(quads[i]);
    least.push_back(2);          // a strip of one cell
    most.push_back(quads[i] + 1);  // a cell for every quad
  }
  if (left < 0 || left % 2 != 0) return {};
  const std::vector<int> columns = proportionalShares(left / 2, weights, least, most);
  if (columns.empty()) return {};
  for (size_t k = 0; k < strips.size(); ++k) grids[strips[k]] = {2, columns[k]};
  return grids;
}

void addLeaves(MeshBuilder& mesh, const BarkPlan& plan, const LeafUvGrid& grid,
               TreeRandom& random) {
  // Share the quads among the leafy limbs by the length that carries leaves.
  std::vector<size_t> leafy;
  std::vector<double> weights;
  for (size_t i = 0; i < plan.limbs.size(); ++i) {
    const LimbPlan& limb = plan.limbs[i];
    if (limb.leafFrom >= 1.0) continue;
    leafy.push_back(i);
    weights.push_back(curveLength(limb.curve) * (1.0 - limb.leafFrom));
  }
  const std::vector<int> share = proportionalShares(
      plan.leafQuads, weights, std::vector<int>(leafy.size(), 0),
      std::vector<int>(leafy.size(), plan.leafQuads));
  const std::vector<int> points = addGridPoints(mesh, grid);
  int quad = 0;
  for (size_t k = 0; k < leafy.size(); ++k) {
    const LimbPlan& limb = plan.limbs[leafy[k]];
    // Leaves follow the tube as built, ring to ring, not the smoother curve.
    const Curve rings = resampleCurve(limb.curve, limb.segments + 1);
    for (int j = 0; j < share[k]; ++j, ++quad) {
      const double s = limb.leafFrom + (1.0 - limb.leafFrom) *
                                           std::clamp((j + random.range(0.2, 0.8)) / share[k], 0.0, 1.0);
      const Vec3 base = curvePoint(rings, s);
      const Vec3 along = curveTangent(rings, s);
      const Vec3 out = across(along, random.range(0.0, 2.0 * pi));
      // The leaf's length points away from the twig, a little forward.
      const Vec3 spine = normalized(out * 0.85 + along * 0.5 + random.unitVector() * 0.25);
      Vec3 face = normalized(random.unitVector() + crownOutward(base) * 0.7 + treeUp * 0.5);
      face = normalized(face - spine * dot(face, spine));
      const Vec3 width = cross(face, spine);
      const double half = 0.5 * leafSize * random.range(0.8, 1.15);
      const Vec3 centre = base + spine * (half + stalkGap);
      const int first = mesh.vertex(centre - spine * half - width * half);
      mesh.vertex(centre + spine * half - width * half);
      mesh.vertex(centre + spine * half + width * half);
      mesh.vertex(centre - spine * half + width * half);
      // The cell's corners: v along the spine, u across; every other quad mirrored.
      const int cell = quad % grid.cells();
      const int row = cell / (grid.columns - 1), column = cell % (grid.columns - 1);
      const int p00 = points[row * grid.columns + column], p01 = points[(row + 1) * grid.columns + column];
      const int p10 = points[row * grid.columns + column + 1];
      const int p11 = points[(row + 1) * grid.columns + column + 1];
      const bool mirrored = random.uniform() < 0.5;
      const int stalkLeft = mirrored ? p10 : p00, tipLeft = mirrored ? p11 : p01;
      const int stalkRight = mirrored ? p00 : p10, tipRight = mirrored ? p01 : p11;
      mesh.triangle(first, first + 1, first + 2, stalkLeft, tipLeft, tipRight);
      mesh.triangle(first + 2, first + 3, first, tipRight, stalkRight, stalkLeft);
    }
  }
}
