// The scene marker: a sphere of radius 10 about (-0.369, 0, 0), 100 slices by
// 50 stacks. The program draws only a regular scatter of its triangles, so a
// fine, even tessellation reads as a sparkling shell.
#include "tools/modeller/models.h"
#include "tools/modeller/primitives.h"

namespace {

constexpr double markerRadius = 10.0;
const Vec3 markerCentre{-0.369, 0.0, 0.0};
constexpr int markerSlices = 100;
constexpr int markerStacks = 50;

}  // namespace

ModelData buildMarkerModel(const CatalogueModel& entry) {
  MeshBuilder sphere(entry.mesh(1).name);
  addUvSphere(sphere, markerCentre, markerRadius, markerSlices, markerStacks, false);
  return {entry.name, {sphere.data()}};
}
