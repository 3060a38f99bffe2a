#include "tools/texgen/texture_set.h"

#include "tools/texgen/recipes.h"
#include "tools/texgen/texture_files.h"

const std::vector<TextureRecipe>& textureRecipes() {
  static const std::vector<TextureRecipe> recipes = {
      {"stone.raw", TextureFormat::raw, true, paintStone},
      {"grass2.bmp", TextureFormat::bmp, true, paintGrass},
      {"bark1.bmp", TextureFormat::bmp, true, paintBark},
      {"leaf1.bmp", TextureFormat::bmp, true, paintLeaves},
      {"starfield4.bmp", TextureFormat::bmp, false, paintStarfield},
      {"opocean2.bmp", TextureFormat::bmp, false, paintOcean},
      {"marble2.bmp", TextureFormat::bmp, true, paintWhiteMarble},
      {"marble4.bmp", TextureFormat::bmp, true, paintGreenMarble},
      {"floor1.bmp", TextureFormat::bmp, true, paintPoolTiles},
      {"metal3.bmp", TextureFormat::bmp, true, paintBrushedMetal},
      {"metal1.bmp", TextureFormat::bmp, true, paintTreadPlate},
  };
  return recipes;
}

std::vector<uint8_t> encodeTexture(const TextureRecipe& recipe, const ColorImage& image) {
  return recipe.format == TextureFormat::raw ? encodeRaw(image) : encodeBmp(image);
}
