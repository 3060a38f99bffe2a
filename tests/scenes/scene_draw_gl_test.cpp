// The scenes drawn in a real GL context: the state each draw hands back, what
// the menu's toggles hide, the fire's burst and opaque fireballs, and the
// water's one step per selected frame.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "assets/models.h"
#include "assets/stage.h"
#include "assets/textures.h"
#include "scenes/earth/earth_scene.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"
#include "scenes/water/ripple_surface.h"
#include "scenes/water/water_scene.h"
#include "scenes/wind/wind_scene.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

using SceneDraw = SceneGlTest;

int triangles(const MeshModel& model, int first, int step) {
  int sum = 0;
  for (int mesh = first; mesh <= model.meshCount; mesh += step) sum += model.mesh(mesh).triangleCount();
  return sum;
}

TEST_F(SceneDraw, EveryDrawHandsBackTheStateItFound) {
  const struct {
    const char* name;
    void (*draw)();
  } draws[] = {{"wind", drawWindScene},       {"earth", drawEarthScene},      {"fire", drawFireScene},
               {"stage", drawStage},          {"fire marker", drawFireMarker}, {"earth marker", drawEarthMarker},
               {"water marker", drawWaterMarker}, {"wind marker", drawWindMarker}};
  std::srand(9);
  startBurst();
  for (int bits = 0; bits < 8; ++bits) {
    for (const auto& d : draws) {
      SCOPED_TRACE(testing::Message() << d.name << ", state " << bits);
      fireState.merged = bits & 1;
      fireState.burstFramesLeft = 50;
      bits & 1 ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
      bits & 2 ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
      bits & 4 ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
      glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
      glBindTexture(GL_TEXTURE_2D, grassTexture);
      const GlState before = captureGlState();
      d.draw();
      const GlState after = captureGlState();
      EXPECT_EQ(after, before) << "before: " << before.describe() << "\nafter:  " << after.describe();
    }
  }
  GLvoid* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY)) << "the burst's array stays enabled";
  EXPECT_EQ(pointer, static_cast<GLvoid*>(fireState.fireParticlePositions));
  glDisable(GL_TEXTURE_2D);
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(SceneDraw, EachToggleHidesExactlyItsPart) {
  const int bird = triangles(birdModel, 1, 1);
  const struct {
    const char* name;
    void (*draw)();
    int* flag;
    int hidden;
  } toggles[] = {{"leaves", drawWindScene, &sceneController.showLeaves, triangles(treeModel, 2, 2)},
                 {"branches", drawWindScene, &sceneController.showBranches, triangles(treeModel, 1, 2)},
                 {"ocean", drawEarthScene, &sceneController.showOcean, earthModel.mesh(2).triangleCount()},
                 {"birds", drawWaterScene, &sceneController.showBirds, 4 * bird}};
  for (const auto& t : toggles) {
    sceneController = SceneController{};
    const size_t shown = capturePolygons(t.draw).size();
    *t.flag = 0;
    EXPECT_EQ(shown - capturePolygons(t.draw).size(), static_cast<size_t>(t.hidden)) << t.name;
  }
}

