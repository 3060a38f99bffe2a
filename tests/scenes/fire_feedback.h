// Feedback-mode capture for the fire, water and intro tests: points as well
// as polygons, and the glPassThrough markers between them, in the order a
// draw emits them.
#pragma once
#include <GL/gl.h>

#include <functional>
#include <vector>

// One primitive a draw emitted: window-space vertices (x, y, z) with their
// colours (r, g, b, a); a marker carries its value and no vertices.
struct FeedbackItem {
  enum Kind { point, polygon, marker } kind;
  std::vector<float> xyz;
  std::vector<float> rgba;
  float markerValue = 0.0f;
};

// Runs draw in feedback mode (GL_3D_COLOR) and returns what it emitted.
std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw);

// How many items of a kind a capture holds.
int countKind(const std::vector<FeedbackItem>& items, FeedbackItem::Kind kind);
