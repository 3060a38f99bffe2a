// drawMesh in a real GL context: which triangles reach GL, one glBegin/glEnd
// pair each, texture coordinates and corner colours, seen through feedback
// mode and through the log of the calls the program's code makes.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "assets/model_styles.h"
#include "assets/models.h"
#include "tests/meshes/gl_call_log.h"
#include "tests/meshes/mesh_fixtures.h"
#include "tests/meshes/mesh_runs.h"
#include "tests/support/gl_probe.h"

namespace {

// Window units within which a feedback vertex is taken for a table vertex.
constexpr double matchTolerance = 0.05;

class DrawMeshTest : public testing::Test {
 protected:
  void SetUp() override {
    pendingGlErrors();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
  }
  void TearDown() override {
    const std::vector<GLenum> errors = pendingGlErrors();
    EXPECT_TRUE(errors.empty()) << "first GL error " << (errors.empty() ? 0 : errors[0]);
  }
};

// The window position of every vertex of the mesh under the current matrices.
std::vector<std::array<double, 3>> projectVertices(const Mesh& mesh) {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  std::vector<std::array<double, 3>> window(mesh.vertexCount);
  for (int i = 0; i < mesh.vertexCount; ++i) {
    const double* v = &mesh.vertices[3 * i];
    gluProject(v[0], v[1], v[2], modelview, projection, viewport, &window[i][0], &window[i][1],
               &window[i][2]);
  }
  return window;
}

// Which table triangle each feedback polygon is: each corner is matched to
// the nearest projected vertex, and the three vertices to the triangle over
// them; -1 for a polygon that is no triangle of the table.
std::vector<int> identifyTriangles(const Mesh& mesh, const std::vector<FeedbackPolygon>& polygons) {
  const std::vector<std::array<double, 3>> window = projectVertices(mesh);
  std::map<std::array<int, 3>, int> triangleOver;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const std::int32_t* t = &mesh.triangles[indicesPerTriangle * f];
    triangleOver[{t[0], t[1], t[2]}] = f;
  }
  std::vector<int> identified;
  for (const FeedbackPolygon& polygon : polygons) {
    if (polygon.xyz.size() != 9) {
      identified.push_back(-1);
      continue;
    }
    std::array<int, 3> corners{};
    for (int k = 0; k < 3; ++k) {
      double best = std::numeric_limits<double>::infinity();
      for (int i = 0; i < mesh.vertexCount; ++i) {
        const double dx = window[i][0] - polygon.xyz[3 * k];
        const double dy = window[i][1] - polygon.xyz[3 * k + 1];
        // Depth spans 0..1 over the whole view: weigh it up to tell apart
        // points in front of and behind each other.
        const double dz = (window[i][2] - polygon.xyz[3 * k + 2]) * 1000.0;
        const double d = dx * dx + dy * dy + dz * dz;
        if (d < best) {
          best = d;
          corners[k] = i;
        }
      }
      if (best > matchTolerance * matchTolerance) corners[k] = -1;
    }
    const auto found = triangleOver.find(corners);
    identified.push_back(found == triangleOver.end() ? -1 : found->second);
  }
  return identified;
}

bool markerKeeps(int f) { return f % 12 == 0 || f % 10 == 0; }

TEST_F(DrawMeshTest, MarkerReachesGlAsItsRegularScatterOfTriangles) {
  ASSERT_EQ(markerModel.meshCount, 1);
  const Mesh& sphere = markerModel.mesh(1);
  viewAll({sphere});
  const std::vector<FeedbackPolygon> polygons = capturePolygons([] { markerModel.drawAll(); });
  const std::vector<int> drawn = identifyTriangles(sphere, polygons);

  ASSERT_EQ(drawn.size(), 1633u);
  const std::vector<int> first(drawn.begin(), drawn.begin() + 9);
  EXPECT_EQ(first, (std::vector<int>{0, 10, 12, 20, 24, 30, 36, 40, 48}));
  std::set<int> expected;
  for (int f = 0; f < sphere.triangleCount(); ++f) {
    if (markerKeeps(f)) expected.insert(f);
  }
  EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()), expected);
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end())) << "triangles out of table order";
}

