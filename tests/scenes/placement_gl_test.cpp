// Where every draw puts its models: each row draws in feedback mode under the
// fixture's box and compares every vertex with the bare model (drawn under an
// identity modelview) moved by the placement written out here from the
// documented offsets, angles and scales. A wrong axis, sign, offset, scale or
// order of transforms moves vertices, and the message names the part.
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

// A 4 x 4 transform, column-major, built on GL's own matrix stack: a product
// applies the right-hand factor first, as the stack does.
struct Xf {
  double m[16];
  std::array<double, 3> operator()(const std::array<double, 3>& v) const {
    std::array<double, 3> out;
    for (int i = 0; i < 3; ++i) out[i] = m[i] * v[0] + m[4 + i] * v[1] + m[8 + i] * v[2] + m[12 + i];
    return out;
  }
};
Xf onStack(const std::function<void()>& transform) {
  Xf r;
  glPushMatrix();
  glLoadIdentity();
  transform();
  glGetDoublev(GL_MODELVIEW_MATRIX, r.m);
  glPopMatrix();
  return r;
}
Xf operator*(const Xf& a, const Xf& b) { return onStack([&] { glMultMatrixd(a.m), glMultMatrixd(b.m); }); }
Xf T(double x, double y, double z) { return onStack([=] { glTranslated(x, y, z); }); }
Xf S(double s) { return onStack([=] { glScaled(s, s, s); }); }
Xf R(double degrees, double x, double y, double z) { return onStack([=] { glRotated(degrees, x, y, z); }); }

using Points = std::vector<std::array<double, 3>>;

// The vertices a draw emits, back in the coordinates it gave them.
Points drawnVertices(const std::function<void()>& draw, bool pointsOnly = false) {
  GLint view[4];
  glGetIntegerv(GL_VIEWPORT, view);
  const double L = SceneGlTest::viewHalfSize;
  Points points;
  for (const FeedbackItem& item : captureFeedback(draw)) {
    if (pointsOnly && item.kind != FeedbackItem::point) continue;
    for (size_t v = 0; v + 2 < item.xyz.size(); v += 3) {
      const float* w = &item.xyz[v];
      points.push_back({(w[0] / view[2] * 2 - 1) * L, (w[1] / view[3] * 2 - 1) * L, (1 - w[2] * 2) * L});
    }
  }
  return points;
}

// A model drawn bare: an identity modelview, in a box large enough for any model.
Points bareVertices(const std::function<void()>& draw) {
  constexpr double box = 50.0;
  glLoadIdentity();
  glScaled(1 / box, 1 / box, 1 / box);
  Points points = drawnVertices(draw);
  for (auto& p : points) p = S(box)(p);
  glLoadIdentity();
  return points;
}

std::string text(const std::array<double, 3>& v) {
  std::ostringstream out;
  out << "(" << v[0] << ", " << v[1] << ", " << v[2] << ")";
  return out.str();
}

// A model a draw places: drawn bare, and where the draw must put it.
struct Part {
  std::string name;
  std::function<void()> bare;
  Xf place;
};
std::function<void()> list(int number) { return [number] { glCallList(static_cast<GLuint>(number)); }; }
std::function<void()> stageMeshes(std::vector<int> meshes) {
  return [meshes] { for (int mesh : meshes) drawMesh(stageModel.mesh(mesh)); };
}

// Each row sets the state it draws in and returns its parts in drawing order.
std::vector<Part> wind() {
  const double angles[4] = {10, 14, -18, 22};  // group 2 turns the other way
  std::vector<Part> parts;
  for (const bool leaves : {true, false}) {
    for (int g = 0; g < 4; ++g) {
      treeSway.swayAngle[g] = static_cast<float>(std::fabs(angles[g]));
      parts.push_back({(leaves ? "tree leaves " : "tree bark ") + std::to_string(g),
                       list(leaves ? treeSway.leafLists[g] : treeSway.branchLists[g]),
                       T(0.1, -13, 4.2) * S(0.26) * R(angles[g], 1, 0, 1)});
    }
  }
  return parts;
}

std::vector<Part> earth() {
  sceneController.earthSpin = 40;
  sceneController.oceanWobble = 4.0f;
  const Xf hills = R(90, 0, 0, 1) * T(0, 12.7, 6.7) * S(0.005) * R(40, 0, 0, 1);
  return {{"earth water sheet", list(oceanList), hills * R(4, 1, 0, 1)}, {"earth hills", list(landList), hills}};
}

std::vector<Part> water() {
  sceneController.selectedScene = waterScene;
  rippleState = RippleState{};
  rippleSurface.initGrid();
  const Xf pool = T(0.1, 13, 5.2) * S(0.02);
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
}

