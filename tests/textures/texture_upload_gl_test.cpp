// What GL holds after each loader: level 0 exactly as the file describes it, the filters, wrap
// mode, a complete mipmap chain, the caller's pixel-store state handed back; then the program's
// own files as start-up loads them and what quitting releases.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "assets/textures.h"
#include "tests/support/gl_probe.h"
#include "tests/textures/test_bitmaps.h"

namespace {
GLint texParameter(GLenum parameter) {
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

GLint levelSize(int level, GLenum which) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
  return value;
}

// Level 0 of the bound texture, packed rows bottom first.
Bytes levelZero() {
  Bytes rgb(static_cast<size_t>(levelSize(0, GL_TEXTURE_WIDTH)) * levelSize(0, GL_TEXTURE_HEIGHT) * 3);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPopClientAttrib();
  return rgb;
}

constexpr GLenum unpackState[] = {GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH,
                                  GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS};
std::vector<GLint> pixelStore() {
  std::vector<GLint> values;
  for (GLenum name : unpackState) values.push_back(0), glGetIntegerv(name, &values.back());
  return values;
}

TEST(TextureUpload, EachLoaderLeavesTheFilesPixelsFiltersWrapAndMipmapsBound) {
  struct Case {
    std::string what;
    Bytes file;
    bool raw;
    unsigned int repeat;
    int side;  // width; the height is side for RAW
    Bytes texels;
  };
  std::vector<Case> cases;
  for (int width : {1, 2, 4, 8}) {  // powers of two, so GL keeps them unscaled
    const ColorImage picture = testPicture(width, 4);
    cases.push_back({"bmp", encodeBmp(picture), false, 1, width, encodeRaw(picture)});
  }
  Bytes stone(256 * 256 * 3 + 3);
  for (size_t i = 0; i < stone.size(); ++i) stone[i] = static_cast<uint8_t>(i * 7 % 253);
  cases.push_back({"raw, 3 bytes over", stone, true, 1, 256, cut(stone, 256 * 256 * 3)});
  const Bytes sixByteRows = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  cases.push_back({"raw clamped", sixByteRows, true, 0, 2, sixByteRows});

  TempFolder folder;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);  // settings no loader may read its rows with
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 2);
  const std::vector<GLint> callersStore = pixelStore();
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what + ", width " + std::to_string(t.side));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const std::string path = folder.write("in", t.file);
    const GLuint name = t.raw ? loadRawTexture(path.c_str(), -1, -1, t.repeat)
                              : loadBitmapTexture(path.c_str());
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(pixelStore() == callersStore);
    GLint bound = 0, envMode = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    EXPECT_EQ(levelSize(0, GL_TEXTURE_WIDTH), t.side);
    EXPECT_TRUE(levelZero() == t.texels);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    const GLint wrap = t.repeat ? GL_REPEAT : GL_CLAMP;
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), wrap);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), wrap);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, t.raw ? GL_MODULATE : GL_REPLACE);
    int last = 0;  // the chain halves the longer side down to 1
    for (int side = std::max(t.side, levelSize(0, GL_TEXTURE_HEIGHT)); side > 1; side /= 2) ++last;
    EXPECT_EQ(levelSize(last, GL_TEXTURE_WIDTH), 1);
    EXPECT_EQ(levelSize(last, GL_TEXTURE_HEIGHT), 1);
    glDeleteTextures(1, &name);
  }
  glPopClientAttrib();
  EXPECT_TRUE(pendingGlErrors().empty());
}

Bytes filePicture(const TextureEntry& file) {
  const std::string path = std::string("textures\\") + file.fileName;
  RawImage raw;
  BitmapImage bmp;
  if (file.format == TextureFormat::raw) {
    if (!readRawImage(path.c_str(), rawSideFromLength, rawSideFromLength, raw)) return {};
    return Bytes(raw.bytes.get(), raw.bytes.get() + size_t{3} * raw.width * raw.height);
  }
  if (!readBitmap(path.c_str(), bmp)) return {};
  return Bytes(bmp.pixels.get(), bmp.pixels.get() + size_t{3} * bmp.width * bmp.height);
}

TEST(ProgramTextures, EachRowHoldsItsFileTiledAsTheManifestSaysAndQuitReleasesItsRows) {
  loadProgramTextures();
  EXPECT_TRUE(pendingGlErrors().empty());
  for (int row = 0; row < textureCount; ++row) {
    const TextureEntry& file = textureManifest[row];
    SCOPED_TRACE(file.fileName);
    ASSERT_TRUE(glIsTexture(programTextures.names[row]));
    glBindTexture(GL_TEXTURE_2D, programTextures.names[row]);
    const Bytes picture = filePicture(file);
    ASSERT_FALSE(picture.empty());
    EXPECT_TRUE(levelZero() == picture);
    // RAW files clamp unless they repeat; bitmaps keep GL's repeat.
    const GLint wrap = file.format == TextureFormat::raw && !file.repeats ? GL_CLAMP : GL_REPEAT;
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), wrap);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), wrap);
  }
  deleteProgramTextures();
  for (int row = 0; row < textureCount; ++row) {
    EXPECT_NE(glIsTexture(programTextures.names[row]) == GL_TRUE, textureManifest[row].released)
        << textureManifest[row].fileName;
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}
}  // namespace
