// The generated textures: the files the build wrote are exactly what the
// generator paints now (so it is deterministic), the program's readers accept
// them at their sizes, repeating ones tile without seams, and each has the
// colour character of what it depicts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "tools/texgen/noise.h"
#include "tools/texgen/texture_set.h"

namespace {

const std::string textureDir = KESH_TEXTURE_DIR;

std::vector<uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A texture file of the build as the program's readers see it (rows bottom
// first); an empty picture when they refuse it.
ColorImage readTextureFile(const TextureEntry& file) {
  const std::string path = textureDir + "\\" + file.fileName;
  int width = 0, height = 0;
  const uint8_t* bytes = nullptr;
  RawImage raw;
  BitmapImage bitmap;
  if (file.format == TextureFormat::raw) {
    if (!readRawImage(path.c_str(), rawSideFromLength, rawSideFromLength, raw)) return {};
    width = raw.width, height = raw.height, bytes = raw.bytes.get();
  } else {
    if (!readBitmap(path.c_str(), bitmap)) return {};
    width = static_cast<int>(bitmap.width), height = static_cast<int>(bitmap.height);
    bytes = bitmap.pixels.get();
  }
  ColorImage picture(width, height);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = {bytes[3 * i] / 255.0f, bytes[3 * i + 1] / 255.0f, bytes[3 * i + 2] / 255.0f};
  }
  return picture;
}

// A texture file of the build, every one read once. (The files are checked
// against a fresh paint below, so these are the generator's pictures.)
const ColorImage& built(TextureKey key) {
  static const std::vector<ColorImage> pictures = [] {
    std::vector<ColorImage> all;
    for (const TextureEntry& file : textureManifest) all.push_back(readTextureFile(file));
    return all;
  }();
  return pictures[static_cast<size_t>(key)];
}

// Mean colour and brightness spread of a picture.
struct Character {
  Color mean;
  float brightest = 0;
};

Character characterOf(const ColorImage& image) {
  Character c;
  for (const Color& p : image.pixels) {
    c.mean = c.mean + p;
    c.brightest = std::fmax(c.brightest, luminance(p));
  }
  c.mean = c.mean * (1.0f / image.pixels.size());
  return c;
}

// The step across the wrap-around edge measured against the steps across
// every line inside the picture: the mean brightness step along each line of
// pixel pairs, the wrap-around line's divided by the largest inside one,
// worst of the two directions. Above 1, the edge stands out as a seam.
float seamRatio(const ColorImage& image) {
  auto step = [&](int x0, int y0, int x1, int y1) {
    return std::fabs(luminance(image.at(x0, y0)) - luminance(image.at(x1, y1)));
  };
  const int w = image.width, h = image.height;
  double worstX = 0, worstY = 0, acrossX = 0, acrossY = 0;
  for (int x = 0; x < w; ++x) {  // the line between column x and the next
    double sum = 0;
    for (int y = 0; y < h; ++y) sum += step(x, y, (x + 1) % w, y);
    if (x + 1 < w) worstX = std::fmax(worstX, sum / h);
    else acrossX = sum / h;
  }
  for (int y = 0; y < h; ++y) {
    double sum = 0;
    for (int x = 0; x < w; ++x) sum += step(x, y, x, (y + 1) % h);
    if (y + 1 < h) worstY = std::fmax(worstY, sum / w);
    else acrossY = sum / w;
  }
  return static_cast<float>(std::fmax(acrossX / worstX, acrossY / worstY));
}

constexpr float seamlessRatio = 1.25f;

TEST(TextureSet, EachManifestRowHasItsOwnPainting) {
  std::set<ColorImage (*)()> paintings;
  for (const TextureRecipe& recipe : textureRecipes()) {
    EXPECT_NE(recipe.paint, nullptr) << recipe.file.fileName;
    paintings.insert(recipe.paint);
  }
  EXPECT_EQ(paintings.size(), std::size(textureManifest));
}

TEST(TextureSet, TheBuildWroteExactlyWhatTheGeneratorPaints) {
  for (const TextureRecipe& recipe : textureRecipes()) {
    SCOPED_TRACE(recipe.file.fileName);
    const std::vector<uint8_t> onDisk = fileBytes(textureDir + "/" + recipe.file.fileName);
    ASSERT_FALSE(onDisk.empty()) << "missing: build the kesh_textures target";
    EXPECT_TRUE(onDisk == encodeTexture(recipe, recipe.paint()));
  }
}

TEST(TextureSet, TheProgramsReadersAcceptEveryFileAtItsSize) {
  for (int row = 0; row < textureCount; ++row) {
    SCOPED_TRACE(textureManifest[row].fileName);
    const ColorImage& picture = built(static_cast<TextureKey>(row));
    EXPECT_EQ(picture.width, picture.height);
    EXPECT_TRUE(picture.width == 256 || picture.width == 512) << picture.width;
  }
  const std::string stone = textureDir + "/" + textureEntry(TextureKey::stone).fileName;
  EXPECT_EQ(fileBytes(stone).size(), 256u * 256u * 3u);
}

