// Observing GL from tests: enables, colour, bindings and matrix depths before
// and after a draw; pixels; the primitives a draw emits, through feedback mode.
#pragma once
#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

// The parts of GL state a draw routine must hand back as it found them.
struct GlState {
  bool depthTest = false;
  bool blend = false;
  bool texture2d = false;
  bool textureGenS = false;
  bool textureGenT = false;
  float color[4] = {0, 0, 0, 0};
  GLint boundTexture = 0;
  GLint modelviewDepth = 0;
  GLint projectionDepth = 0;
  GLint attribDepth = 0;
  GLint matrixMode = 0;

  bool operator==(const GlState& other) const;
  std::string describe() const;
};

GlState captureGlState();

// The RGB pixel of the back buffer at window coordinates (x, y from the bottom).
struct Rgb {
  int r, g, b;
};
Rgb readPixel(int x, int y);

// One polygon as feedback mode reports it: window-space vertices (x, y, z)
// and each vertex's colour.
struct FeedbackPolygon {
  std::vector<float> xyz;
  std::vector<float> rgba;
};

// Runs draw in feedback mode (GL_3D_COLOR) and returns the polygons emitted,
// in order; glPassThrough markers are returned as polygons with no vertices
// and the marker value in rgba[0].
std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw,
                                             size_t bufferFloats = 1 << 22);

// Drains and returns every pending GL error (empty when there was none).
std::vector<GLenum> pendingGlErrors();
