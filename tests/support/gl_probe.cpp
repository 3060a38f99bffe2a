#include "tests/support/gl_probe.h"

#include <algorithm>
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

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw, size_t bufferFloats) {
  // A buffer that overflows (the count comes back negative) is doubled and
  // the draw repeated: a large one from the start costs every capture dearly.
  std::vector<GLfloat> buffer;
  GLint used = -1;
  for (size_t size = bufferFloats; used < 0; size *= 2) {
    buffer.assign(size, 0.0f);
    glFeedbackBuffer(static_cast<GLsizei>(size), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    used = glRenderMode(GL_RENDER);
  }
  // GL_3D_COLOR in RGBA mode: x, y, z, then r, g, b, a per vertex.
  constexpr int vertexFloats = 7;
  std::vector<FeedbackItem> items;
  for (GLint i = 0; i < used;) {
    const GLint token = static_cast<GLint>(buffer[i++]);
    FeedbackItem item;
    int count = 0;
    if (token == GL_POINT_TOKEN) {
      item.kind = FeedbackItem::point;
      count = 1;
    } else if (token == GL_POLYGON_TOKEN) {
      count = static_cast<int>(buffer[i++]);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      item.kind = FeedbackItem::marker;
      item.rgba.push_back(buffer[i++]);
      items.push_back(item);
      continue;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 2 * vertexFloats;
      continue;
    } else if (token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
               token == GL_COPY_PIXEL_TOKEN) {
      i += vertexFloats;
      continue;
    } else {
      break;  // unknown token: stop rather than misread the rest
    }
    for (int v = 0; v < count; ++v, i += vertexFloats) {
      item.xyz.insert(item.xyz.end(), &buffer[i], &buffer[i + 3]);
      item.rgba.insert(item.rgba.end(), &buffer[i + 3], &buffer[i + 7]);
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw, size_t bufferFloats) {
  std::vector<FeedbackItem> items = captureFeedback(draw, bufferFloats);
  items.erase(std::remove_if(items.begin(), items.end(),
                             [](const FeedbackItem& item) { return item.kind == FeedbackItem::point; }),
              items.end());
  return items;
}

int countKind(const std::vector<FeedbackItem>& items, FeedbackItem::Kind kind) {
  return static_cast<int>(std::count_if(items.begin(), items.end(),
                                        [kind](const FeedbackItem& item) { return item.kind == kind; }));
}

std::vector<GLenum> pendingGlErrors() {
  std::vector<GLenum> errors;
  for (GLenum error = glGetError(); error != GL_NO_ERROR && errors.size() <= 32; error = glGetError()) {
    errors.push_back(error);
  }
  return errors;
}
