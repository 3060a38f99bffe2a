// Where every draw puts its models. Each row draws a scene (or the stage, the
// markers, the frame) in feedback mode under the fixture's orthographic box,
// so window coordinates map back to the coordinates the draw produced, and
// compares every vertex with the untransformed model (captured the same way
// with an identity modelview) moved by the placement written out here: the
// documented offsets, angles and scales as plain numbers. A wrong axis, sign,
// offset, scale or order of transforms moves vertices and names the part.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/backdrop_cache.h"
#include "app/frame.h"
#include "assets/display_lists.h"
#include "assets/mesh.h"
#include "assets/models.h"
#include "assets/stage.h"
#include "scenes/earth/earth_scene.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"
#include "scenes/intro/intro.h"
#include "scenes/water/ripple_surface.h"
#include "scenes/water/water_scene.h"
#include "scenes/wind/tree.h"
#include "scenes/wind/wind_scene.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

// A 4 x 4 transform, column-major as GL keeps it, composed left to right in
// the order the transforms are applied to the matrix stack.
struct Xf {
  double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  Xf operator*(const Xf& b) const {
    Xf r;
    for (int c = 0; c < 4; ++c) {
      for (int row = 0; row < 4; ++row) {
        double s = 0;
        for (int k = 0; k < 4; ++k) s += m[k * 4 + row] * b.m[c * 4 + k];
        r.m[c * 4 + row] = s;
      }
    }
    return r;
  }
  void apply(const double* v, double* out) const {
    for (int row = 0; row < 3; ++row) out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row];
  }
};
Xf T(double x, double y, double z) {
  Xf r;
  r.m[12] = x;
  r.m[13] = y;
  r.m[14] = z;
  return r;
}
Xf S(double s) {
  Xf r;
  r.m[0] = r.m[5] = r.m[10] = s;
  return r;
}
Xf R(double degrees, double x, double y, double z) {
  const double n = std::sqrt(x * x + y * y + z * z);
  x /= n, y /= n, z /= n;
  const double c = std::cos(degrees * M_PI / 180.0), s = std::sin(degrees * M_PI / 180.0), k = 1 - c;
  Xf r;
  const double rows[3][3] = {{x * x * k + c, x * y * k - z * s, x * z * k + y * s},
                             {y * x * k + z * s, y * y * k + c, y * z * k - x * s},
                             {z * x * k - y * s, z * y * k + x * s, z * z * k + c}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.m[j * 4 + i] = rows[i][j];
  }
  return r;
}

using Points = std::vector<std::array<double, 3>>;

// The vertices a draw emits, back in the coordinates it gave them.
Points drawnVertices(const std::function<void()>& draw, bool pointsOnly = false) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const double L = SceneGlTest::viewHalfSize;
  Points points;
  for (const FeedbackItem& item : captureFeedback(draw)) {
    if (pointsOnly && item.kind != FeedbackItem::point) continue;
    for (size_t v = 0; v + 2 < item.xyz.size(); v += 3) {
      points.push_back({(item.xyz[v] / viewport[2] * 2 - 1) * L, (item.xyz[v + 1] / viewport[3] * 2 - 1) * L,
                        -(item.xyz[v + 2] * 2 - 1) * L});
    }
  }
  return points;
}

// The vertices of a model drawn bare: an identity modelview under a box
// large enough for any model unscaled.
Points bareVertices(const std::function<void()>& draw) {
  constexpr double boxScale = 50.0;
  glLoadIdentity();
  glScaled(1 / boxScale, 1 / boxScale, 1 / boxScale);
  Points points = drawnVertices(draw);
  for (auto& p : points) {
    for (double& c : p) c *= boxScale;
  }
  glLoadIdentity();
  return points;
}

// One model a draw places: the model drawn bare and where the draw must put it.
struct Part {
  std::string name;
  std::function<void()> bare;
  Xf place;
};

struct Row {
  std::string draw;
  std::function<void()> setUp;  // the state to draw in
  std::function<void()> placed;
  std::function<std::vector<Part>()> parts;  // in drawing order
  bool pointsOnly = false;
};

std::string text(const double* v) {
  std::ostringstream out;
  out << "(" << v[0] << ", " << v[1] << ", " << v[2] << ")";
  return out.str();
}

