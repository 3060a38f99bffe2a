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

TEST(TextureSet, TheBuildWroteExactlyWhatTheGeneratorPaintsEachRowItsOwnPicture) {
  std::set<ColorImage (*)()> paintings;
  for (int row = 0; row < textureCount; ++row) {
    const TextureRecipe& recipe = textureRecipes()[row];
    SCOPED_TRACE(recipe.file.fileName);
    paintings.insert(recipe.paint);
    const std::vector<uint8_t> onDisk = fileBytes(textureDir + "/" + recipe.file.fileName);
    ASSERT_FALSE(onDisk.empty()) << "missing: build the kesh_textures target";
    EXPECT_TRUE(onDisk == encodeTexture(recipe, recipe.paint()));
    const ColorImage& picture = built(static_cast<TextureKey>(row));
    EXPECT_EQ(picture.width, picture.height) << "the readers accept it as a square";
    EXPECT_TRUE(picture.width == 256 || picture.width == 512) << picture.width;
  }
  EXPECT_EQ(paintings.size(), static_cast<size_t>(textureCount));
}

TEST(TextureSet, RepeatingTexturesTileWithoutSeamsWhichTheCheckWouldSee) {
  ColorImage broken(128, 128);  // noise sampled over 0.9 of its period: a step at the edge
  fillImage(broken, [](float u, float v) {
    const float n = 0.5f + 0.5f * fractalNoise(0.9f * u, 0.9f * v, 4, 4, 4, 1);
    return Color{n, n, n};
  });
  EXPECT_GT(seamRatio(broken), 2 * seamlessRatio);
  for (int row = 0; row < textureCount; ++row) {
    if (!textureManifest[row].repeats) continue;
    EXPECT_LT(seamRatio(built(static_cast<TextureKey>(row))), seamlessRatio)
        << textureManifest[row].fileName;
  }
}

TEST(TextureSet, EachTextureHasTheColoursOfWhatItShows) {
  const struct {
    TextureKey key;
    const char* what;
    bool (*holds)(const Character&);
  } looks[] = {
      {TextureKey::stone, "light grey",
       [](const Character& c) { return std::fabs(c.mean.r - c.mean.b) < 0.06f && luminance(c.mean) > 0.35f; }},
      {TextureKey::grass, "green",
       [](const Character& c) { return c.mean.g > 1.3f * c.mean.r && c.mean.g > 1.5f * c.mean.b; }},
      {TextureKey::leaf, "green",
       [](const Character& c) { return c.mean.g > 1.3f * c.mean.r && c.mean.g > 1.5f * c.mean.b; }},
      {TextureKey::bark, "brown",
       [](const Character& c) { return c.mean.r > c.mean.g && c.mean.g > c.mean.b; }},
      {TextureKey::starfield, "dark with bright stars",
       [](const Character& c) { return luminance(c.mean) < 0.08f && c.brightest > 0.9f; }},
      {TextureKey::ocean, "blue", [](const Character& c) { return c.mean.b > 2 * c.mean.r; }},
      {TextureKey::marble2, "white", [](const Character& c) { return luminance(c.mean) > 0.7f; }},
      {TextureKey::marble4, "dark green",
       [](const Character& c) { return luminance(c.mean) < 0.35f && c.mean.g > c.mean.r; }},
      {TextureKey::floor, "dark blue tiles",
       [](const Character& c) { return c.mean.b > c.mean.r && luminance(c.mean) < 0.25f; }},
      {TextureKey::metal3, "grey metal",
       [](const Character& c) { return std::fabs(c.mean.r - c.mean.b) < 0.08f && luminance(c.mean) > 0.3f; }},
      {TextureKey::metal1, "grey metal",
       [](const Character& c) { return std::fabs(c.mean.r - c.mean.b) < 0.08f && luminance(c.mean) > 0.3f; }},
  };
  for (const auto& look : looks) {
    EXPECT_TRUE(look.holds(characterOf(built(look.key))))
        << textureEntry(look.key).fileName << " should be " << look.what;
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

TEST(WaterTextures, ThePoolFloorsGroutIsDarkerThanItsTiles) {
  const ColorImage& floor = built(TextureKey::floor);
  EXPECT_LT(luminance(floor.at(0, 0)), 0.6f * luminance(characterOf(floor).mean));
}

}  // namespace
