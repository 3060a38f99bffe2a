// The eleven texture files the program loads, in its loading order, with the
// recipe that paints each.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/texgen/color_image.h"

enum class TextureFormat { bmp, raw };

struct TextureRecipe {
  const char* fileName;  // name inside the textures folder
  TextureFormat format;
  bool repeats;          // drawn tiled, so it must be seamless
  ColorImage (*paint)();
};

// The eleven recipes in the program's loading order.
const std::vector<TextureRecipe>& textureRecipes();

// The file bytes of a painted texture in its recipe's format.
std::vector<uint8_t> encodeTexture(const TextureRecipe& recipe, const ColorImage& image);