std::vector<Part> fire(bool merged) {
  FireState& s = fireState;
  s = FireState{s.fireParticlePositions, s.fireParticleDirections};
  std::srand(3);
  startBurst();
  for (int i = 0; i < 10; ++i) moveBurst();
  if (merged) s.burstFramesLeft = 0;
  s.merged = merged;
  s.fireDistance = merged ? 0.0f : 100.0f;
  s.tumbleAngle = 70.0f, s.orbitAngle = 30.0f, s.orbitAngleZ = 50.0f;
  const double d = s.fireDistance, o = 30, oz = 50, t = 70;
  const Xf centre = T(13, 0.1, 14) * S(0.15) * T(0, 0, -45);
  std::vector<Part> parts;
  const auto burst = [] {
    glBegin(GL_POINTS);
    for (int i = 0; i < fireParticleCount; ++i) glVertex3fv(fireState.fireParticlePositions + 3 * i);
    glEnd();
  };
  if (!merged) parts.push_back({"fire burst", burst, centre});
  // Each copy: its orbit, its place on it in distances, the sense of its turn about y and tumble about x.
  const Xf diagonalXY = R(45, 0, 1, 0) * R(45, 0, 0, 1) * R(o, 1, 1, 0);
  const Xf diagonalYZ = R(45, 1, 0, 0) * R(45, 0, 1, 0) * R(-o, 0, 1, 1);
  const struct {
    Xf orbit;
    double x, z, sense;
  } copies[8] = {{R(oz, 0, 0, 1), -1, 0, 1}, {R(oz, 0, 0, 1), 1, 0, -1}, {R(o, 0, 1, 0), 0, 1, 1},
                 {R(o, 0, 1, 0), 0, -1, -1}, {diagonalXY, 1, 1, 1},      {diagonalXY, -1, -1, -1},
                 {diagonalYZ, -1, 1, 1},     {diagonalYZ, 1, -1, -1}};
  for (int c = 0; c < 8; ++c) {
    const auto& k = copies[c];
    parts.push_back({"fire copy " + std::to_string(c), [] { fireballModel.drawAll(); },
                     centre * S(merged ? 0.09 : 0.07) * k.orbit * T(k.x * d, 0, k.z * d) * R(k.sense * o, 0, 1, 0) *
                         R(k.sense * t, 1, 0, 0)});
  }
  return parts;
}

std::vector<Part> stage() {
  const double slide[4][2] = {{0, -20}, {0, 30}, {-40, 0}, {10, 0}};  // spheres 1, 2 along y; 3, 4 along x
  std::vector<Part> parts = {{"stage domes 1 and 2", stageMeshes({2, 3}), S(0.1)},
                             {"stage dome 3, lifted", stageMeshes({4}), S(0.1) * T(0, 0, 3)},
                             {"stage dome 4 and column", stageMeshes({5, 1}), S(0.1)}};
  for (int i = 0; i < 4; ++i) {
    sceneController.sphereOffset[i] = static_cast<float>(slide[i][0] + slide[i][1]);
    parts.push_back({"stage sphere " + std::to_string(i + 1), stageMeshes({10 + i}),
                     S(0.1) * T(slide[i][0], slide[i][1], 0)});
  }
  parts.push_back({"stage walkways", stageMeshes({6, 7, 8, 9}), S(0.1)});
  return parts;
}

std::vector<Part> markers() {
  sceneController.markerAngle = 50.0f;
  const struct {
    const char* name;
    double x, y, spin;
  } markers[4] = {{"fire", 13, 0.1, -1}, {"earth", -12.7, 0.1, 1}, {"water", 0.1, 13, -1}, {"wind", 0.1, -13, 1}};
  std::vector<Part> parts;
  for (const auto& m : markers) {
    parts.push_back({std::string(m.name) + " marker", list(markerList), T(m.x, m.y, 7.2) * S(0.3) * R(m.spin * 50, 1, 0, 0)});
  }
  return parts;
}

// The frame with each scene replaced by one point at (1, 2, 3) of the stage.
void stagePoint() { glBegin(GL_POINTS), glVertex3f(1.0f, 2.0f, 3.0f), glEnd(); }
void frameWithStagePoints() {
  const WindowCalls savedCalls = windowCalls;
  FrameScene savedScenes[sceneCount];
  std::copy(frameScenes, frameScenes + sceneCount, savedScenes);
  windowCalls.setTitle = [](const char*) {};
  windowCalls.swapBuffers = [] {};
  backdropCache.enabled = 0;
  for (FrameScene& scene : frameScenes) scene.draw = stagePoint;
  displayFrame();
  std::copy(savedScenes, savedScenes + sceneCount, frameScenes);
  windowCalls = savedCalls;
  backdropCache.enabled = 1;
}
std::vector<Part> frame() {
  SceneController& c = sceneController;
  c.carouselAngle = 130, c.stageTiltX = 300, c.stageTiltY = 20, c.cameraZoom = -2.0f, c.cameraHeight = 1.5f;
  std::vector<Part> parts;
  for (const char* scene : {"earth", "wind", "fire", "water"}) {
    parts.push_back({std::string("frame, ") + scene + " on the turning stage", stagePoint,
                     T(0, 1.5, 2) * T(0, 0, -36) * R(300, 1, 0, 0) * R(20, 0, 1, 0) * R(130, 0, 0, 1)});
  }
  return parts;
}