void drawMeshes(const MeshModel& model, std::vector<int> meshes) {
  for (int mesh : meshes) drawMesh(model.mesh(mesh));
}

void stagePoint() {
  glBegin(GL_POINTS);
  glVertex3f(1.0f, 2.0f, 3.0f);
  glEnd();
}

// The frame with each scene replaced by one point at (1, 2, 3) of the stage.
void frameWithStagePoints() {
  const WindowCalls savedCalls = windowCalls;
  FrameScene savedScenes[sceneCount];
  for (int i = 0; i < sceneCount; ++i) savedScenes[i] = frameScenes[i];
  windowCalls.setTitle = [](const char*) {};
  windowCalls.swapBuffers = [] {};
  backdropCache.enabled = 0;
  for (FrameScene& scene : frameScenes) scene.draw = stagePoint;
  displayFrame();
  for (int i = 0; i < sceneCount; ++i) frameScenes[i] = savedScenes[i];
  windowCalls = savedCalls;
  backdropCache.enabled = 1;
}

Row fireRow(bool merged) {
  Row row{merged ? "fire, merged" : "fire", nullptr, drawFireScene, nullptr};
  row.setUp = [merged] {
    fireState = FireState{fireState.fireParticlePositions, fireState.fireParticleDirections};
    std::srand(3);
    startBurst();
    for (int i = 0; i < 10; ++i) moveBurst();
    if (merged) fireState.burstFramesLeft = 0;
    fireState.merged = merged;
    fireState.fireDistance = merged ? 0.0f : 100.0f;
    fireState.tumbleAngle = 70.0f;
    fireState.orbitAngle = 30.0f;
    fireState.orbitAngleZ = 50.0f;
  };
  row.parts = [merged] {
    const double d = merged ? 0.0 : 100.0, o = 30.0, oz = 50.0, t = 70.0;
    const Xf centre = T(13, 0.1, 14) * S(0.15) * T(0, 0, -45);
    std::vector<Part> parts;
    if (!merged) {
      parts.push_back({"fire burst", [] {
                         glBegin(GL_POINTS);
                         for (int i = 0; i < fireParticleCount; ++i) glVertex3fv(fireState.fireParticlePositions + 3 * i);
                         glEnd();
                       },
                       centre});
    }
    // Each copy: its orbit, its place on it in units of the distance, and
    // the sense of its own turn about y and tumble about x.
    const struct {
      Xf orbit;
      double x, z, sense;
    } copies[8] = {{R(oz, 0, 0, 1), -1, 0, 1},
                   {R(oz, 0, 0, 1), 1, 0, -1},
                   {R(o, 0, 1, 0), 0, 1, 1},
                   {R(o, 0, 1, 0), 0, -1, -1},
                   {R(45, 0, 1, 0) * R(45, 0, 0, 1) * R(o, 1, 1, 0), 1, 1, 1},
                   {R(45, 0, 1, 0) * R(45, 0, 0, 1) * R(o, 1, 1, 0), -1, -1, -1},
                   {R(45, 1, 0, 0) * R(45, 0, 1, 0) * R(-o, 0, 1, 1), -1, 1, 1},
                   {R(45, 1, 0, 0) * R(45, 0, 1, 0) * R(-o, 0, 1, 1), 1, -1, -1}};
    for (int c = 0; c < 8; ++c) {
      parts.push_back({"fire copy " + std::to_string(c), [] { fireballModel.drawAll(); },
                       centre * S(merged ? 0.09 : 0.07) * copies[c].orbit * T(copies[c].x * d, 0, copies[c].z * d) *
                           R(copies[c].sense * o, 0, 1, 0) * R(copies[c].sense * t, 1, 0, 0)});
    }
    return parts;
  };
  return row;
}

