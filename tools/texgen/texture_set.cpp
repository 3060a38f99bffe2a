#include "tools/texgen/texture_set.h"

#include "tools/texgen/recipes.h"
#include "tools/texgen/texture_files.h"

namespace {

using Painter = ColorImage (*)();

// The painting that makes each texture.
Painter painterOf(TextureKey key) {
  switch (key) {
    case TextureKey::stone: return paintStone;
    case TextureKey::grass: return paintGrass;
    case TextureKey::bark: return paintBark;
    case TextureKey::leaf: return paintLeaves;
    case TextureKey::starfield: return paintStarfield;
    case TextureKey::ocean: return paintOcean;
    case TextureKey::marble2: return paintWhiteMarble;
    case TextureKey::marble4: return paintGreenMarble;
    case TextureKey::floor: return paintPoolTiles;
    case TextureKey::metal3: return paintBrushedMetal;
    case TextureKey::metal1: return paintTreadPlate;
  }
  return nullptr;
}

}  // namespace

const std::vector<TextureRecipe>& textureRecipes() {
  static const std::vector<TextureRecipe> recipes = [] {
    std::vector<TextureRecipe> all;
    for (int row = 0; row < textureCount; ++row) {
      all.push_back({textureManifest[row], painterOf(static_cast<TextureKey>(row))});
    }
    return all;
  }();
  return recipes;
}

std::vector<uint8_t> encodeTexture(const TextureRecipe& recipe, const ColorImage& image) {
  return recipe.file.format == TextureFormat::raw ? encodeRaw(image) : encodeBmp(image);
}
