#include "tests/support/gl_probe.h"

#include <cstring>
#include <sstream>

bool GlState::operator==(const GlState& o) const {
  return depthTest == o.depthTest && blend == o.blend && texture2d == o.texture2d &&
         textureGenS == o.textureGenS && textureGenT == o.textureGenT &&
         std::memcmp(color, o.color, sizeof color) == 0 && boundTexture == o.boundTexture &&
         modelviewDepth == o.modelviewDepth && projectionDepth == o.projectionDepth &&
         attribDepth == o.attribDepth && matrixMode == o.matrixMode;
}

std::string GlState::describe() const {
  std::ostringstream out;
  out << "depth=" << depthTest << " blend=" << blend << " tex2d=" << texture2d
      << " genS=" << textureGenS << " genT=" << textureGenT << " colour=(" << color[0] << ","
      << color[1] << "," << color[2] << "," << color[3] << ") texture=" << boundTexture
      << " modelview depth=" << modelviewDepth << " projection depth=" << projectionDepth
      << " attrib depth=" << attribDepth << " matrix mode=" << matrixMode;
  return out.str();
}

GlState captureGlState() {
  GlState s;
  s.depthTest = glIsEnabled(GL_DEPTH_TEST);
  s.blend = glIsEnabled(GL_BLEND);
  s.texture2d = glIsEnabled(GL_TEXTURE_2D);
  s.textureGenS = glIsEnabled(GL_TEXTURE_GEN_S);
  s.textureGenT = glIsEnabled(GL_TEXTURE_GEN_T);
  glGetFloatv(GL_CURRENT_COLOR, s.color);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  return s;
}

Rgb readPixel(int x, int y) {
  unsigned char rgb[3] = {0, 0, 0};
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  return {rgb[0], rgb[1], rgb[2]};
}

std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw,
                                             size_t bufferFloats) {
  std::vector<GLfloat> buffer(bufferFloats);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackPolygon> polygons;
  // GL_3D_COLOR in RGBA mode: x, y, z, then r, g, b, a per vertex.
  constexpr int vertexFloats = 7;
  for (GLint i = 0; i < used;) {
    const GLint token = static_cast<GLint>(buffer[i++]);
    if (token == GL_POLYGON_TOKEN) {
      const int count = static_cast<int>(buffer[i++]);
      FeedbackPolygon polygon;
      for (int v = 0; v < count; ++v, i += vertexFloats) {
        polygon.xyz.insert(polygon.xyz.end(), &buffer[i], &buffer[i + 3]);
        polygon.rgba.insert(polygon.rgba.end(), &buffer[i + 3], &buffer[i + 7]);
      }
      polygons.push_back(polygon);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      FeedbackPolygon marker;
      marker.rgba.push_back(buffer[i++]);
      polygons.push_back(marker);
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
               token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
      i += vertexFloats;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 2 * vertexFloats;
    } else {
      break;  // unknown token: stop rather than misread the rest
    }
  }
  return polygons;
}

std::vector<GLenum> pendingGlErrors() {
  std::vector<GLenum> errors;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    errors.push_back(error);
    if (errors.size() > 32) break;
  }
  return errors;
}