TEST_F(DrawMeshTest, MarkerSendsEachTriangleInItsOwnBeginEndPairAndNothingElse) {
  const Mesh& sphere = markerModel.mesh(1);
  const std::vector<GlCallRecord> calls = recordCalls([] { markerModel.drawAll(); });
  ASSERT_EQ(calls.size(), 1633u * 5);
  for (size_t i = 0; i < calls.size(); i += 5) {
    ASSERT_EQ(calls[i].call, GlCall::begin) << "call " << i;
    EXPECT_EQ(calls[i].value, static_cast<GLenum>(GL_TRIANGLES));
    for (size_t k = 1; k <= 3; ++k) {
      ASSERT_EQ(calls[i + k].call, GlCall::vertex3dv) << "call " << i + k;
      // The vertex is sent straight from the table, not from a copy.
      const std::ptrdiff_t offset = calls[i + k].vertex - sphere.vertices;
      EXPECT_TRUE(offset >= 0 && offset < 3 * sphere.vertexCount && offset % 3 == 0);
    }
    ASSERT_EQ(calls[i + 4].call, GlCall::end) << "call " << i + 4;
  }
}

TEST_F(DrawMeshTest, MarkerFilterKeepsMultiplesOfTwelveAndOfTen) {
  const FixtureMesh fixture = zigzagFixture(fixtureTriangles, false);
  const Mesh mesh = fixture.mesh(markerStyles[0]);
  const std::vector<GlCallRecord> calls = recordCalls([&] { drawMesh(mesh); });
  std::vector<int> drawn;
  for (size_t i = 0; i + 3 < calls.size(); ++i) {
    if (calls[i].call != GlCall::begin) continue;
    drawn.push_back(fixture.triangleOf(calls[i + 1].vertex, calls[i + 2].vertex,
                                       calls[i + 3].vertex));
  }
  EXPECT_EQ(drawn, (std::vector<int>{0, 10, 12, 20, 24}));
}

TEST_F(DrawMeshTest, DisplayListOfTheMarkerReplaysTheSameTriangles) {
  const Mesh& sphere = markerModel.mesh(1);
  viewAll({sphere});
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  markerModel.drawAll();
  glEndList();
  const auto immediate = identifyTriangles(sphere, capturePolygons([] { markerModel.drawAll(); }));
  const auto replayed = identifyTriangles(sphere, capturePolygons([&] { glCallList(list); }));
  glDeleteLists(list, 1);
  EXPECT_EQ(replayed.size(), 1633u);
  EXPECT_EQ(replayed, immediate);
}

// Texture coordinates sent by a textured draw, one pair per corner, checking
// that each comes just before its corner's vertex.
std::vector<std::array<double, 2>> sentTexCoords(const std::vector<GlCallRecord>& calls) {
  std::vector<std::array<double, 2>> sent;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].call != GlCall::vertex3dv) continue;
    EXPECT_TRUE(i > 0 && calls[i - 1].call == GlCall::texCoord2d) << "corner without coordinates";
    if (i > 0 && calls[i - 1].call == GlCall::texCoord2d) {
      sent.push_back({calls[i - 1].args[0], calls[i - 1].args[1]});
    }
  }
  return sent;
}

// Every coordinate is 0 or 0.5, and both values occur for s and for t.
void expectOnlyZeroAndHalf(const std::vector<std::array<double, 2>>& sent) {
  std::set<double> s, t;
  for (const auto& st : sent) {
    s.insert(st[0]);
    t.insert(st[1]);
  }
  EXPECT_EQ(s, (std::set<double>{0.0, 0.5}));
  EXPECT_EQ(t, (std::set<double>{0.0, 0.5}));
}

