#include "assets/mesh.h"

#include <GL/gl.h>

namespace {

// The marker filter keeps triangles whose 0-based index is a multiple of either.
constexpr std::int32_t markerEvery = 12;
constexpr std::int32_t markerAlsoEvery = 10;
constexpr int cornersPerTriangle = 3;

// Applies one enable change of a draw state to the capability.
void applySwitch(GlSwitch change, GLenum capability) {
  if (change == GlSwitch::enable) {
    glEnable(capability);
  } else if (change == GlSwitch::disable) {
    glDisable(capability);
  }
}

// True when the filter lets triangle f through.
bool passesFilter(FaceFilter filter, std::int32_t f) {
  if (filter == FaceFilter::marker) return f % markerEvery == 0 || f % markerAlsoEvery == 0;
  return true;
}

// Sends the whole-triangle colour, if the state has one.
void sendTriangleColour(const MeshDrawState& state) {
  const float* c = state.triangleColour;
  if (state.triangleColourKind == TriangleColour::rgba) {
    glColor4f(c[0], c[1], c[2], c[3]);
  } else if (state.triangleColourKind == TriangleColour::rgb) {
    glColor3f(c[0], c[1], c[2]);
  }
}

}  // namespace

void drawMesh(const Mesh& mesh) {
  const MeshDrawState& state = mesh.drawState;
  applySwitch(state.textureBefore, GL_TEXTURE_2D);
  applySwitch(state.blendBefore, GL_BLEND);
  for (std::int32_t f = 0; indicesPerTriangle * f < mesh.indexCount; ++f) {
    if (!passesFilter(state.faceFilter, f)) continue;
    const std::int32_t first = indicesPerTriangle * f;
    glBegin(GL_TRIANGLES);
    sendTriangleColour(state);
    for (int k = 0; k < cornersPerTriangle; ++k) {
      if (state.cornerColours) glColor3fv(state.cornerColours[k]);
      if (mesh.uvs) {
        const double* uv = &mesh.uvs[2 * mesh.uvTriangles[first + k]];
        glTexCoord2d(uv[0] * mesh.uvScale, uv[1] * mesh.uvScale);
      }
      glVertex3dv(&mesh.vertices[3 * mesh.triangles[first + k]]);
    }
    glEnd();
  }
  applySwitch(state.textureAfter, GL_TEXTURE_2D);
  applySwitch(state.blendAfter, GL_BLEND);
}
