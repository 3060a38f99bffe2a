// The intro lettering: KESH above VALDRUNE, twelve solid slab-serif capitals,
// each in its own box. The table lists the meshes in drawing order (the
// lower row is not stored left to right) with the counts each must meet.
#include "tools/modeller/intro_glyphs.h"
#include "tools/modeller/intro_solid.h"
#include "tools/modeller/models.h"

namespace {

struct LetterPlan {
  const char* name;
  char letter;
  int vertices;
  int uvs;
  Vec2 boxMin, boxMax;
};

const LetterPlan introLetters[] = {
    {"letterK", 'K', 118, 157, {2.05, -5.00}, {55.45, 69.10}},
    {"letterE1", 'E', 343, 368, {60.87, -3.80}, {131.75, 72.32}},
    {"letterS", 'S', 238, 238, {142.59, -3.56}, {202.99, 71.31}},
    {"letterH", 'H', 289, 327, {215.59, -2.01}, {286.06, 72.09}},
    {"letterV", 'V', 144, 184, {-129.55, -203.93}, {-71.85, -129.83}},
    {"letterL", 'L', 144, 184, {3.59, -203.93}, {61.30, -129.83}},
    {"letterR", 'R', 144, 184, {158.07, -204.93}, {215.78, -130.83}},
    {"letterA", 'A', 72, 72, {-59.63, -202.17}, {-9.63, -128.07}},
    {"letterD", 'D', 180, 180, {72.27, -205.69}, {143.57, -114.10}},
    {"letterU", 'U', 120, 133, {228.53, -204.94}, {289.13, -130.84}},
    {"letterN", 'N', 96, 118, {295.21, -206.95}, {355.91, -132.85}},
    {"letterE2", 'E', 357, 396, {361.51, -207.93}, {422.61, -131.83}},
};

}  // namespace

ModelData buildIntroModel() {
  ModelData model{"intro", {}};
  for (const LetterPlan& plan : introLetters) {
    const Glyph glyph = designLetter(plan.letter, plan.boxMax.x - plan.boxMin.x,
                                     plan.boxMax.y - plan.boxMin.y);
    model.meshes.push_back(buildLetterSolid(plan.name, glyph,
                                            planLetterSolid(plan.vertices, plan.uvs),
                                            plan.boxMin, plan.boxMax));
  }
  return model;
}
