// Observing GL from tests: the state a draw hands back, what it emits.
#pragma once
#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

// The parts of GL state a draw routine must hand back as it found them.
struct GlState {
  bool depthTest = false, blend = false, texture2d = false, textureGenS = false, textureGenT = false;
  float color[4] = {0, 0, 0, 0};
  GLint boundTexture = 0, modelviewDepth = 0, projectionDepth = 0, attribDepth = 0, matrixMode = 0;

  bool operator==(const GlState& other) const { return describe() == other.describe(); }
  std::string describe() const;
};

GlState captureGlState();

// A point or polygon in feedback mode: window-space x, y, z and r, g, b, a per vertex.
struct FeedbackItem {
  enum Kind { point, polygon } kind = polygon;
  std::vector<float> xyz, rgba;
};

// The points and polygons draw emits in feedback mode, in order.
std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw);

// Drains and returns every pending GL error (empty when there was none).
std::vector<GLenum> pendingGlErrors();
