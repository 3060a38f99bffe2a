// The texture files the program loads, in its loading order, with the recipe
// that paints each. Which files there are comes from the texture manifest.
#pragma once
#include <cstdint>
#include <vector>

#include "texture_tables/texture_manifest.h"
#include "tools/texgen/color_image.h"

struct TextureRecipe {
  TextureEntry file;  // the manifest's row
  ColorImage (*paint)();
};

// A recipe per manifest row, in the manifest's order.
const std::vector<TextureRecipe>& textureRecipes();

// The file bytes of a painted texture in its file's format.
std::vector<uint8_t> encodeTexture(const TextureRecipe& recipe, const ColorImage& image);
