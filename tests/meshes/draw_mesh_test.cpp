// drawMesh in a real GL context, seen through feedback mode: the triangles that reach GL, their
// texture coordinates and corner colours, and the GL state each style hands on to the next mesh.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <numeric>

#include "assets/model_styles.h"
#include "assets/models.h"

namespace {
struct Corner {  // as feedback reports it (GL_3D_COLOR_TEXTURE)
  float xyz[3], rgba[4], stqr[4];
};
using Triangle = std::array<Corner, 3>;

// The triangles a draw emits in a slanted orthographic view that holds every model whole.
std::vector<Triangle> drawn(const std::function<void()>& draw) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-3000, 3000, -3000, 3000, -3000, 3000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(37.0, 1.0, 0.6, 0.2);
  std::vector<GLfloat> buffer(1 << 22);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<Triangle> triangles;
  for (GLint i = 0; i < used; i += 2 + sizeof(Triangle) / sizeof(GLfloat)) {
    const bool triangle = buffer[i] == GL_POLYGON_TOKEN && buffer[i + 1] == 3.0f;
    EXPECT_TRUE(triangle) << "not a triangle";
    if (!triangle) break;
    triangles.emplace_back();
    std::memcpy(triangles.back().data(), &buffer[i + 2], sizeof(Triangle));
  }
  return triangles;
}

TEST(DrawMesh, SendsTheTrianglesItsFilterKeepsWithTheirScaledTextureCoordinates) {
  // A zigzag strip: triangle f over vertices f, f+1, f+2; vertex i at texture (0.1 i, 0.3).
  constexpr int count = 25;
  std::vector<double> vertices, uvs;
  std::vector<std::int32_t> indices;
  for (int i = 0; i < count + 2; ++i) {
    vertices.insert(vertices.end(), {-1.0 + 0.1 * i, i % 2 ? 0.5 : -0.5, 0.0});
    uvs.insert(uvs.end(), {0.1 * i, 0.3});
  }
  for (int f = 0; f < count; ++f) indices.insert(indices.end(), {f, f + 1, f + 2, -1});
  const auto strip = [&](double scale, MeshDrawState state) {
    return Mesh{vertices.data(), count + 2, indices.data(), 4 * count,
                scale ? uvs.data() : nullptr, count + 2, scale ? indices.data() : nullptr,
                scale, state};
  };
  const struct {
    const char* style;
    double scale;
    MeshDrawState state;
    std::vector<int> triangles;  // empty: all
  } rows[] = {{"plain", 7.0, modelstyle::noChanges, {}},
              {"marker", 1.0, modelstyle::markerScatter, {0, 10, 12, 20, 24}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.style);
    std::vector<int> seen;
    for (const Triangle& t : drawn([&] { drawMesh(strip(row.scale, row.state)); })) {
      const int f = static_cast<int>(std::lround(t[0].stqr[0] / (0.1 * row.scale)));
      seen.push_back(f);
      // Each corner its own vertex's coordinate, scaled in double precision.
      for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(t[k].stqr[0], static_cast<float>(uvs[2 * (f + k)] * row.scale)) << f << k;
        EXPECT_EQ(t[k].stqr[1], static_cast<float>(0.3 * row.scale)) << f << k;
      }
    }
    std::vector<int> all(count);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(seen, row.triangles.empty() ? all : row.triangles);
  }
  // An untextured mesh leaves the current texture coordinate as it was.
  glTexCoord2f(0.25f, 0.75f);
  for (const Triangle& t : drawn([&] { drawMesh(strip(0.0, modelstyle::noChanges)); })) {
    EXPECT_TRUE(t[0].stqr[0] == 0.25f && t[2].stqr[1] == 0.75f);
  }
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, current);
  EXPECT_TRUE(current[0] == 0.25f && current[1] == 0.75f);
}

TEST(DrawMesh, ModelsDrawTheMeshesTheirOperationsName) {
  EXPECT_EQ(drawn([] { markerModel.drawAll(); }).size(), 1633u) << "the marker's scatter";
  const int land = earthModel.mesh(1).triangleCount(), ocean = earthModel.mesh(2).triangleCount();
  EXPECT_EQ(drawn([] { earthModel.drawLand(); }).size(), static_cast<size_t>(land));
  EXPECT_EQ(drawn([] { earthModel.drawOcean(); }).size(), static_cast<size_t>(ocean));
  for (int number : {0, -1, markerModel.meshCount + 1}) {
    EXPECT_TRUE(drawn([&] { drawMesh(markerModel.mesh(number)); }).empty()) << number;
  }
}

TEST(DrawMesh, StylesColourTheirTrianglesAndHandOnTheGlStateTheyLeave) {
  const std::array<float, 4> caller{0.3f, 0.3f, 0.3f, 0.3f}, dome{0, 0, 0.9f, 0.18f};
  const struct {
    const char* name;
    const Mesh& mesh;
    bool textureBefore, blendBefore, textureAfter, blendAfter;
    std::array<float, 4> colour;  // of every corner
  } rows[] = {
      {"column", stageModel.mesh(1), true, false, false, false, {1, 1, 1, 1}},
      {"first dome", stageModel.mesh(2), true, false, false, true, dome},
      {"middle dome", stageModel.mesh(3), false, true, false, true, dome},
      {"last dome", stageModel.mesh(5), false, true, false, false, dome},
      {"basin", poolModel.mesh(1), true, true, false, true, caller},
      {"rim", poolModel.mesh(3), true, false, true, false, {0.5f, 0.5f, 0.5f, 1}},
      {"land", earthModel.mesh(1), true, true, true, true, caller},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.textureBefore ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
    row.blendBefore ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    glColor4fv(caller.data());
    const std::vector<Triangle> triangles = drawn([&] { drawMesh(row.mesh); });
    EXPECT_EQ(triangles.size(), static_cast<size_t>(row.mesh.triangleCount()));
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), row.textureAfter);
    EXPECT_EQ(glIsEnabled(GL_BLEND), row.blendAfter);
    for (const Triangle& t : triangles) {
      for (const Corner& c : t) ASSERT_EQ(std::memcmp(c.rgba, row.colour.data(), 16), 0);
    }
  }
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(DrawMesh, FireballCornerColoursApplyFromTheNextDrawAndOnlyThere) {
  const auto corners = [] {
    const Triangle first = drawn([] { drawMesh(fireballModel.mesh(1)); }).at(0);
    std::vector<float> rgb;
    for (const Corner& c : first) rgb.insert(rgb.end(), c.rgba, c.rgba + 3);
    return rgb;
  };
  EXPECT_EQ(corners(), (std::vector<float>{0, 0, 0, 1, 1, 1, 1, 1, 1}));
  float colour[3] = {0.25f, 0.5f, 0.75f};
  fireballModel.setCornerColorB(colour);
  colour[0] = 0.0f;                     // a copy was taken: changing the source changes nothing
  markerModel.setCornerColorC(colour);  // the marker has no corner colours
  EXPECT_EQ(corners(), (std::vector<float>{0, 0, 0, 0.25f, 0.5f, 0.75f, 1, 1, 1}));
  const float white[3] = {1, 1, 1};
  fireballModel.setCornerColorB(white);
}
}  // namespace
