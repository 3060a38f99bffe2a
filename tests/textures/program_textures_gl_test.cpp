// The program's own texture files, loaded from textures/ in the build folder
// as start-up loads them: every manifest row's GL name holds its own file's
// picture, loading is quick, and quitting releases exactly the eight rows the
// manifest marks.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "assets/textures.h"
#include "tests/support/gl_probe.h"

namespace {

constexpr int releasedAtQuit = 8;

// The square picture in a texture file, packed rows bottom first, as the
// readers see it, and its side; empty when they refuse it.
struct FilePicture {
  std::vector<uint8_t> rgb;
  GLint side = 0;
};

FilePicture filePicture(const TextureEntry& file) {
  const std::string path = std::string("textures\\") + file.fileName;
  if (file.format == TextureFormat::raw) {
    RawImage raw;
    if (!readRawImage(path.c_str(), rawSideFromLength, rawSideFromLength, raw)) return {};
    return {{raw.bytes.get(), raw.bytes.get() + size_t{3} * raw.width * raw.height}, raw.width};
  }
  BitmapImage bitmap;
  if (!readBitmap(path.c_str(), bitmap)) return {};
  return {{bitmap.pixels.get(), bitmap.pixels.get() + size_t{3} * bitmap.width * bitmap.height},
          static_cast<GLint>(bitmap.width)};
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

// How long the loading takes is the benchmark's start-up table's business.
TEST(ProgramTextures, LoadAllAndReleaseEightAtQuit) {
  loadProgramTextures();
  EXPECT_TRUE(pendingGlErrors().empty());

  for (int row = 0; row < textureCount; ++row) {
    SCOPED_TRACE(textureManifest[row].fileName);
    const GLuint name = programTextures.names[row];
    ASSERT_TRUE(glIsTexture(name));
    const FilePicture inFile = filePicture(textureManifest[row]);
    ASSERT_EQ(inFile.rgb.size(), static_cast<size_t>(inFile.side) * inFile.side * 3);
    EXPECT_TRUE(levelZero(name, inFile.side) == inFile.rgb);
  }

  deleteProgramTextures();
  int released = 0;
  for (int row = 0; row < textureCount; ++row) {
    SCOPED_TRACE(textureManifest[row].fileName);
    EXPECT_NE(glIsTexture(programTextures.names[row]) == GL_TRUE, textureManifest[row].released);
    released += textureManifest[row].released;
  }
  EXPECT_EQ(released, releasedAtQuit);
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
