#include "tests/meshes/mesh_runs.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace {

constexpr double viewMargin = 1.1;
// A slanted view, so that no face of a model stands edge-on and no two
// vertices share a window position.
constexpr double viewTilt = 37.0;
constexpr double viewTiltAxis[3] = {1.0, 0.6, 0.2};

std::string joined(const std::vector<std::string>& words, const char* separator) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

std::string numbers(const double* values, int count) {
  std::ostringstream out;
  for (int i = 0; i < count; ++i) out << (i ? " " : "") << values[i];
  return out.str();
}

}  // namespace

void viewAll(const std::vector<Mesh>& meshes) {
  double lo[3], hi[3];
  std::fill(lo, lo + 3, std::numeric_limits<double>::infinity());
  std::fill(hi, hi + 3, -std::numeric_limits<double>::infinity());
  for (const Mesh& mesh : meshes) {
    for (int i = 0; i < 3 * mesh.vertexCount; ++i) {
      lo[i % 3] = std::min(lo[i % 3], mesh.vertices[i]);
      hi[i % 3] = std::max(hi[i % 3], mesh.vertices[i]);
    }
  }
  double radius = 0.0;
  for (int a = 0; a < 3; ++a) radius += (hi[a] - lo[a]) * (hi[a] - lo[a]) / 4;
  radius = std::sqrt(radius) * viewMargin;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-radius, radius, -radius, radius, -radius, radius);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(viewTilt, viewTiltAxis[0], viewTiltAxis[1], viewTiltAxis[2]);
  glTranslated(-(lo[0] + hi[0]) / 2, -(lo[1] + hi[1]) / 2, -(lo[2] + hi[2]) / 2);
}

DrawSummary summarise(const std::vector<GlCallRecord>& calls) {
  DrawSummary summary;
  std::vector<std::string> before, after, colours;
  bool begun = false, firstTriangleDone = false;
  for (const GlCallRecord& call : calls) {
    switch (call.call) {
      case GlCall::begin:
        begun = true;
        ++summary.triangles;
        after.clear();
        break;
      case GlCall::end: firstTriangleDone = true; break;
      case GlCall::enable:
      case GlCall::disable:
        (begun ? after : before).push_back(describeSwitch(call));
        break;
      case GlCall::color4f:
        if (!firstTriangleDone) colours.push_back("rgba " + numbers(call.args, 4));
        break;
      case GlCall::color3f:
        if (!firstTriangleDone) colours.push_back("rgb " + numbers(call.args, 3));
        break;
      case GlCall::color3fv:
        if (!firstTriangleDone) colours.push_back(numbers(call.args, 3));
        break;
      case GlCall::texCoord2d: ++summary.texCoords; break;
      case GlCall::vertex3dv: break;
    }
  }
  summary.before = joined(before, ", ");
  summary.after = joined(after, ", ");
  const bool corners = !colours.empty() && colours[0].find("rgb") != 0;
  summary.colour = corners ? "corners " + joined(colours, " / ") : joined(colours, ", ");
  return summary;
}

int cornersScaledBy(const Mesh& mesh, const std::vector<GlCallRecord>& calls, double scale) {
  if (!mesh.uvs) return 0;
  int corner = 0, matching = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].call != GlCall::vertex3dv) continue;
    const int f = corner / 3, k = corner % 3;
    ++corner;
    if (i == 0 || calls[i - 1].call != GlCall::texCoord2d) continue;
    const double* uv = &mesh.uvs[2 * mesh.uvTriangles[indicesPerTriangle * f + k]];
    if (calls[i - 1].args[0] == uv[0] * scale && calls[i - 1].args[1] == uv[1] * scale) ++matching;
  }
  return matching;
}
