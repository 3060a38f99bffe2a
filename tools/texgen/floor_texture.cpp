#include <algorithm>
#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int floorSide = 256;
constexpr int tilesPerSide = 8;
constexpr float groutHalfWidth = 1.5f;  // pixels either side of a tile border
constexpr float bevelWidth = 2.5f;      // pixels over which a tile's edge rounds off
constexpr uint32_t tileSeed = 81, glazeSeed = 82, groutSeed = 83, shadeSeed = 84;
// The glazes of the mosaic, dark enough that light reflected off the water
// above them shows; most tiles are the first two.
constexpr Color tileDeepBlue = {0.03f, 0.10f, 0.25f};
constexpr Color tileTeal = {0.02f, 0.17f, 0.22f};
constexpr Color tileUltramarine = {0.06f, 0.07f, 0.29f};
constexpr Color tilePaleTeal = {0.08f, 0.27f, 0.31f};
constexpr Color grout = {0.03f, 0.04f, 0.05f};

// The glaze of one tile, chosen by its hash: deep blue and teal in equal
// parts, some ultramarine and a few paler teal tiles.
Color tileGlaze(uint32_t id) {
  const float pick = hashUnit(id);
  if (pick < 0.40f) return tileDeepBlue;
  if (pick < 0.78f) return tileTeal;
  if (pick < 0.92f) return tileUltramarine;
  return tilePaleTeal;
}

}  // namespace

// A mosaic of small square glazed pool tiles in deep blues and teals, each a
// little different, set in dark grout; the grid meets the picture's edges so
// the tiling continues.
ColorImage paintPoolTiles() {
  const float tileSize = static_cast<float>(floorSide) / tilesPerSide;
  ColorImage image(floorSide, floorSide);
  FloatField height(floorSide, floorSide);
  fillField(height, [&](float u, float v) {
    const float x = std::fmod(u * floorSide, tileSize), y = std::fmod(v * floorSide, tileSize);
    const float fromEdge = std::min(std::min(x, tileSize - x), std::min(y, tileSize - y));
    return smoothStep(groutHalfWidth, groutHalfWidth + bevelWidth, fromEdge);
  });
  fillImage(image, [&](float u, float v) {
    const int column = static_cast<int>(u * tilesPerSide), row = static_cast<int>(v * tilesPerSide);
    const uint32_t id = hashCell(column, row, tileSeed);
    Color tile = tileGlaze(id) * (0.85f + 0.3f * hashUnit(hashCell(column, row, shadeSeed)));
    tile = tile * (1 + 0.08f * fractalNoise(u, v, 16, 16, 3, glazeSeed));
    const Color joint = grout * (1 + 0.15f * gradientNoise(u, v, 64, 64, groutSeed));
    const int x = static_cast<int>(u * floorSide), y = static_cast<int>(v * floorSide);
    return mix(joint, tile, smoothStep(0.0f, 0.05f, height.at(x, y)));
  });
  applyRelief(image, height, 1.5f);
  return image;
}
