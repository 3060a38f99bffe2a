#include "app/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// Start-up projection.
constexpr double startFieldOfView = 80.0;
constexpr double startNear = 0.0;
constexpr double startFar = 3000.0;

// Drawing projection set on every reshape.
constexpr float nearPlane = 0.1f;  // single-precision 0.1, widened
constexpr double farPlane = 1000.0;

// A perspective projection of the window's aspect; leaves the modelview
// matrix current.
void setProjection(double fovy, int width, int height, double zNear, double zFar) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fovy, static_cast<float>(width) / static_cast<float>(height), zNear, zFar);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void setStartUpProjection(int width, int height) {
  setProjection(startFieldOfView, width, height, startNear, startFar);
}

void reshapeWindow(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  setProjection(viewFieldOfView, width, height, nearPlane, farPlane);
}