class FireDraw : public SceneGlTest {
 protected:
  void SetUp() override {
    SceneGlTest::SetUp();
    fireState = FireState{fireState.fireParticlePositions, fireState.fireParticleDirections};
    std::srand(5);
    startBurst();
    for (int i = 0; i < 60; ++i) moveBurst();
    glMatrixMode(GL_PROJECTION);  // 128 pixels to the unit about the fire's place
    glLoadIdentity();
    glOrtho(9, 17, -3, 3, -100, 100);
    glMatrixMode(GL_MODELVIEW);
  }
  static std::vector<unsigned char> pixels() {
    std::vector<unsigned char> rgb(size_t{windowWidth} * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
  }
  void TearDown() override {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
  }
};

TEST_F(FireDraw, TheBurstIsOneDrawOfEveryPointInYellowAtItsAlphaBeforeTheFireballs) {
  fireState.burstAlpha = 0.625f;
  const std::vector<FeedbackItem> items = captureFeedback(drawFireScene);
  ASSERT_EQ(countKind(items, FeedbackItem::point), 14000);
  EXPECT_EQ(items.front().kind, FeedbackItem::point);
  for (const FeedbackItem& item : items) {
    if (item.kind != FeedbackItem::point) continue;
    ASSERT_EQ(item.rgba, (std::vector<float>{1.0f, 1.0f, 0.0f, 0.625f}));
  }
  for (int left : {0, -1}) {
    fireState.burstFramesLeft = left;
    EXPECT_EQ(countKind(captureFeedback(drawFireScene), FeedbackItem::point), 0) << "frames left " << left;
  }
}

// Under a caller that blends without depth test: with the depth buffer
// cleared to 0 the points still add yellow to the blue background, while no
// fireball fragment passes; with depth cleared to 1 the fireballs' black inner
// corners replace the grey instead of adding to it.
TEST_F(FireDraw, TheBurstAddsLightPastTheDepthBufferWhileFireballsAreOpaqueAndDepthTested) {
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  fireState.burstAlpha = 0.5f;
  glClearColor(0.0f, 0.0f, 0.25f, 0.0f);
  glClearDepth(0.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawFireScene();
  int lit = 0, otherBlue = 0;
  std::vector<unsigned char> rgb = pixels();
  for (size_t p = 0; p < rgb.size(); p += 3) {
    otherBlue += rgb[p + 2] != 64;
    lit += rgb[p] > 0;
    if (rgb[p] != rgb[p + 1]) FAIL() << "not yellow added at pixel " << p / 3;
  }
  EXPECT_GT(lit, 2000) << "the points pass whatever the depth buffer holds";
  EXPECT_EQ(otherBlue, 0) << "points add to the background; no fireball fragment passed";

  fireState.burstFramesLeft = 0;
  glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawFireScene();
  int dark = 0;
  rgb = pixels();
  for (size_t p = 0; p < rgb.size(); p += 3) dark += rgb[p] < 64;
  EXPECT_GT(dark, 20) << "black inner corners replace the grey";
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}

class WaterDraw : public SceneGlTest {
 protected:
  void SetUp() override {
    SceneGlTest::SetUp();
    rippleState = RippleState{};
    rippleSurface.initGrid();
  }
  static double height(int i, int j) { return rippleState.gridPoints[i][j].y; }
};

TEST_F(WaterDraw, EachSelectedFrameStepsTheSurfaceOnceAndOthersNotAtAll) {
  rippleSurface.dropAt(40, 60);
  sceneController.selectedScene = fireScene;
  for (int frame = 0; frame < 3; ++frame) drawWaterScene();
  EXPECT_EQ(height(40, 60), 2.0) << "a drop waits while water is not selected";
  EXPECT_EQ(rippleState.gridNormals[40][60].y, 0.0);
  sceneController.selectedScene = waterScene;
  drawWaterScene();
  EXPECT_NEAR(height(40, 60), 0.396, 1e-12) << "one step per selected frame";
  drawWaterScene();
  EXPECT_NE(height(40, 60), 0.396);
}

TEST_F(WaterDraw, TheFirstDrawnFrameSendsZeroNormalsAndTheNextUnitOnes) {
  rippleSurface.drawAndStep();
  GLdouble current[3];
  glGetDoublev(GL_CURRENT_NORMAL, current);
  EXPECT_EQ(std::vector<double>(current, current + 3), std::vector<double>(3, 0.0))
      << "the last vertex went out before the first step";
  rippleSurface.drawAndStep();
  glGetDoublev(GL_CURRENT_NORMAL, current);
  EXPECT_EQ(current[1], 1.0);
  GLdouble texCoord[4];
  glGetDoublev(GL_CURRENT_TEXTURE_COORDS, texCoord);
  EXPECT_NEAR(texCoord[0], 0.99, 1e-6) << "the last vertex: row 99 ...";
  EXPECT_NEAR(texCoord[1], 0.99, 1e-6) << "... of the last column";
}

// The surface's own set-up is undone; the scene itself leaves texturing off
// and the colour white, and the caller's blending and depth test as they were.
TEST_F(WaterDraw, ItUndoesTheSurfaceSetUpAndLeavesTextureOffAndTheColourWhite) {
  const auto readSurfaceState = [] {
    std::vector<GLint> s(9);
    glGetIntegerv(GL_COLOR_CLEAR_VALUE, &s[0]);
    glGetIntegerv(GL_LINE_SMOOTH_HINT, &s[4]);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &s[5]);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s[6]);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &s[7]);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &s[8]);
    return s;  // texture generation's enables are in GlState
  };
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
  glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  const std::vector<GLint> surfaceBefore = readSurfaceState();
  for (const int selected : {windScene, earthScene, fireScene, waterScene}) {
    for (const bool blended : {false, true}) {
      SCOPED_TRACE(testing::Message() << "selected " << selected << " blended " << blended);
      sceneController.selectedScene = selected;
      blended ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
      blended ? glDisable(GL_DEPTH_TEST) : glEnable(GL_DEPTH_TEST);
      glEnable(GL_TEXTURE_2D);
      glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
      const GlState before = captureGlState();
      drawWaterScene();
      GlState expected = before;
      expected.texture2d = false;
      std::fill(expected.color, expected.color + 4, 1.0f);
      GlState after = captureGlState();
      after.boundTexture = before.boundTexture;  // the scene binds its textures
      EXPECT_EQ(after, expected) << after.describe();
      EXPECT_EQ(readSurfaceState(), surfaceBefore);
    }
  }
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
