// Observing GL from tests: the state a draw must hand back, and what a draw
// emits, through feedback mode.
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

// One primitive as feedback mode (GL_3D_COLOR) reports it: window-space
// vertices (x, y, z) and each vertex's colour (r, g, b, a). A glPassThrough
// marker has no vertices and its value in rgba[0].
struct FeedbackItem {
  enum Kind { point, polygon, marker } kind = polygon;
  std::vector<float> xyz;
  std::vector<float> rgba;
};
using FeedbackPolygon = FeedbackItem;

// Runs draw in feedback mode and returns the points, polygons and markers it
// emitted, in order (lines and pixel operations are skipped). The draw runs
// again with a larger buffer while the buffer is too small for it.
std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw,
                                          size_t bufferFloats = size_t{1} << 16);
// The same without the points.
std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw,
                                             size_t bufferFloats = size_t{1} << 16);
// How many items of a kind a capture holds.
int countKind(const std::vector<FeedbackItem>& items, FeedbackItem::Kind kind);

// Drains and returns every pending GL error (empty when there was none).
std::vector<GLenum> pendingGlErrors();