TEST(TextureSet, SeamCheckFlagsAPictureThatDoesNotTile) {
  ColorImage broken(128, 128);  // noise sampled over 0.9 of its period: a step at the edge
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const float n = 0.5f + 0.5f * fractalNoise(0.9f * x / 128, 0.9f * y / 128, 4, 4, 4, 1);
      broken.at(x, y) = {n, n, n};
    }
  }
  const float ratio = seamRatio(broken);
  std::printf("non-tiling noise: seam %.2f of the largest inside step\n", ratio);
  EXPECT_GT(ratio, 2 * seamlessRatio);
}

TEST(TextureSet, RepeatingTexturesTileWithoutSeams) {
  for (int row = 0; row < textureCount; ++row) {
    const TextureEntry& file = textureManifest[row];
    if (!file.repeats) continue;
    SCOPED_TRACE(file.fileName);
    const float ratio = seamRatio(built(static_cast<TextureKey>(row)));
    std::printf("%s: seam %.2f of the largest inside step\n", file.fileName, ratio);
    EXPECT_LT(ratio, seamlessRatio);
  }
}

TEST(TextureSet, EachTextureHasTheColoursOfWhatItShows) {
  const Character stone = characterOf(built(TextureKey::stone));
  EXPECT_NEAR(stone.mean.r, stone.mean.b, 0.06f) << "grey";
  EXPECT_GT(luminance(stone.mean), 0.35f);

  for (TextureKey green : {TextureKey::grass, TextureKey::leaf}) {
    const Character c = characterOf(built(green));
    EXPECT_GT(c.mean.g, 1.3f * c.mean.r) << textureEntry(green).fileName;
    EXPECT_GT(c.mean.g, 1.5f * c.mean.b) << textureEntry(green).fileName;
  }
  const Character bark = characterOf(built(TextureKey::bark));
  EXPECT_GT(bark.mean.r, bark.mean.g);
  EXPECT_GT(bark.mean.g, bark.mean.b);

  const Character sky = characterOf(built(TextureKey::starfield));
  EXPECT_LT(luminance(sky.mean), 0.08f) << "the backdrop must stay dark";
  EXPECT_GT(sky.brightest, 0.9f) << "bright stars";

  const Character ocean = characterOf(built(TextureKey::ocean));
  EXPECT_GT(ocean.mean.b, 2 * ocean.mean.r);

  const Character white = characterOf(built(TextureKey::marble2));
  const Character green = characterOf(built(TextureKey::marble4));
  EXPECT_GT(luminance(white.mean), 0.7f);
  EXPECT_LT(luminance(green.mean), 0.35f);
  EXPECT_GT(green.mean.g, green.mean.r);

  const Character floor = characterOf(built(TextureKey::floor));
  EXPECT_GT(floor.mean.b, floor.mean.r);

  for (TextureKey metal : {TextureKey::metal3, TextureKey::metal1}) {
    const Character c = characterOf(built(metal));
    EXPECT_NEAR(c.mean.r, c.mean.b, 0.08f) << textureEntry(metal).fileName << " is grey";
    EXPECT_GT(luminance(c.mean), 0.3f) << textureEntry(metal).fileName;
  }
}

// The starfield texel that still water shows from the program's views, in
// texture coordinates (the readers' rows run bottom first, so a row is t),
// measured with a coordinate-grid texture through the frame tool; the rings
// of a drop sample mostly within this many texels of it.
constexpr float stillWaterS = 0.5f, stillWaterT = 0.933f;
constexpr int rippleReach = 40;

// Mean brightness of the texels within reach of (cx, cy); rows past the top
// are never sampled and are left out.
float meanAround(const ColorImage& image, int cx, int cy, int reach) {
  double sum = 0;
  int count = 0;
  for (int y = std::max(0, cy - reach); y <= std::min(image.height - 1, cy + reach); ++y) {
    for (int x = cx - reach; x <= cx + reach; ++x) {
      sum += luminance(image.at((x + image.width) % image.width, y));
      ++count;
    }
  }
  return static_cast<float>(sum / count);
}

TEST(WaterTextures, StillWaterAndItsRipplesReflectAGlow) {
  const ColorImage& sky = built(TextureKey::starfield);
  const int cx = static_cast<int>(stillWaterS * sky.width);
  const int cy = static_cast<int>(stillWaterT * sky.height);
  const float still = luminance(sky.at(cx, cy));
  EXPECT_GT(still, 0.12f) << "still water shows a glow";
  EXPECT_LT(still, 0.35f) << "still water must not wash out the floor";
  EXPECT_GT(meanAround(sky, cx, cy, rippleReach), 0.15f) << "the rings of a drop sample light";
}

TEST(WaterTextures, ThePoolFloorIsDarkTilesInDarkerGrout) {
  const ColorImage& floor = built(TextureKey::floor);
  float mean = 0;
  for (const Color& p : floor.pixels) mean += luminance(p);
  mean /= static_cast<float>(floor.pixels.size());
  EXPECT_LT(mean, 0.25f) << "the light the water adds shows over it";
  EXPECT_LT(luminance(floor.at(0, 0)), 0.6f * mean) << "the grout at the tile corners is darker";
}

}  // namespace
