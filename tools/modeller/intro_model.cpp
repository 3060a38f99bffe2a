// The intro lettering: KESH above VALDRUNE, twelve solid slab-serif capitals,
// one mesh each in the catalogue's drawing order (the lower row is not stored
// left to right). Each letter's catalogue name says which capital it is
// ("letter" and the capital, then a number where a capital repeats); its row
// gives the counts and the box the solid must meet.
#include <stdexcept>

#include "tools/modeller/intro_glyphs.h"
#include "tools/modeller/intro_solid.h"
#include "tools/modeller/models.h"

namespace {

// The capital a letter mesh shows, from its catalogue name.
char capitalOf(const std::string& name) {
  static const std::string prefix = "letter";
  if (name.size() <= prefix.size() || name.rfind(prefix, 0) != 0) {
    throw std::runtime_error("intro: mesh " + name + " does not name its letter");
  }
  return name[prefix.size()];
}

}  // namespace

ModelData buildIntroModel(const CatalogueModel& entry) {
  ModelData model{entry.name, {}};
  for (const CatalogueFigures& letter : entry.meshes) {
    const Box box = letter.box();
    const Glyph glyph =
        designLetter(capitalOf(letter.name), box.max[0] - box.min[0], box.max[1] - box.min[1]);
    model.meshes.push_back(buildLetterSolid(
        letter.name, glyph, planLetterSolid(letter.vertexCount(), letter.uvCount()), box));
  }
  return model;
}
