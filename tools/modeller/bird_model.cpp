// The bird statue: a long-necked bird standing on its two feet with its wings
// spread wide and flat and its tail fanned, its head turned back over the
// right shoulder. The parts are shaped in the bird's own frame (bird_*.cpp),
// cut along seams until each has its mesh's vertex count, turned to face
// +x+y, and stretched onto the boxes of their meshes.
#include "tools/modeller/bird_model.h"

#include <cmath>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/models.h"

const BirdMeshTarget birdMeshTargets[birdMeshCount] = {
    {"head1", 180, 310, {{7.34, 5.30, 98.10}, {14.76, 11.78, 104.89}}},
    {"head2", 172, 306, {{7.36, 5.30, 98.10}, {14.89, 11.86, 104.30}}},
    {"upperBeak", 185, 210, {{4.86, 3.04, 97.70}, {8.08, 6.32, 99.25}}},
    {"lowerBeak", 77, 82, {{5.32, 3.44, 97.81}, {7.97, 6.22, 99.08}}},
    {"body", 500, 753, {{-22.32, -25.91, 67.35}, {15.72, 18.62, 99.73}}},
    {"wings", 607, 1101, {{-38.67, -42.54, 70.75}, {21.15, 26.14, 80.16}}},
    {"leg1", 676, 984, {{-4.97, -8.75, 48.40}, {7.23, -0.02, 70.23}}},
    {"foot1", 264, 362, {{-0.85, -7.66, 48.24}, {8.22, 1.00, 50.10}}},
    {"leg2", 676, 984, {{-8.50, -4.73, 48.40}, {1.25, 7.03, 70.23}}},
    {"foot2", 264, 362, {{-6.88, -0.60, 48.24}, {2.27, 8.08, 50.10}}},
};

namespace {

// The bird's frame is turned this far about z so that it faces +x+y.
constexpr double facingAngle = pi / 4.0;

// Each mesh's part, in the order of the meshes.
BirdPart partOf(int mesh) {
  switch (mesh) {
    case 0: return buildBirdHood();
    case 1: return buildBirdHead();
    case 2: return buildBirdUpperBeak();
    case 3: return buildBirdLowerBeak();
    case 4: return buildBirdTorso();
    case 5: return buildBirdWings();
    case 6: return buildBirdLeg(BirdSide::right);
    case 7: return buildBirdFoot(BirdSide::right);
    case 8: return buildBirdLeg(BirdSide::left);
    default: return buildBirdFoot(BirdSide::left);
  }
}

}  // namespace

ModelData buildBirdDesign() {
  ModelData model{"bird", {}};
  for (int m = 0; m < birdMeshCount; ++m) {
    BirdPart part = partOf(m);
    cutAlongSeams(part.surface, part.seams, birdMeshTargets[m].vertices);
    for (Vec3& p : part.surface.points) p = rotateAbout(p, {0, 0, 1}, facingAngle);
    model.meshes.push_back(toMeshData(part.surface, birdMeshTargets[m].name));
  }
  return model;
}

ModelData buildBirdModel() {
  ModelData model = buildBirdDesign();
  for (int m = 0; m < birdMeshCount; ++m) fitToBox(model.meshes[m], birdMeshTargets[m].box);
  return model;
}
