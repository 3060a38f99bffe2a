#include <algorithm>
#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int floorSide = 256;
constexpr int tilesPerSide = 4;
constexpr float groutHalfWidth = 2.0f;  // pixels either side of a tile border
constexpr float bevelWidth = 4.0f;      // pixels over which a tile's edge rounds off
constexpr uint32_t tileSeed = 81, glazeSeed = 82, groutSeed = 83;
constexpr Color tileAqua = {0.50f, 0.76f, 0.82f};
constexpr Color tileBlue = {0.34f, 0.58f, 0.74f};
constexpr Color grout = {0.72f, 0.74f, 0.72f};

}  // namespace

// Square glazed pool tiles in aqua and blue, each a little different, set in
// pale grout; the grid meets the picture's edges so the tiling continues.
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
    const bool blue = ((column + row) & 1) != 0;
    Color tile = (blue ? tileBlue : tileAqua) * (0.92f + 0.14f * hashUnit(id));
    tile = tile * (1 + 0.05f * fractalNoise(u, v, 16, 16, 3, glazeSeed));
    const Color joint = grout * (1 + 0.08f * gradientNoise(u, v, 64, 64, groutSeed));
    const int x = static_cast<int>(u * floorSide), y = static_cast<int>(v * floorSide);
    return mix(joint, tile, smoothStep(0.0f, 0.05f, height.at(x, y)));
  });
  applyRelief(image, height, 1.5f);
  return image;
}