std::vector<Row> rows() {
  std::vector<Row> rows;
  rows.push_back({"wind", [] {
                    for (int g = 0; g < 4; ++g) treeSway.swayAngle[g] = 10.0f + 4.0f * g;
                  },
                  drawWindScene, [] {
                    std::vector<Part> parts;
                    // Group 2 turns the other way.
                    const double angles[4] = {10, 14, -18, 22};
                    for (const bool leaves : {true, false}) {
                      for (int g = 0; g < 4; ++g) {
                        const int list = leaves ? treeSway.leafLists[g] : treeSway.branchLists[g];
                        parts.push_back({std::string(leaves ? "tree leaves " : "tree bark ") + std::to_string(g),
                                         [list] { glCallList(static_cast<GLuint>(list)); },
                                         T(0.1, -13, 4.2) * S(0.26) * R(angles[g], 1, 0, 1)});
                      }
                    }
                    return parts;
                  }});
  rows.push_back({"earth", [] {
                    sceneController.earthSpin = 40;
                    sceneController.oceanWobble = 4.0f;
                  },
                  drawEarthScene, [] {
                    const Xf hills = R(90, 0, 0, 1) * T(0, 12.7, 6.7) * S(0.005) * R(40, 0, 0, 1);
                    return std::vector<Part>{{"earth water sheet", [] { glCallList(static_cast<GLuint>(oceanList)); },
                                              hills * R(4, 1, 0, 1)},
                                             {"earth hills", [] { glCallList(static_cast<GLuint>(landList)); }, hills}};
                  }});
  rows.push_back({"water", [] {
                    sceneController.selectedScene = waterScene;
                    rippleState = RippleState{};
                    rippleSurface.initGrid();
                  },
                  drawWaterScene, [] {
                    const Xf pool = T(0.1, 13, 5.2) * S(0.02);
                    const auto list = [](int n) { return [n] { glCallList(static_cast<GLuint>(n)); }; };
                    std::vector<Part> parts = {{"water pool", list(poolList), pool},
                                               {"water floor", list(floorList), pool * R(90, 1, 0, 0) * S(10)}};
                    const double birds[4][4] = {{-90, -70, -20, 0}, {90, 80, -20, 180}, {-90, 80, -20, -90}, {90, -70, -20, 90}};
                    for (int b = 0; b < 4; ++b) {
                      parts.push_back({"water bird " + std::to_string(b), list(birdList),
                                       pool * T(birds[b][0], birds[b][1], birds[b][2]) * R(birds[b][3], 0, 0, 1)});
                    }
                    parts.push_back({"water liquid surface", [] { rippleSurface.drawSurface(); },
                                     pool * S(1.8) * T(-50, -50, 6) * R(-90, 1, 0, 0)});
                    return parts;
                  }});
  rows.push_back(fireRow(false));
  rows.push_back(fireRow(true));
  rows.push_back({"stage", [] {
                    const float offsets[4] = {-20.0f, 30.0f, -40.0f, 10.0f};
                    for (int i = 0; i < 4; ++i) sceneController.sphereOffset[i] = offsets[i];
                  },
                  drawStage, [] {
                    const auto meshes = [](std::vector<int> m) { return [m] { drawMeshes(stageModel, m); }; };
                    std::vector<Part> parts = {{"stage domes 1 and 2", meshes({2, 3}), S(0.1)},
                                               {"stage dome 3, lifted", meshes({4}), S(0.1) * T(0, 0, 3)},
                                               {"stage dome 4 and column", meshes({5, 1}), S(0.1)}};
                    const double slide[4][2] = {{0, -20}, {0, 30}, {-40, 0}, {10, 0}};
                    for (int i = 0; i < 4; ++i) {
                      parts.push_back({"stage sphere " + std::to_string(i + 1), meshes({10 + i}),
                                       S(0.1) * T(slide[i][0], slide[i][1], 0)});
                    }
                    parts.push_back({"stage walkways", meshes({6, 7, 8, 9}), S(0.1)});
                    return parts;
                  }});
  rows.push_back({"markers", [] { sceneController.markerAngle = 50.0f; },
                  [] {
                    drawFireMarker();
                    drawEarthMarker();
                    drawWaterMarker();
                    drawWindMarker();
                  },
                  [] {
                    const struct {
                      const char* name;
                      double x, y, spin;
                    } markers[4] = {{"fire", 13, 0.1, -1}, {"earth", -12.7, 0.1, 1}, {"water", 0.1, 13, -1}, {"wind", 0.1, -13, 1}};
                    std::vector<Part> parts;
                    for (const auto& m : markers) {
                      parts.push_back({std::string(m.name) + " marker", [] { glCallList(static_cast<GLuint>(markerList)); },
                                       T(m.x, m.y, 7.2) * S(0.3) * R(m.spin * 50, 1, 0, 0)});
                    }
                    return parts;
                  }});
  rows.push_back({"frame", [] {
                    sceneController.carouselAngle = 130;
                    sceneController.stageTiltX = 300;
                    sceneController.stageTiltY = 20;
                    sceneController.cameraZoom = -2.0f;
                    sceneController.cameraHeight = 1.5f;
                  },
                  frameWithStagePoints, [] {
                    std::vector<Part> parts;
                    for (const char* scene : {"earth", "wind", "fire", "water"}) {
                      parts.push_back({std::string("frame: ") + scene + " on the turning stage", stagePoint,
                                       T(0, 1.5, 2) * T(0, 0, -36) * R(300, 1, 0, 0) * R(20, 0, 1, 0) * R(130, 0, 0, 1)});
                    }
                    return parts;
                  },
                  true});
  return rows;
}

