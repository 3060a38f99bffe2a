// A walkway: a straight girder with a wide deck on a tapering keel, swept
// along its length. The 18-point section (left-right symmetric) is repeated at
// 6 stations and each end is closed by a fan from a point inside the section
// from which the whole outline is visible, so the end plates never overlap
// themselves: 6 x 18 + 2 = 110 vertices, 2 x 18 x 5 + 2 x 18 = 216 triangles.
//
// Texture: the sides are unrolled around the section (one seam, under the
// keel), 19 entries per station; both end plates share one planar map of the
// section, 18 + 1 entries: 6 x 19 + 19 = 133 UV entries.
#include <array>
#include <cmath>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/primitives.h"
#include "tools/modeller/stage_parts.h"

namespace {

struct SectionPoint {
  double across;  // to the right of the walkway's centre line
  double up;      // above the keel
};

constexpr int walkwayStations = 6;
// Model units per repeat of the tread texture, before the program's scale of 5.
constexpr double walkwayTile = 10.0;
constexpr double walkwayUvScale = 5.0;
// The end fans start here: every outline point is visible from it.
constexpr SectionPoint endFanCentre = {0.0, 11.6};

// The right half from the middle of the keel to the middle of the deck;
// the left half mirrors it. Counter-clockwise seen from the far end.
constexpr std::array<SectionPoint, 10> rightHalf = {{
    {0.0, 0.0},     // keel, middle (the texture seam)
    {2.2, 0.0},
    {3.6, 1.07},
    {4.6, 4.07},    // keel side, widening upwards
    {5.2, 10.67},   // under the deck
    {6.6, 11.07},
    {7.5, 11.67},   // deck edge
    {7.5, 14.07},
    {6.8, 14.77},   // chamfer onto the tread
    {0.0, 14.77},   // deck, middle
}};

// The whole outline: the right half, then the left half back down.
std::vector<SectionPoint> walkwaySection() {
  std::vector<SectionPoint> section(rightHalf.begin(), rightHalf.end());
  for (size_t i = rightHalf.size() - 2; i >= 1; --i) {
    section.push_back({-rightHalf[i].across, rightHalf[i].up});
  }
  return section;
}

}  // namespace

// The swept sides from the centre outwards, then the two end plates.
MeshData buildStageWalkway(const std::string& name, const Box& box, Vec3 outward) {
  const std::vector<SectionPoint> section = walkwaySection();
  const int points = static_cast<int>(section.size());
  const Vec3 up{0, 0, 1};
  const Vec3 right = cross(up, outward);
  const double length = std::fabs(dot(Vec3{box.max[0] - box.min[0], box.max[1] - box.min[1], 0},
                                      outward));
  const auto place = [&](double along, SectionPoint p) {
    return outward * along + right * p.across + up * p.up;
  };

  MeshBuilder mesh(name);
  const double uvPerUnit = 1.0 / (walkwayTile * walkwayUvScale);
  std::vector<double> perimeter(points + 1, 0.0);
  for (int i = 1; i <= points; ++i) {
    const SectionPoint a = section[i - 1], b = section[i % points];
    perimeter[i] = perimeter[i - 1] + std::hypot(b.across - a.across, b.up - a.up);
  }

  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  for (int s = 0; s < walkwayStations; ++s) {
    const double along = length * s / (walkwayStations - 1);
    Ring ring;
    UvRow row;
    for (int i = 0; i < points; ++i) ring.push_back(mesh.vertex(place(along, section[i])));
    for (int i = 0; i <= points; ++i) row.push_back(mesh.uv(perimeter[i] * uvPerUnit, along * uvPerUnit));
    rings.push_back(ring);
    uvRows.push_back(row);
  }
  for (int s = 0; s + 1 < walkwayStations; ++s) {
    bridge(mesh, rings[s], rings[s + 1], true, uvRows[s], uvRows[s + 1]);
  }

  // End plates: one planar map of the section serves both ends.
  UvRow plateRow;
  for (const SectionPoint& p : section) plateRow.push_back(mesh.uv(p.across * uvPerUnit, p.up * uvPerUnit));
  plateRow.push_back(plateRow.front());
  const int plateCentreUv = mesh.uv(endFanCentre.across * uvPerUnit, endFanCentre.up * uvPerUnit);
  const int inner = mesh.vertex(place(0.0, endFanCentre));
  const int outer = mesh.vertex(place(length, endFanCentre));
  fan(mesh, inner, rings.front(), true, plateCentreUv, plateRow);
  fan(mesh, outer, rings.back(), false, plateCentreUv, plateRow);

  MeshData data = mesh.data();
  fitToBox(data, box);
  return data;
}
