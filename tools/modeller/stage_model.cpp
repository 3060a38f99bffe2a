// The stage: a central column, four translucent domes at the ends of a cross,
// four walkways from the centre out into the domes, and four spheres that
// slide along the walkways. Each catalogue row is built by the kind of part its
// name starts with, in the catalogue's (drawing) order, into its box; the
// boxes also say which way each walkway and sphere runs.
#include <stdexcept>

#include "tools/modeller/models.h"
#include "tools/modeller/stage_parts.h"

namespace {

bool isKind(const std::string& name, const char* kind) { return name.rfind(kind, 0) == 0; }

// A walkway runs along the longer horizontal side of its box, outward from
// the centre: towards the end of the box further from it.
Vec3 walkwayOutward(const Box& box) {
  const bool alongX = box.max[0] - box.min[0] > box.max[1] - box.min[1];
  const int axis = alongX ? 0 : 1;
  const double sign = box.min[axis] + box.max[axis] < 0.0 ? -1.0 : 1.0;
  return alongX ? Vec3{sign, 0, 0} : Vec3{0, sign, 0};
}

// A sphere is a flat band round its walkway: it slides along the shorter
// horizontal side of its box.
Vec3 sphereAxis(const Box& box) {
  return box.max[0] - box.min[0] < box.max[1] - box.min[1] ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
}

}  // namespace

// Every part built in its box, in drawing order.
ModelData buildStageModel(const CatalogueModel& entry) {
  ModelData model{entry.name, {}};
  for (const CatalogueFigures& part : entry.meshes) {
    const std::string& name = part.name;
    if (isKind(name, "stageColumn")) {
      model.meshes.push_back(buildStageColumn(name, part.box()));
    } else if (isKind(name, "stageDome")) {
      model.meshes.push_back(buildStageDome(name, part.box()));
    } else if (isKind(name, "stageWalkway")) {
      model.meshes.push_back(buildStageWalkway(name, part.box(), walkwayOutward(part.box())));
    } else if (isKind(name, "stageSphere")) {
      model.meshes.push_back(buildStageSphere(name, part.box(), sphereAxis(part.box())));
    } else {
      throw std::runtime_error("stage: no kind of part for mesh " + name);
    }
  }
  return model;
}