TEST_F(DrawMeshTest, EveryBirdMeshSendsOnlyZeroAndHalf) {
  ASSERT_EQ(birdModel.meshCount, 10);
  for (int n = 1; n <= birdModel.meshCount; ++n) {
    SCOPED_TRACE("bird mesh " + std::to_string(n));
    const Mesh& mesh = birdModel.mesh(n);
    const auto sent = sentTexCoords(recordCalls([&] { drawMesh(mesh); }));
    EXPECT_EQ(sent.size(), 3u * mesh.triangleCount());
    expectOnlyZeroAndHalf(sent);
  }
  // Sent although texturing is off: the caller decides whether they show.
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(DrawMeshTest, TextureCoordinatesAreScaledInDoublePrecision) {
  FixtureMesh fixture = zigzagFixture(4, true);
  fixture.uvs = {0.1, 0.3, 0.7, 0.9, 0.45, 0.15, 0.35, 0.85};
  const MeshStyle& sphereStyle = stageStyles[9];
  const Mesh mesh = fixture.mesh(sphereStyle);
  // A product formed in floats would differ from these doubles.
  ASSERT_NE(static_cast<double>(0.1f * static_cast<float>(sphereStyle.uvScale)),
            0.1 * sphereStyle.uvScale);

  const auto sent = sentTexCoords(recordCalls([&] { drawMesh(mesh); }));
  ASSERT_EQ(sent.size(), 12u);
  for (size_t corner = 0; corner < sent.size(); ++corner) {
    const std::int32_t t = fixture.uvTriangles[corner / 3 * indicesPerTriangle + corner % 3];
    EXPECT_EQ(sent[corner][0], fixture.uvs[2 * t] * sphereStyle.uvScale) << "corner " << corner;
    EXPECT_EQ(sent[corner][1], fixture.uvs[2 * t + 1] * sphereStyle.uvScale) << "corner " << corner;
  }
  // GL holds the last corner's coordinates.
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, current);
  EXPECT_FLOAT_EQ(current[0], static_cast<float>(sent.back()[0]));
  EXPECT_FLOAT_EQ(current[1], static_cast<float>(sent.back()[1]));
}

TEST_F(DrawMeshTest, UntexturedMeshLeavesTheCurrentTextureCoordinate) {
  const FixtureMesh fixture = zigzagFixture(fixtureTriangles, false);
  const Mesh mesh = fixture.mesh(poolStyles[2]);
  glTexCoord2f(0.25f, 0.75f);
  const std::vector<GlCallRecord> calls = recordCalls([&] { drawMesh(mesh); });
  for (const GlCallRecord& call : calls) EXPECT_NE(call.call, GlCall::texCoord2d);
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, current);
  EXPECT_EQ(current[0], 0.25f);
  EXPECT_EQ(current[1], 0.75f);
}

// The colour of each corner of each feedback polygon.
std::vector<std::array<float, 3>> cornerColours(const FeedbackPolygon& polygon) {
  std::vector<std::array<float, 3>> colours;
  for (size_t i = 0; i + 4 <= polygon.rgba.size(); i += 4) {
    colours.push_back({polygon.rgba[i], polygon.rgba[i + 1], polygon.rgba[i + 2]});
  }
  return colours;
}

