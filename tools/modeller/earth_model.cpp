// The earth scene: the island landscape (mesh 1, earth_land.cpp) and the
// water sheet that floods its low ground (mesh 2): a 41 x 41 grid over its
// catalogue box, which is slightly longer than the land in y, gently waved by
// three long swells between the heights that set the shoreline. Its texture
// spans it once.
#include <cmath>

#include "tools/modeller/earth_land.h"
#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"
#include "tools/modeller/primitives.h"

namespace {

constexpr int oceanSide = 41;
// Earth mesh numbers (1-based, as in the catalogue).
constexpr int landMesh = 1, oceanMesh = 2;

// A long swell: wavelength, direction of travel (degrees), phase (radians),
// relative amplitude.
struct Swell {
  double wavelength, direction, phase, amplitude;
};
const Swell swells[] = {
    {430.0, 20.0, 0.4, 1.0},
    {290.0, 115.0, 1.9, 0.55},
    {215.0, 62.0, 4.1, 0.35},
};

double swellHeight(double x, double y) {
  double sum = 0.0;
  for (const Swell& s : swells) {
    const double angle = s.direction * pi / 180.0;
    const double along = x * std::cos(angle) + y * std::sin(angle);
    sum += s.amplitude * std::sin(2.0 * pi * along / s.wavelength + s.phase);
  }
  return sum;
}

// The sheet centred on the origin, filling its box.
MeshData buildOcean(const CatalogueFigures& row) {
  MeshBuilder ocean(row.name);
  const Box box = row.box();
  const double halfWidth = box.max[0], halfLength = box.max[1];
  const auto at = [&](int gridRow, int column) {
    const double x = -halfWidth + 2.0 * halfWidth * column / (oceanSide - 1);
    const double y = -halfLength + 2.0 * halfLength * gridRow / (oceanSide - 1);
    return Vec3{x, y, swellHeight(x, y)};
  };
  addGrid(ocean, oceanSide, oceanSide, at, true);
  fitToBox(ocean.data(), box);
  return ocean.data();
}

}  // namespace

ModelData buildEarthModel(const CatalogueModel& entry) {
  return {entry.name, {buildLandTerrain(entry.mesh(landMesh)), buildOcean(entry.mesh(oceanMesh))}};
}
