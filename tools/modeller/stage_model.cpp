// The stage: a central column, four translucent domes at the ends of a cross,
// four walkways from the centre out into the domes, and four spheres that slide
// along the walkways. Each catalogue row is built by the kind of part its
// name starts with, in the catalogue's (drawing) order, into its box.
#include <stdexcept>

#include "tools/modeller/models.h"
#include "tools/modeller/stage_parts.h"

namespace {

// Each walkway's direction outward from the centre, and the axis each sphere
// slides along, in the order of their meshes (0-based within the kind).
const Vec3 walkwayOutward[] = {{-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {1, 0, 0}};
const Vec3 sphereAxes[] = {{0, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 0, 0}};

bool isKind(const std::string& name, const char* kind) { return name.rfind(kind, 0) == 0; }

// The next direction of a kind's table, counting its parts from 0.
template <size_t count>
Vec3 nextDirection(const Vec3 (&directions)[count], size_t& taken, const std::string& name) {
  if (taken >= count) throw std::runtime_error("stage: no direction for " + name);
  return directions[taken++];
}

}  // namespace

// Every part built in its box, in drawing order.
ModelData buildStageModel(const CatalogueModel& entry) {
  ModelData model{entry.name, {}};
  size_t walkways = 0, spheres = 0;
  for (const CatalogueFigures& part : entry.meshes) {
    const std::string& name = part.name;
    if (isKind(name, "stageColumn")) {
      model.meshes.push_back(buildStageColumn(name, part.box()));
    } else if (isKind(name, "stageDome")) {
      model.meshes.push_back(buildStageDome(name, part.box()));
    } else if (isKind(name, "stageWalkway")) {
      const Vec3 outward = nextDirection(walkwayOutward, walkways, name);
      model.meshes.push_back(buildStageWalkway(name, part.box(), outward));
    } else if (isKind(name, "stageSphere")) {
      const Vec3 axis = nextDirection(sphereAxes, spheres, name);
      model.meshes.push_back(buildStageSphere(name, part.box(), axis));
    } else {
      throw std::runtime_error("stage: no kind of part for mesh " + name);
    }
  }
  return model;
}
