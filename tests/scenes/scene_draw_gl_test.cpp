// The scenes in a real GL context: the state each draw hands back, what the
// toggles hide, the fire's burst and opaque fireballs, the water's steps.
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

// The water scene binds its textures and leaves texturing off and the colour
// white; every draw undoes the surface's set-up (clear colour, hints, texture
// environment and generation), which starts away from GL's defaults.
TEST_F(SceneDraw, EveryDrawHandsBackTheStateItFound) {
  const struct {
    const char* name;
    void (*draw)();
  } draws[] = {{"wind", drawWindScene},         {"earth", drawEarthScene},          {"fire", drawFireScene},
               {"water", drawWaterScene},       {"stage", drawStage},               {"fire marker", drawFireMarker},
               {"earth marker", drawEarthMarker}, {"water marker", drawWaterMarker}, {"wind marker", drawWindMarker}};
  const auto surfaceState = [] {
    std::vector<GLint> s(9);
    glGetIntegerv(GL_COLOR_CLEAR_VALUE, &s[0]);
    glGetIntegerv(GL_LINE_SMOOTH_HINT, &s[4]);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &s[5]);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s[6]);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &s[7]);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &s[8]);
    return s;
  };
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
  glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  const std::vector<GLint> surfaceBefore = surfaceState();
  rippleState = RippleState{};
  rippleSurface.initGrid();
  std::srand(9);
  startBurst();
  for (int bits = 0; bits < 8; ++bits) {
    for (const auto& d : draws) {
      SCOPED_TRACE(testing::Message() << d.name << ", state " << bits);
      sceneController.selectedScene = bits % 4;
      fireState.merged = bits & 1;
      fireState.burstFramesLeft = 50;
      bits & 1 ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
      bits & 2 ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
      bits & 4 ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
      glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
      glBindTexture(GL_TEXTURE_2D, grassTexture);
      GlState expected = captureGlState();
      d.draw();
      GlState after = captureGlState();
      if (d.draw == drawWaterScene) {
        expected.texture2d = false;
        std::fill(expected.color, expected.color + 4, 1.0f);
        after.boundTexture = expected.boundTexture;
      }
      EXPECT_EQ(after, expected) << "expected: " << expected.describe() << "\nafter:    " << after.describe();
      EXPECT_EQ(surfaceState(), surfaceBefore);
    }
  }
  GLvoid* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY)) << "the burst's array stays enabled";
  EXPECT_EQ(pointer, static_cast<GLvoid*>(fireState.fireParticlePositions));
  glPopAttrib();
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(SceneDraw, EachToggleHidesExactlyItsPart) {
  const struct {
    const char* name;
    void (*draw)();
    int* flag;
    int hidden;
  } toggles[] = {{"leaves", drawWindScene, &sceneController.showLeaves, triangles(treeModel, 2, 2)},
                 {"branches", drawWindScene, &sceneController.showBranches, triangles(treeModel, 1, 2)},
                 {"ocean", drawEarthScene, &sceneController.showOcean, earthModel.mesh(2).triangleCount()},
                 {"birds", drawWaterScene, &sceneController.showBirds, 4 * triangles(birdModel, 1, 1)}};
  for (const auto& t : toggles) {
    sceneController = SceneController{};
    const size_t shown = captureFeedback(t.draw).size();
    *t.flag = 0;
    EXPECT_EQ(shown - captureFeedback(t.draw).size(), static_cast<size_t>(t.hidden)) << t.name;
  }
}

// Under a caller that blends without depth test, with the depth buffer cleared
// to 0: the burst's points, yellow at its alpha, still add to the blue, while
// no fireball fragment passes. With depth 1 and the burst over, the fireballs'
// black inner corners replace the grey instead of adding to it. An ended (0)
// or removed (-1) burst draws no point; where the points go is the placement's.
TEST_F(SceneDraw, TheBurstAddsYellowPastTheDepthBufferWhileFireballsAreOpaque) {
  fireState = FireState{fireState.fireParticlePositions, fireState.fireParticleDirections};
  std::srand(5);
  startBurst();
  for (int i = 0; i < 60; ++i) moveBurst();
  fireState.burstAlpha = 0.5f;
  glMatrixMode(GL_PROJECTION);  // 128 pixels to the unit about the fire's place
  glLoadIdentity();
  glOrtho(9, 17, -3, 3, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  for (const FeedbackItem& item : captureFeedback(drawFireScene)) {
    ASSERT_TRUE(item.kind != FeedbackItem::point || item.rgba == (std::vector<float>{1.0f, 1.0f, 0.0f, 0.5f}));
  }
  std::vector<unsigned char> rgb(size_t{windowWidth} * windowHeight * 3);
  const auto drawOver = [&rgb](float grey, float blue, double depth) {
    glClearColor(grey, grey, blue, 0.0f);
    glClearDepth(depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFireScene();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  };
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  drawOver(0.0f, 0.25f, 0.0);
  int lit = 0, otherBlue = 0, dark = 0;
  for (size_t p = 0; p < rgb.size(); p += 3) {
    otherBlue += rgb[p + 2] != 64;
    lit += rgb[p] > 0;
    if (rgb[p] != rgb[p + 1]) FAIL() << "not yellow added at pixel " << p / 3;
  }
  EXPECT_GT(lit, 2000) << "the points pass whatever the depth buffer holds";
  EXPECT_EQ(otherBlue, 0) << "points add to the background; no fireball fragment passed";
  for (int left : {-1, 0}) {
    fireState.burstFramesLeft = left;
    for (const FeedbackItem& item : captureFeedback(drawFireScene)) {
      ASSERT_EQ(item.kind, FeedbackItem::polygon) << "frames left " << left;
    }
  }
  drawOver(0.5f, 0.5f, 1.0);
  for (size_t p = 0; p < rgb.size(); p += 3) dark += rgb[p] < 64;
  EXPECT_GT(dark, 20) << "black inner corners replace the grey";
  glPopAttrib();
}

// A drop waits while water is not selected; each selected frame steps once.
// The first drawn frame's vertices go out before its step, with zero normals;
// the next frame's with unit ones, the last vertex being row 99 of the last column.
TEST_F(SceneDraw, TheWaterStepsOncePerSelectedFrameAfterDrawing) {
  const double& height = rippleState.gridPoints[40][60].y;
  rippleState = RippleState{};
  rippleSurface.initGrid();
  rippleSurface.dropAt(40, 60);
  sceneController.selectedScene = fireScene;
  for (int frame = 0; frame < 3; ++frame) drawWaterScene();
  EXPECT_EQ(height, 2.0);
  EXPECT_EQ(rippleState.gridNormals[40][60].y, 0.0);
  sceneController.selectedScene = waterScene;
  drawWaterScene();
  EXPECT_NEAR(height, 0.396, 1e-12) << "one step per selected frame";
  drawWaterScene();
  EXPECT_NE(height, 0.396);

  rippleState = RippleState{};
  rippleSurface.initGrid();
  GLdouble normal[3], texCoord[4];
  rippleSurface.drawAndStep();
  glGetDoublev(GL_CURRENT_NORMAL, normal);
  EXPECT_EQ(std::vector<double>(normal, normal + 3), std::vector<double>(3, 0.0));
  rippleSurface.drawAndStep();
  glGetDoublev(GL_CURRENT_NORMAL, normal);
  glGetDoublev(GL_CURRENT_TEXTURE_COORDS, texCoord);
  EXPECT_EQ(normal[1], 1.0);
  EXPECT_NEAR(texCoord[0], 0.99, 1e-6);
  EXPECT_NEAR(texCoord[1], 0.99, 1e-6);
}

}  // namespace