TEST_F(DrawMeshTest, CornerColourSetForBShowsOnTheSecondCornerAtTheNextDraw) {
  const MeshRun run = meshRun(fireballModel, fireballStyles);
  const Mesh& star = run.meshes.at(0);
  viewAll({star});
  const float red[3] = {1.0f, 0.0f, 0.0f};
  const float white[3] = {1.0f, 1.0f, 1.0f};
  const std::array<float, 3> black3{0.0f, 0.0f, 0.0f}, red3{1.0f, 0.0f, 0.0f},
      white3{1.0f, 1.0f, 1.0f};

  const auto before = capturePolygons([&] { drawMesh(star); });
  fireballModel.setCornerColorB(red);
  const auto after = capturePolygons([&] { drawMesh(star); });
  fireballModel.setCornerColorB(white);

  ASSERT_EQ(before.size(), static_cast<size_t>(star.triangleCount()));
  ASSERT_EQ(after.size(), before.size());
  for (size_t f = 0; f < after.size(); ++f) {
    const auto was = cornerColours(before[f]);
    const auto now = cornerColours(after[f]);
    ASSERT_EQ(now.size(), 3u) << "triangle " << f;
    EXPECT_EQ(was, (std::vector<std::array<float, 3>>{black3, white3, white3})) << "triangle " << f;
    EXPECT_EQ(now, (std::vector<std::array<float, 3>>{black3, red3, white3})) << "triangle " << f;
  }
}

TEST_F(DrawMeshTest, CornerColourSettersCopyTheirThreeFloatsAndTouchNoOtherModel) {
  const MeshRun run = meshRun(fireballModel, fireballStyles);
  const Mesh& star = run.meshes.at(0);
  float colour[3] = {0.25f, 0.5f, 0.75f};
  fireballModel.setCornerColorA(colour);
  fireballModel.setCornerColorC(colour);
  colour[0] = 0.0f;  // a copy was taken: changing the source later changes nothing
  markerModel.setCornerColorA(colour);  // the marker has no corner colours
  const auto calls = recordCalls([&] { drawMesh(star); });
  const float black[3] = {0.0f, 0.0f, 0.0f}, white[3] = {1.0f, 1.0f, 1.0f};
  fireballModel.setCornerColorA(black);
  fireballModel.setCornerColorC(white);

  std::vector<std::string> firstTriangle;
  for (size_t i = 0; i < calls.size() && calls[i].call != GlCall::end; ++i) {
    if (calls[i].call == GlCall::color3fv) {
      firstTriangle.push_back(std::to_string(calls[i].args[0]) + " " +
                              std::to_string(calls[i].args[1]) + " " +
                              std::to_string(calls[i].args[2]));
    }
  }
  EXPECT_EQ(firstTriangle, (std::vector<std::string>{"0.250000 0.500000 0.750000",
                                                     "1.000000 1.000000 1.000000",
                                                     "0.250000 0.500000 0.750000"}));
}

TEST_F(DrawMeshTest, MeshNumbersCountFromOneAndOthersDrawNothing) {
  EXPECT_EQ(markerModel.mesh(1).vertices, markerModel.meshes[0].vertices);
  for (int number : {0, -1, markerModel.meshCount + 1}) {
    const Mesh& none = markerModel.mesh(number);
    EXPECT_EQ(none.indexCount, 0) << number;
    EXPECT_TRUE(recordCalls([&] { drawMesh(none); }).empty()) << number;
  }
}

TEST_F(DrawMeshTest, LandAndOceanAreTheEarthsFirstAndSecondMeshes) {
  ASSERT_EQ(earthModel.meshCount, 2);
  const auto vertexTableOf = [](const std::vector<GlCallRecord>& calls) {
    std::set<const double*> tables;
    for (const Mesh* mesh : {&earthModel.mesh(1), &earthModel.mesh(2)}) {
      for (const GlCallRecord& call : calls) {
        if (call.call == GlCall::vertex3dv && call.vertex >= mesh->vertices &&
            call.vertex < mesh->vertices + 3 * mesh->vertexCount) {
          tables.insert(mesh->vertices);
        }
      }
    }
    return tables;
  };
  EXPECT_EQ(vertexTableOf(recordCalls([] { earthModel.drawLand(); })),
            std::set<const double*>{earthModel.mesh(1).vertices});
  EXPECT_EQ(vertexTableOf(recordCalls([] { earthModel.drawOcean(); })),
            std::set<const double*>{earthModel.mesh(2).vertices});
}

}  // namespace
