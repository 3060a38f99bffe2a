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

namespace {

// One point of a strip as GL's interleaved T2F_N3F_V3F layout takes it.
struct StripVertex {
  float texCoord[2];
  float normal[3];
  float position[3];
};

// The strips one after another: strip s joins column s and column s + 1,
// row by row, two points a row.
StripVertex stripVertices[(rippleStorageSize - 1) * 2 * rippleStorageSize];

}  // namespace

// Strip s joins column s and column s + 1, row by row. The points go to GL as
// one array of floats, each value the double rounded as glVertex3d and its
// kin would round it, so the strips are the same as sent call by call.
void RippleSurface::drawSurface() {
  const RippleState& state = rippleState;
  const int last = state.gridSize - 1;
  const double step = state.texCoordStep;
  StripVertex* out = stripVertices;
  for (int s = 0; s < last; ++s) {
    for (int i = 0; i <= last; ++i) {
      for (int j = s; j <= s + 1; ++j, ++out) {
        const Vec3d& normal = state.gridNormals[i][j];
        const Vec3d& point = state.gridPoints[i][j];
        *out = StripVertex{
            {static_cast<float>(i * step), static_cast<float>(j * step)},
            {static_cast<float>(normal.x), static_cast<float>(normal.y), static_cast<float>(normal.z)},
            {static_cast<float>(point.x), static_cast<float>(point.y), static_cast<float>(point.z)}};
      }
    }
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glInterleavedArrays(GL_T2F_N3F_V3F, 0, stripVertices);
  const int stripPoints = 2 * state.gridSize;
  for (int s = 0; s < last; ++s) glDrawArrays(GL_TRIANGLE_STRIP, s * stripPoints, stripPoints);
  glPopClientAttrib();
  // The current normal and texture coordinate end as the last point's, as
  // they would after sending it call by call.
  if (out != stripVertices) {
    glNormal3fv(out[-1].normal);
    glTexCoord2fv(out[-1].texCoord);
  }
}
