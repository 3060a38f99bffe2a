// The earth scene: the island landscape (landTerrain, earth_land.cpp) and the
// water sheet that floods its low ground (oceanSheet): a 41 x 41 grid,
// slightly longer than the land in y, gently waved by three long swells
// between the heights that set the shoreline. Its texture spans it once.
#include <cmath>

#include "tools/modeller/earth_land.h"
#include "tools/modeller/earth_terrain.h"
#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"
#include "tools/modeller/primitives.h"

namespace {

constexpr int oceanSide = 41;
constexpr double oceanHalfLength = 432.17;
constexpr double oceanLow = 19.23;
constexpr double oceanHigh = 34.94;

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

MeshData buildOcean() {
  MeshBuilder ocean("oceanSheet");
  const auto at = [](int row, int column) {
    const double x = -landHalfSize + 2.0 * landHalfSize * column / (oceanSide - 1);
    const double y = -oceanHalfLength + 2.0 * oceanHalfLength * row / (oceanSide - 1);
    return Vec3{x, y, swellHeight(x, y)};
  };
  addGrid(ocean, oceanSide, oceanSide, at, true);
  fitToBox(ocean.data(), {{-landHalfSize, -oceanHalfLength, oceanLow}, {landHalfSize, oceanHalfLength, oceanHigh}});
  return ocean.data();
}

}  // namespace

ModelData buildEarthModel() { return {"earth", {buildLandTerrain(), buildOcean()}}; }
