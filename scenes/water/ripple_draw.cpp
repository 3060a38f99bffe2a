// Drawing the ripple surface: its GL state and its triangle strips.
#include <GL/gl.h>

#include "scenes/water/ripple_surface.h"

// Sphere-map texture generation on the bound texture, with linear filtering,
// so the surface reflects it through its normals.
void RippleSurface::setupSurfaceState() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

// Draws with the heights and normals as they stand; the step follows, so a
// frame's normals are always one step older than its heights.
void RippleSurface::drawAndStep() {
  drawSurface();
  stepSimulation();
}

// Strip s joins column s and column s + 1, row by row, in double precision.
void RippleSurface::drawSurface() {
  const int last = gridSize - 1;
  glColor3f(1.0f, 1.0f, 1.0f);
  for (int s = 0; s < last; ++s) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= last; ++i) {
      for (int j = s; j <= s + 1; ++j) {
        const Vec3d& normal = gridNormals[i][j];
        const Vec3d& point = gridPoints[i][j];
        glTexCoord2d(i * texCoordStep, j * texCoordStep);
        glNormal3d(normal.x, normal.y, normal.z);
        glVertex3d(point.x, point.y, point.z);
      }
    }
    glEnd();
  }
}
