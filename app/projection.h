// The projections: the one start-up sets first, and the drawing projection
// that every reshape sets with the window's aspect.
#pragma once

// The drawing projection's vertical field of view, degrees; its aspect is the
// window's.
constexpr double viewFieldOfView = 45.0;

// The start-up projection; reshapeWindow replaces it before the first frame.
void setStartUpProjection(int width, int height);

// GLUT reshape callback: viewport and the drawing projection.
void reshapeWindow(int width, int height);
