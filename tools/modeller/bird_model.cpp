// The bird statue: a long-necked bird standing on its two feet with its wings
// spread wide and flat and its tail fanned, its head turned back over the
// right shoulder. The parts are shaped in the bird's own frame (bird_*.cpp),
// cut along seams until each has its mesh's catalogue vertex count, turned
// to face +x+y, and stretched onto the catalogue boxes of their meshes.
#include "tools/modeller/bird_model.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"

namespace {

// The bird's frame is turned this far about z so that it faces +x+y.
constexpr double facingAngle = pi / 4.0;

// The part of each mesh, by its catalogue number (from 1); a foot stands on
// the bottom of its mesh's box.
BirdPart partOf(const CatalogueModel& entry, int mesh) {
  switch (mesh) {
    case 1: return buildBirdHood();
    case 2: return buildBirdHead();
    case 3: return buildBirdUpperBeak();
    case 4: return buildBirdLowerBeak();
    case 5: return buildBirdTorso();
    case 6: return buildBirdWings();
    case 7: return buildBirdLeg(BirdSide::right);
    case 8: return buildBirdFoot(BirdSide::right, entry.mesh(mesh).box().min[2]);
    case 9: return buildBirdLeg(BirdSide::left);
    case 10: return buildBirdFoot(BirdSide::left, entry.mesh(mesh).box().min[2]);
    default: throw std::runtime_error("bird: no part for mesh " + std::to_string(mesh));
  }
}

}  // namespace

ModelData buildBirdDesign(const CatalogueModel& entry) {
  ModelData model{entry.name, {}};
  for (int number = 1; number <= static_cast<int>(entry.meshes.size()); ++number) {
    const CatalogueFigures& target = entry.mesh(number);
    BirdPart part = partOf(entry, number);
    cutAlongSeams(part.surface, part.seams, target.vertexCount());
    for (Vec3& p : part.surface.points) p = rotateAbout(p, {0, 0, 1}, facingAngle);
    model.meshes.push_back(toMeshData(part.surface, target.name));
  }
  return model;
}

ModelData buildBirdModel(const CatalogueModel& entry) {
  ModelData model = buildBirdDesign(entry);
  for (size_t m = 0; m < model.meshes.size(); ++m) fitToBox(model.meshes[m], entry.meshes[m].box());
  return model;
}
