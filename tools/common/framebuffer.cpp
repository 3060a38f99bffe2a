#include "tools/common/framebuffer.h"

#include <GL/gl.h>

#include <cstring>

RgbImage readBackBuffer(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  image.pixels.resize(rowBytes * height);
  std::vector<uint8_t> rows(image.pixels.size());
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.pixel(0, y), &rows[(height - 1 - y) * rowBytes], rowBytes);
  }
  return image;
}