void resetIntro() { introState = IntroState{}; }

using Placement = SceneGlTest;

TEST_F(Placement, EveryDrawPutsEachPartWhereItBelongs) {
  constexpr double tolerance = 2e-3;
  for (const Row& row : rows()) {
    SCOPED_TRACE(row.draw);
    SetUp();
    row.setUp();
    const Points placed = drawnVertices(row.placed, row.pointsOnly);
    size_t next = 0;
    for (const Part& part : row.parts()) {
      const Points bare = bareVertices(part.bare);
      ASSERT_FALSE(bare.empty()) << part.name;
      ASSERT_LE(next + bare.size(), placed.size()) << part.name << ": too few vertices drawn";
      double got[3] = {0, 0, 0}, expected[3] = {0, 0, 0}, worst = 0;
      for (const auto& v : bare) {
        double e[3];
        part.place.apply(v.data(), e);
        const auto& p = placed[next++];
        for (int k = 0; k < 3; ++k) {
          got[k] += p[k] / bare.size();
          expected[k] += e[k] / bare.size();
          worst = std::max(worst, std::fabs(p[k] - e[k]));
        }
      }
      EXPECT_LT(worst, tolerance) << part.name << ": centre " << text(got) << " expected " << text(expected)
                                  << ", a vertex off by " << worst;
    }
    EXPECT_EQ(next, placed.size()) << "vertices drawn beyond the parts";
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

// The intro's pieces fly in along z at x -4.5, the first two on row 1, the
// others on row 2, at 0.03 of model size: every vertex a piece draws is a
// vertex of the lettering model moved there.
TEST_F(Placement, EachIntroPieceIsTheLetteringModelAtItsRowAndDepth) {
  const Points model = bareVertices([] { introModel.drawAll(); });
  ASSERT_FALSE(model.empty());
  const float depths[introPieceCount] = {-50.0f, -31.0f, -12.0f, 0.0f, 5.0f, 8.0f};
  for (int p = 0; p < introPieceCount; ++p) {
    resetIntro();
    introState.introPieces[0].moving = 0;
    introState.introPieces[p].z = depths[p];
    introState.introPieces[p].moving = 1;
    const Xf place = T(-4.5, p < 2 ? 1.0 : 2.0, depths[p]) * S(0.03);
    Points moved(model.size());
    for (size_t m = 0; m < model.size(); ++m) place.apply(model[m].data(), moved[m].data());
    const Points drawn = drawnVertices([] { intro.drawIntro(); });
    ASSERT_FALSE(drawn.empty()) << "intro piece " << p;
    double worst = 0;
    const std::array<double, 3>* worstVertex = &drawn[0];
    for (const auto& v : drawn) {
      double nearest = 1e9;
      for (const auto& e : moved) {
        nearest = std::min(nearest, std::fabs(e[0] - v[0]) + std::fabs(e[1] - v[1]) + std::fabs(e[2] - v[2]));
      }
      if (nearest > worst) worst = nearest, worstVertex = &v;
    }
    EXPECT_LT(worst, 2e-3) << "intro piece " << p << ": vertex " << text(worstVertex->data())
                           << " is no lettering vertex placed at (-4.5, " << (p < 2 ? 1 : 2) << ", " << depths[p]
                           << ") x 0.03; nearest off by " << worst;
  }
  resetIntro();
}

}  // namespace