void resetIntro() { introState = IntroState{}; }  // out of line: GCC 12 fails on it inside a test

using Placement = SceneGlTest;

TEST_F(Placement, EveryDrawPutsEachPartWhereItBelongs) {
  const struct {
    const char* draw;
    void (*placed)();
    std::function<std::vector<Part>()> setUpParts;
    bool pointsOnly;
  } rows[] = {{"wind", drawWindScene, wind, false},
              {"earth", drawEarthScene, earth, false},
              {"water", drawWaterScene, water, false},
              {"fire", drawFireScene, [] { return fire(false); }, false},
              {"fire, merged", drawFireScene, [] { return fire(true); }, false},
              {"stage", drawStage, stage, false},
              {"markers", [] { drawFireMarker(), drawEarthMarker(), drawWaterMarker(), drawWindMarker(); }, markers, false},
              {"frame", frameWithStagePoints, frame, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.draw);
    SetUp();
    const std::vector<Part> parts = row.setUpParts();
    const Points placed = drawnVertices(row.placed, row.pointsOnly);
    size_t next = 0;
    for (const Part& part : parts) {
      const Points bare = bareVertices(part.bare);
      ASSERT_FALSE(bare.empty()) << part.name;
      ASSERT_LE(next + bare.size(), placed.size()) << part.name << ": too few vertices drawn";
      std::array<double, 3> got{}, expected{};
      double worst = 0;
      for (const auto& v : bare) {
        const auto e = part.place(v), p = placed[next++];
        for (int k = 0; k < 3; ++k) {
          got[k] += p[k] / bare.size();
          expected[k] += e[k] / bare.size();
          worst = std::max(worst, std::fabs(p[k] - e[k]));
        }
      }
      EXPECT_LT(worst, 2e-3) << part.name << ": centre " << text(got) << " expected " << text(expected)
                             << ", a vertex off by " << worst;
    }
    EXPECT_EQ(next, placed.size()) << "vertices drawn beyond the parts";
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

// The intro's pieces fly in along z at x -4.5, pieces 0-1 on row 1, the rest on
// row 2, at 0.03 of model size: every vertex a released piece draws is a
// lettering vertex moved there; unreleased pieces wait at -40, where drawing
// one would show; all six together draw every letter once.
TEST_F(Placement, EachIntroPieceIsTheLetteringModelAtItsRowAndDepth) {
  const Points model = bareVertices([] { introModel.drawAll(); });
  const float depths[introPieceCount] = {-50.0f, -31.0f, -12.0f, 0.0f, 5.0f, 8.0f};
  size_t total = 0;
  for (int p = 0; p < introPieceCount; ++p) {
    for (IntroPiece& piece : introState.introPieces) piece = {-40.0f, 0};
    introState.introPieces[p] = {depths[p], 1};
    const Xf place = T(-4.5, p < 2 ? 1.0 : 2.0, depths[p]) * S(0.03);
    Points moved;
    for (const auto& m : model) moved.push_back(place(m));
    const Points drawn = drawnVertices([] { intro.drawIntro(); });
    ASSERT_FALSE(drawn.empty()) << "intro piece " << p;
    total += drawn.size();
    double worst = 0;
    std::array<double, 3> worstVertex{};
    for (const auto& v : drawn) {
      double nearest = 1e9;
      for (const auto& e : moved) {
        nearest = std::min(nearest, std::fabs(e[0] - v[0]) + std::fabs(e[1] - v[1]) + std::fabs(e[2] - v[2]));
      }
      if (nearest > worst) worst = nearest, worstVertex = v;
    }
    EXPECT_LT(worst, 2e-3) << "intro piece " << p << ": vertex " << text(worstVertex)
                           << " is no lettering vertex placed at (-4.5, " << (p < 2 ? 1 : 2) << ", " << depths[p]
                           << ") x 0.03; nearest off by " << worst;
  }
  EXPECT_EQ(total, model.size()) << "every letter once";
  resetIntro();
}

}  // namespace
