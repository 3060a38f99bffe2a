#include "tests/support/gl_probe.h"

#include <sstream>

std::string GlState::describe() const {
  std::ostringstream out;
  out << "depth=" << depthTest << " blend=" << blend << " tex2d=" << texture2d << " genS=" << textureGenS
      << " genT=" << textureGenT << " colour=(" << color[0] << "," << color[1] << "," << color[2] << ","
      << color[3] << ") texture=" << boundTexture << " modelview depth=" << modelviewDepth
      << " projection depth=" << projectionDepth << " attrib depth=" << attribDepth
      << " matrix mode=" << matrixMode;
  return out.str();
}

GlState captureGlState() {
  GlState s;
  s.depthTest = glIsEnabled(GL_DEPTH_TEST), s.blend = glIsEnabled(GL_BLEND), s.texture2d = glIsEnabled(GL_TEXTURE_2D);
  s.textureGenS = glIsEnabled(GL_TEXTURE_GEN_S), s.textureGenT = glIsEnabled(GL_TEXTURE_GEN_T);
  glGetFloatv(GL_CURRENT_COLOR, s.color);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  return s;
}

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw) {
  // An overflowing buffer (a negative count) is doubled and the draw repeated.
  std::vector<GLfloat> buffer;
  GLint used = -1;
  for (size_t size = size_t{1} << 16; used < 0; size *= 2) {
    buffer.assign(size, 0.0f);
    glFeedbackBuffer(static_cast<GLsizei>(size), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    used = glRenderMode(GL_RENDER);
  }
  constexpr int vertexFloats = 7;  // x, y, z, r, g, b, a
  std::vector<FeedbackItem> items;
  for (GLint i = 0; i < used;) {
    const GLint token = static_cast<GLint>(buffer[i++]);
    const bool point = token == GL_POINT_TOKEN;
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 2 * vertexFloats;
    } else if (token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
      i += vertexFloats;
    } else if (!point && token != GL_POLYGON_TOKEN) {
      break;  // unknown token: stop rather than misread the rest
    }
    if (!point && token != GL_POLYGON_TOKEN) continue;
    FeedbackItem item;
    item.kind = point ? FeedbackItem::point : FeedbackItem::polygon;
    const int count = point ? 1 : static_cast<int>(buffer[i++]);
    for (int v = 0; v < count; ++v, i += vertexFloats) {
      item.xyz.insert(item.xyz.end(), &buffer[i], &buffer[i + 3]);
      item.rgba.insert(item.rgba.end(), &buffer[i + 3], &buffer[i + 7]);
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<GLenum> pendingGlErrors() {
  std::vector<GLenum> errors;
  for (GLenum error = glGetError(); error != GL_NO_ERROR && errors.size() <= 32; error = glGetError()) {
    errors.push_back(error);
  }
  return errors;
}
