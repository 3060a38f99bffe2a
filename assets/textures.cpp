#include "assets/textures.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"

GLuint stoneTexture = 0;
GLuint grassTexture = 0;
GLuint barkTexture = 0;
GLuint leafTexture = 0;
GLuint starfieldTexture = 0;
GLuint oceanTexture = 0;
GLuint marble2Texture = 0;
GLuint marble4Texture = 0;
GLuint floorTexture = 0;
GLuint metal3Texture = 0;
GLuint metal1Texture = 0;

namespace {

constexpr GLint rgbComponents = 3;
constexpr int unusableBitmapStatus = 1;
constexpr int stoneSide = rawSideFromLength;
constexpr unsigned int stoneRepeats = 1;

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
  stoneTexture = loadRawTexture("textures\\stone.raw", stoneSide, stoneSide, stoneRepeats);
  grassTexture = loadBitmapTexture("textures\\grass2.bmp");
  barkTexture = loadBitmapTexture("textures\\bark1.bmp");
  leafTexture = loadBitmapTexture("textures\\leaf1.bmp");
  starfieldTexture = loadBitmapTexture("textures\\starfield4.bmp");
  oceanTexture = loadBitmapTexture("textures\\opocean2.bmp");
  marble2Texture = loadBitmapTexture("textures\\marble2.bmp");
  marble4Texture = loadBitmapTexture("textures\\marble4.bmp");
  floorTexture = loadBitmapTexture("textures\\floor1.bmp");
  metal3Texture = loadBitmapTexture("textures\\metal3.bmp");
  metal1Texture = loadBitmapTexture("textures\\metal1.bmp");
}

void deleteProgramTextures() {
  const GLuint* released[] = {&stoneTexture,     &grassTexture, &barkTexture,
                              &leafTexture,      &starfieldTexture, &oceanTexture,
                              &marble2Texture,   &marble4Texture};
  for (const GLuint* name : released) glDeleteTextures(1, name);
}
