// The central column: a 12-sided solid of revolution about a vertical axis,
// 15 rings (plinth, base moulding, tapering shaft, necking, flared capital
// and abacus) closed by a fan at each end: 182 vertices, 360 triangles.
//
// Texture: the sides are wrapped without a seam: u runs forward over sides
// 0-5 and back over sides 6-11 (the metal texture reads the same mirrored),
// so each ring needs 7 UV entries, and v follows the profile's arc length.
// The top, which the viewer looks down onto, gets a planar map of its own;
// the underside, never seen, fans from one centre entry into the base ring's
// entries. 15 x 7 + 13 + 1 = 119 UV entries.
#include <array>
#include <utility>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/primitives.h"
#include "tools/modeller/stage_parts.h"

namespace {

constexpr int columnSides = 12;
constexpr int mirroredEntries = columnSides / 2 + 1;
// Texture repeat length in model units (the column's texture is not scaled).
constexpr double columnTile = 35.0;
// u advance per side: two repeats over each half turn.
constexpr double columnUPerSide = 2.0 / (columnSides / 2);

// (radius, height) from the floor up.
constexpr std::array<std::pair<double, double>, 15> columnProfile = {{
    {30.0, 0.0},   // plinth
    {30.0, 5.0},
    {28.0, 5.0},   // step onto the base moulding
    {28.0, 7.5},
    {25.5, 10.0},
    {23.0, 11.5},  // foot of the shaft
    {22.0, 36.0},  // the shaft narrows slightly upwards
    {21.0, 56.0},
    {22.5, 57.0},  // necking ring
    {22.5, 58.5},
    {21.5, 59.5},
    {25.0, 62.0},  // capital flaring out
    {28.5, 64.5},
    {30.0, 65.5},  // abacus
    {30.0, 70.0},
}};

// The UV row of one ring: entry k of a closed ring of 12 maps to the
// mirrored entry min(k, 12 - k), so the wrap needs no seam.
UvRow mirroredRow(MeshBuilder& mesh, double v) {
  std::array<int, mirroredEntries> entries{};
  for (int m = 0; m < mirroredEntries; ++m) entries[m] = mesh.uv(m * columnUPerSide, v);
  UvRow row(columnSides + 1);
  for (int k = 0; k <= columnSides; ++k) row[k] = entries[k <= columnSides / 2 ? k : columnSides - k];
  return row;
}

}  // namespace

// The lathed sides, then the top and the underside, fitted into the box.
MeshData buildStageColumn(const std::string& name, const Box& box) {
  MeshBuilder mesh(name);
  const Vec3 axis{0.5 * (box.min[0] + box.max[0]), 0.5 * (box.min[1] + box.max[1]), box.min[2]};

  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  double arc = 0.0;
  for (size_t k = 0; k < columnProfile.size(); ++k) {
    const auto [radius, height] = columnProfile[k];
    if (k > 0) {
      arc += std::hypot(radius - columnProfile[k - 1].first, height - columnProfile[k - 1].second);
    }
    Frame frame;
    frame.origin = axis + Vec3{0, 0, height};
    rings.push_back(addRing(mesh, frame, columnSides, radius));
    uvRows.push_back(mirroredRow(mesh, arc / columnTile));
  }
  for (size_t k = 0; k + 1 < rings.size(); ++k) {
    bridge(mesh, rings[k], rings[k + 1], true, uvRows[k], uvRows[k + 1]);
  }

  // Top: a planar map seen from above.
  const double topHeight = columnProfile.back().second;
  const int top = mesh.vertex(axis + Vec3{0, 0, topHeight});
  const int topUv = mesh.uv(0.5, 0.5);
  UvRow topRow;
  for (int index : rings.back()) {
    const Vec3 p = mesh.position(index);
    topRow.push_back(mesh.uv(0.5 + (p.x - axis.x) / columnTile, 0.5 + (p.y - axis.y) / columnTile));
  }
  topRow.push_back(topRow.front());
  fan(mesh, top, rings.back(), false, topUv, topRow);

  // Underside: one centre entry, the rim shares the base ring's entries.
  const int bottom = mesh.vertex(axis);
  const int bottomUv = mesh.uv(0.5 * (columnSides / 2) * columnUPerSide,
                               -columnProfile.front().first / columnTile);
  fan(mesh, bottom, rings.front(), true, bottomUv, uvRows.front());

  MeshData data = mesh.data();
  fitToBox(data, box);
  return data;
}
