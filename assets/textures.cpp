#include "assets/textures.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"

ProgramTextures programTextures = {};

namespace {

constexpr GLint rgbComponents = 3;
constexpr int unusableBitmapStatus = 1;
// The folder as the loader names it, messages included.
constexpr const char* textureFolder = "textures\\";

// Builds the mipmap chain of the bound texture from packed RGB rows. The
// rows carry no padding, so they are read byte-aligned with every other
// unpack setting at its default; the caller's pixel-store state comes back.
void buildMipmaps(GLsizei width, GLsizei height, const uint8_t* pixels) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  gluBuild2DMipmaps(GL_TEXTURE_2D, rgbComponents, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  glPopClientAttrib();
}

// A new texture name, bound to GL_TEXTURE_2D.
GLuint newBoundTexture() {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  return name;
}

}  // namespace

GLuint loadBitmapTexture(const char* path) {
  std::unique_ptr<BitmapImage> image(new (std::nothrow) BitmapImage);
  if (!image) {
    std::printf("Error allocating space for image");
    std::exit(unusableBitmapStatus);
  }
  if (!readBitmap(path, *image)) std::exit(unusableBitmapStatus);

  const GLuint name = newBoundTexture();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  buildMipmaps(static_cast<GLsizei>(image->width), static_cast<GLsizei>(image->height),
               image->pixels.get());
  return name;
}

GLuint loadRawTexture(const char* path, int width, int height, unsigned int repeat) {
  RawImage image;
  if (!readRawImage(path, width, height, image)) return 0;

  const GLuint name = newBoundTexture();
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const GLint wrap = repeat != 0 ? GL_REPEAT : GL_CLAMP;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  buildMipmaps(image.width, image.height, image.bytes.get());
  return name;
}

void loadProgramTextures() {
  for (int row = 0; row < textureCount; ++row) {
    const TextureEntry& file = textureManifest[row];
    const std::string path = std::string(textureFolder) + file.fileName;
    programTextures.names[row] =
        file.format == TextureFormat::raw
            ? loadRawTexture(path.c_str(), rawSideFromLength, rawSideFromLength, file.repeats ? 1 : 0)
            : loadBitmapTexture(path.c_str());
  }
}

void deleteProgramTextures() {
  for (int row = 0; row < textureCount; ++row) {
    if (textureManifest[row].released) glDeleteTextures(1, &programTextures.names[row]);
  }
}
