#include "tests/scenes/fire_feedback.h"

namespace {

// GL_3D_COLOR in RGBA mode: x, y, z, then r, g, b, a per vertex.
constexpr int vertexFloats = 7;
// Room for every primitive a scene draw emits.
constexpr size_t feedbackFloats = size_t{1} << 23;

void readVertices(const std::vector<GLfloat>& buffer, GLint& i, int count, FeedbackItem& item) {
  for (int v = 0; v < count; ++v, i += vertexFloats) {
    item.xyz.insert(item.xyz.end(), &buffer[i], &buffer[i + 3]);
    item.rgba.insert(item.rgba.end(), &buffer[i + 3], &buffer[i + 7]);
  }
}

}  // namespace

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(feedbackFloats);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackItem> items;
  for (GLint i = 0; i < used;) {
    const GLint token = static_cast<GLint>(buffer[i++]);
    FeedbackItem item{};
    if (token == GL_POINT_TOKEN) {
      item.kind = FeedbackItem::point;
      readVertices(buffer, i, 1, item);
    } else if (token == GL_POLYGON_TOKEN) {
      item.kind = FeedbackItem::polygon;
      const int count = static_cast<int>(buffer[i++]);
      readVertices(buffer, i, count, item);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      item.kind = FeedbackItem::marker;
      item.markerValue = buffer[i++];
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
    items.push_back(std::move(item));
  }
  return items;
}

int countKind(const std::vector<FeedbackItem>& items, FeedbackItem::Kind kind) {
  int count = 0;
  for (const FeedbackItem& item : items) count += item.kind == kind;
  return count;
}
