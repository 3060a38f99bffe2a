#define GL_GLEXT_PROTOTYPES
#include "app/backdrop_cache.h"

#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

#include "app/scene_controller.h"

BackdropCache backdropCache;

namespace {

// Framebuffer objects and their blits are core from GL 3.0 on.
constexpr int framebufferObjectsVersion = 3;

bool haveFramebufferObjects() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version && std::atoi(version) >= framebufferObjectsVersion) return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && std::strstr(extensions, "GL_ARB_framebuffer_object");
}

// The buffers a copy takes: colour and depth, and stencil when the window
// has one (a depth blit must carry the stencil of a combined format).
GLbitfield copiedBuffers() {
  GLint stencilBits = 0;
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  return GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (stencilBits > 0 ? GL_STENCIL_BUFFER_BIT : 0);
}

// The sized depth format of the window's depth buffer, which a depth blit
// must match exactly.
GLenum windowDepthFormat(GLenum& attachment) {
  GLint depthBits = 0, stencilBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  attachment = GL_DEPTH_ATTACHMENT;
  if (stencilBits > 0) {
    attachment = GL_DEPTH_STENCIL_ATTACHMENT;
    return GL_DEPTH24_STENCIL8;
  }
  if (depthBits >= 32) return GL_DEPTH_COMPONENT32;
  if (depthBits >= 24) return GL_DEPTH_COMPONENT24;
  return GL_DEPTH_COMPONENT16;
}

// Colour and depth attachments of the window's size. The colour is a
// texture made from BGRA bytes, the layout of the window's own buffer, so
// that a copy between them needs no conversion.
bool makeAttachments(BackdropCache& cache, int width, int height) {
  if (cache.framebuffer == 0) {
    glGenFramebuffers(1, &cache.framebuffer);
    glGenTextures(1, &cache.colour);
    glGenRenderbuffers(1, &cache.depth);
  }
  GLint boundTexture = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
  glBindTexture(GL_TEXTURE_2D, cache.colour);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));

  GLenum depthAttachment = GL_DEPTH_ATTACHMENT;
  const GLenum depthFormat = windowDepthFormat(depthAttachment);
  glBindRenderbuffer(GL_RENDERBUFFER, cache.depth);
  glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);

  glBindFramebuffer(GL_FRAMEBUFFER, cache.framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, cache.colour, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, depthAttachment, GL_RENDERBUFFER, cache.depth);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  cache.width = width;
  cache.height = height;
  return complete;
}

// Copies between the window and the copy. The window's rows lie top first in
// memory and a framebuffer object's bottom first, so the copy is kept upside
// down: the blit then turns it over on the way and the driver can move whole
// rows instead of drawing them.
void copyToCache(const BackdropCache& cache, int width, int height) {
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, cache.framebuffer);
  glBlitFramebuffer(0, 0, width, height, 0, height, width, 0, copiedBuffers(), GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void copyFromCache(const BackdropCache& cache, int width, int height) {
  glBindFramebuffer(GL_READ_FRAMEBUFFER, cache.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBlitFramebuffer(0, height, width, 0, 0, 0, width, height, copiedBuffers(), GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// One pixel's colour and depth as stored, read from the bound read buffer.
struct StoredPixel {
  GLubyte colour[4] = {};
  GLuint depth = 0;
  bool operator==(const StoredPixel& o) const {
    return std::memcmp(colour, o.colour, sizeof colour) == 0 && depth == o.depth;
  }
};
StoredPixel readPixel(int x, int y) {
  StoredPixel pixel;
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.colour);
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, &pixel.depth);
  return pixel;
}

// After the first copy: a window whose depth format the copy could not match
// leaves it empty, so the window's centre and a corner are compared with the
// copy's (turned over) before it is ever used.
bool copyIsExact(const BackdropCache& cache, int width, int height) {
  const int points[2][2] = {{width / 2, height / 2}, {0, 0}};
  for (const auto& point : points) {
    const int x = point[0], y = point[1];
    const StoredPixel window = readPixel(x, y);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, cache.framebuffer);
    const StoredPixel copy = readPixel(x, height - 1 - y);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    if (!(window == copy)) return false;
  }
  return true;
}

}  // namespace

bool operator==(const BackdropKey& a, const BackdropKey& b) {
  return a.cameraZoom == b.cameraZoom && a.cameraHeight == b.cameraHeight &&
         a.width == b.width && a.height == b.height;
}

BackdropKey currentBackdropKey() {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  return {sceneController.cameraZoom, sceneController.cameraHeight, viewport[2], viewport[3]};
}

bool restoreBackdrop(const BackdropKey& key) {
  BackdropCache& cache = backdropCache;
  if (!cache.enabled || !cache.valid || !(cache.key == key)) return false;
  copyFromCache(cache, key.width, key.height);
  return true;
}

void keepBackdrop(const BackdropKey& key) {
  BackdropCache& cache = backdropCache;
  const bool atRest = key == cache.seen;
  cache.seen = key;
  if (!cache.enabled || !atRest || (cache.valid && cache.key == key)) return;
  if (!cache.checked) {
    cache.checked = 1;
    cache.supported = haveFramebufferObjects();
  }
  if (!cache.supported || key.width <= 0 || key.height <= 0) return;
  const bool firstCopy = cache.framebuffer == 0;
  if ((cache.width != key.width || cache.height != key.height) &&
      !makeAttachments(cache, key.width, key.height)) {
    cache.supported = 0;
    return;
  }
  copyToCache(cache, key.width, key.height);
  if (firstCopy && !copyIsExact(cache, key.width, key.height)) {
    cache.supported = 0;
    return;
  }
  cache.key = key;
  cache.valid = 1;
}

void dropBackdrop() { backdropCache.valid = 0; }
