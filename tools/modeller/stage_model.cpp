// The stage: a central column, four translucent domes at the ends of a cross,
// four walkways from the centre out into the domes, and four hoops that ride
// along the walkways. Meshes in drawing order: column, domes 1-4, walkways
// 1-4, hoops 1-4.
#include "tools/modeller/models.h"
#include "tools/modeller/stage_parts.h"

namespace {

struct PartPlace {
  const char* name;
  Box box;
  Vec3 direction;  // walkway: outward from the centre; hoop: the axis it slides along
};

const PartPlace columnPlace = {"stageColumn", {{-29.63, -30.00, 0.00}, {30.37, 30.00, 70.00}}, {}};

const PartPlace domePlaces[] = {
    {"stageDome1", {{-157.83, -31.00, 12.11}, {-97.83, 28.99, 42.63}}, {}},
    {"stageDome2", {{99.30, -31.00, 12.11}, {159.30, 28.99, 42.63}}, {}},
    {"stageDome3", {{-29.43, 99.71, 12.11}, {30.57, 159.70, 42.63}}, {}},
    {"stageDome4", {{-29.43, -160.18, 12.11}, {30.57, -100.19, 42.63}}, {}},
};

const PartPlace walkwayPlaces[] = {
    {"stageWalkway1", {{-110.00, -7.87, 26.93}, {0.00, 7.13, 41.70}}, {-1, 0, 0}},
    {"stageWalkway2", {{-7.50, -0.37, 26.93}, {7.50, 109.63, 41.70}}, {0, 1, 0}},
    {"stageWalkway3", {{-6.54, -106.96, 26.93}, {8.46, 3.04, 41.70}}, {0, -1, 0}},
    {"stageWalkway4", {{0.00, -7.87, 26.93}, {110.00, 7.13, 41.70}}, {1, 0, 0}},
};

const PartPlace hoopPlaces[] = {
    {"stageSphere1", {{-18.98, 87.31, 15.54}, {18.46, 98.11, 52.98}}, {0, 1, 0}},
    {"stageSphere2", {{-18.83, -97.84, 16.29}, {18.61, -87.03, 53.74}}, {0, 1, 0}},
    {"stageSphere3", {{85.90, -19.05, 16.33}, {96.70, 18.15, 53.53}}, {1, 0, 0}},
    {"stageSphere4", {{-93.86, -18.96, 15.66}, {-83.06, 18.25, 52.86}}, {1, 0, 0}},
};

}  // namespace

// Every part built in its place, in drawing order.
ModelData buildStageModel() {
  ModelData model{"stage", {}};
  model.meshes.push_back(buildStageColumn(columnPlace.name, columnPlace.box));
  for (const PartPlace& place : domePlaces) {
    model.meshes.push_back(buildStageDome(place.name, place.box));
  }
  for (const PartPlace& place : walkwayPlaces) {
    model.meshes.push_back(buildStageWalkway(place.name, place.box, place.direction));
  }
  for (const PartPlace& place : hoopPlaces) {
    model.meshes.push_back(buildStageHoop(place.name, place.box, place.direction));
  }
  return model;
}
