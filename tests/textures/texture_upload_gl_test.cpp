// What GL ends up holding after each loader: level-0 texels exactly as the
// file describes them (padded rows, long headers, top-down rows, RAW rows
// that are not 4-byte aligned), the filters and wrap modes, a complete
// mipmap chain, and the caller's pixel-store state handed back untouched.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/textures.h"
#include "tests/support/gl_probe.h"
#include "tests/textures/bmp_maker.h"

namespace {

struct Texels {
  GLint width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows bottom first, packed
};

// Level 0 of the texture, read back packed.
Texels levelZero(GLuint name) {
  Texels texels;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texels.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texels.height);
  texels.rgb.resize(static_cast<size_t>(texels.width) * texels.height * 3);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.rgb.data());
  glPopClientAttrib();
  return texels;
}

GLint texParameter(GLenum parameter) {
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

// The unpack and pack settings a caller may have changed.
struct PixelStore {
  GLint values[12] = {};
  static constexpr GLenum names[12] = {
      GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
      GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST, GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH,
      GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS, GL_PACK_SWAP_BYTES, GL_PACK_LSB_FIRST};

  static PixelStore capture() {
    PixelStore store;
    for (int i = 0; i < 12; ++i) glGetIntegerv(names[i], &store.values[i]);
    return store;
  }
  bool operator==(const PixelStore& other) const {
    return std::equal(values, values + 12, other.values);
  }
};

// Sets unpack state no loader should read its rows with.
void disturbUnpackState() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 2);
}

class TextureUpload : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pendingGlErrors().empty());
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  }
  void TearDown() override {
    glPopClientAttrib();
    EXPECT_TRUE(pendingGlErrors().empty());
  }

  // Loads layout through loadBitmapTexture and expects its pixels as level 0.
  void expectBitmapTexels(const BmpLayout& layout) {
    const std::string path = folder_.write("upload.bmp", buildBmp(layout));
    const GLuint name = loadBitmapTexture(path.c_str());
    ASSERT_NE(name, 0u);
    const Texels texels = levelZero(name);
    EXPECT_EQ(texels.width, layoutWidth(layout));
    EXPECT_EQ(texels.height, layoutRows(layout));
    EXPECT_EQ(texels.rgb, expectedPixels(layout));
    glDeleteTextures(1, &name);
  }

  TempFolder folder_;
};

// Widths 1 and 2 are powers of two (so GL keeps them unscaled) whose rows are
// padded in the file and 3 or 6 bytes long in memory.
TEST_F(TextureUpload, BitmapTexelsMatchTheFileForPaddedAndUnpaddedRows) {
  for (uint32_t width : {1u, 2u, 4u, 8u}) {
    SCOPED_TRACE(width);
    BmpLayout layout;
    layout.widthField = width;
    layout.heightField = 4;
    expectBitmapTexels(layout);
  }
}

TEST_F(TextureUpload, BitmapTexelsMatchForLongHeadersAndTopDownRows) {
  BmpLayout longHeader;
  longHeader.widthField = 2;
  longHeader.heightField = 2;
  longHeader.gapBytes = 84;
  expectBitmapTexels(longHeader);

  BmpLayout topDown;
  topDown.widthField = 2;
  topDown.heightField = 0u - 4u;
  expectBitmapTexels(topDown);
}

TEST_F(TextureUpload, LoadersLeaveThePixelStoreAsTheyFoundIt) {
  disturbUnpackState();
  glPixelStorei(GL_PACK_ALIGNMENT, 2);
  const PixelStore before = PixelStore::capture();
  BmpLayout layout;
  layout.widthField = 2;
  layout.heightField = 2;
  const GLuint bitmap = loadBitmapTexture(folder_.write("store.bmp", buildBmp(layout)).c_str());
  EXPECT_TRUE(PixelStore::capture() == before);
  std::vector<uint8_t> raw(2 * 2 * 3, 90);
  const GLuint rawName = loadRawTexture(folder_.write("store.raw", raw).c_str(), -1, -1, 1);
  EXPECT_TRUE(PixelStore::capture() == before);
  // And the rows were read as packed rows despite the disturbed state.
  EXPECT_EQ(levelZero(bitmap).rgb, expectedPixels(layout));
  EXPECT_EQ(levelZero(rawName).rgb, raw);
  const GLuint names[] = {bitmap, rawName};
  glDeleteTextures(2, names);
}

TEST_F(TextureUpload, BitmapTextureHasItsFiltersRepeatsAndAFullMipmapChain) {
  BmpLayout layout;
  layout.widthField = 8;
  layout.heightField = 4;
  const GLuint name = loadBitmapTexture(folder_.write("chain.bmp", buildBmp(layout)).c_str());
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), name);
  EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
  GLint lastWidth = 0, lastHeight = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &lastWidth);  // 8 -> 4 -> 2 -> 1
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_HEIGHT, &lastHeight);
  EXPECT_EQ(lastWidth, 1);
  EXPECT_EQ(lastHeight, 1);
  glDeleteTextures(1, &name);
}

TEST_F(TextureUpload, RawTextureUsesTheSquareFromTheLengthAndIgnoresExtraBytes) {
  std::vector<uint8_t> bytes(256 * 256 * 3 + 3);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 % 253);
  const GLuint name = loadRawTexture(folder_.write("stone.raw", bytes).c_str(), -1, -1, 1);
  ASSERT_NE(name, 0u);
  const Texels texels = levelZero(name);
  EXPECT_EQ(texels.width, 256);
  EXPECT_EQ(texels.height, 256);
  bytes.resize(bytes.size() - 3);
  EXPECT_EQ(texels.rgb, bytes);
  glDeleteTextures(1, &name);
}

TEST_F(TextureUpload, RawTextureReadsUnalignedRowsAndSetsItsWrapAndEnvironment) {
  const std::vector<uint8_t> bytes = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  const GLuint clamped = loadRawTexture(folder_.write("tiny.raw", bytes).c_str(), -1, -1, 0);
  ASSERT_NE(clamped, 0u);
  GLint envMode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
  EXPECT_EQ(envMode, GL_MODULATE);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_CLAMP);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_CLAMP);
  EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  const Texels texels = levelZero(clamped);
  EXPECT_EQ(texels.width, 2);
  EXPECT_EQ(texels.rgb, bytes);  // 6-byte rows, not read at a 4-byte stride

  const GLuint repeated = loadRawTexture(folder_.write("tiny.raw", bytes).c_str(), -1, -1, 1);
  glBindTexture(GL_TEXTURE_2D, repeated);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
  const GLuint names[] = {clamped, repeated};
  glDeleteTextures(2, names);
}

TEST_F(TextureUpload, RawTextureOfAnEmptyFileMakesNoTexture) {
  GLint boundBefore = 0, boundAfter = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundBefore);
  EXPECT_EQ(loadRawTexture(folder_.write("empty.raw", {}).c_str(), -1, -1, 1), 0u);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundAfter);
  EXPECT_EQ(boundAfter, boundBefore);
}

}  // namespace
