// The program's own eleven texture files, loaded from textures/ in the build
// folder as start-up loads them: every global holds its own file's picture
// at the expected size, loading is quick, and quitting releases exactly eight.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "assets/textures.h"
#include "tests/support/gl_probe.h"

namespace {

// Start-up as a whole should stay under 300 ms on llvmpipe; the textures may
// take at most this share of it.
constexpr double loadBudgetMilliseconds = 150.0;

struct ProgramTexture {
  GLuint* name;
  const char* path;
  GLint side;
};

const ProgramTexture programTextures[] = {
    {&stoneTexture, "textures\\stone.raw", 256},
    {&grassTexture, "textures\\grass2.bmp", 256},
    {&barkTexture, "textures\\bark1.bmp", 256},
    {&leafTexture, "textures\\leaf1.bmp", 256},
    {&starfieldTexture, "textures\\starfield4.bmp", 512},
    {&oceanTexture, "textures\\opocean2.bmp", 512},
    {&marble2Texture, "textures\\marble2.bmp", 256},
    {&marble4Texture, "textures\\marble4.bmp", 256},
    {&floorTexture, "textures\\floor1.bmp", 256},
    {&metal3Texture, "textures\\metal3.bmp", 256},
    {&metal1Texture, "textures\\metal1.bmp", 256},
};
constexpr int releasedAtQuit = 8;  // the first eight of the table

// The picture in the file, packed rows bottom first, as the readers see it.
std::vector<uint8_t> filePixels(const ProgramTexture& texture) {
  if (std::string(texture.path).find(".raw") != std::string::npos) {
    RawImage raw;
    if (!readRawImage(texture.path, rawSideFromLength, rawSideFromLength, raw)) return {};
    return {raw.bytes.get(), raw.bytes.get() + size_t{3} * raw.width * raw.height};
  }
  BitmapImage bitmap;
  if (!readBitmap(texture.path, bitmap)) return {};
  return {bitmap.pixels.get(), bitmap.pixels.get() + size_t{3} * bitmap.width * bitmap.height};
}

// Level 0 of the texture (square, of the given side), packed rows bottom first.
std::vector<uint8_t> levelZero(GLuint name, GLint side) {
  std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3);
  GLint width = 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  if (width != side) return {};
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPopClientAttrib();
  return rgb;
}

TEST(ProgramTextures, LoadAllElevenQuicklyAndReleaseEightAtQuit) {
  const auto start = std::chrono::steady_clock::now();
  loadProgramTextures();
  glFinish();
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("loading the eleven textures took %.1f ms\n", milliseconds);
  RecordProperty("load_ms", static_cast<int>(milliseconds));
  EXPECT_LT(milliseconds, loadBudgetMilliseconds);
  EXPECT_TRUE(pendingGlErrors().empty());

  for (const ProgramTexture& texture : programTextures) {
    SCOPED_TRACE(texture.path);
    ASSERT_TRUE(glIsTexture(*texture.name));
    const std::vector<uint8_t> inFile = filePixels(texture);
    ASSERT_EQ(inFile.size(), static_cast<size_t>(texture.side) * texture.side * 3);
    EXPECT_TRUE(levelZero(*texture.name, texture.side) == inFile);
  }

  deleteProgramTextures();
  for (int i = 0; i < static_cast<int>(std::size(programTextures)); ++i) {
    SCOPED_TRACE(programTextures[i].path);
    EXPECT_EQ(glIsTexture(*programTextures[i].name) == GL_TRUE, i >= releasedAtQuit);
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
