// The water scene drawn in a real GL context: what it calls and where, the
// ripple surface's strips, the state it leaves behind, and the liquid that
// exists and moves only while water is the selected scene.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/scene_controller.h"
#include "app/window.h"
#include "assets/display_lists.h"
#include "scenes/water/water_scene.h"
#include "tests/scenes/ripple_fixture.h"
#include "tests/scenes/fire_feedback.h"
#include "tests/support/gl_probe.h"

namespace {

constexpr int surfaceTriangles = 99 * (200 - 2);
// Markers the stand-in lists emit before their one triangle.
constexpr float poolMark = 8.0f;
constexpr float floorMark = 6.0f;
constexpr float birdMark = 7.0f;
// Stand-in triangle: a corner at the list's origin and one 10 units along x.
constexpr float markLength = 10.0f;

// The three fixed lists the scene calls, replaced by a marker and a small
// triangle each so the test sees every call and the frame it was made in.
void compileStandIn(int list, float mark) {
  glNewList(static_cast<GLuint>(list), GL_COMPILE);
  glPassThrough(mark);
  glBegin(GL_TRIANGLES);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(markLength, 0.0f, 0.0f);
  glVertex3f(0.0f, markLength, 0.0f);
  glEnd();
  glEndList();
}

// An orthographic view of the stage frame around the pool: 102.4 pixels to
// the unit, centred on the pool's place (0.1, 13).
constexpr double viewLeft = -4.9, viewBottom = 9.25, pixelsPerUnit = 102.4;
void viewPool() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(viewLeft, viewLeft + windowWidth / pixelsPerUnit, viewBottom,
          viewBottom + windowHeight / pixelsPerUnit, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
// Window x or y back to pool-frame units (the pool frame is the stage frame
// moved to (0.1, 13) and scaled by 0.02).
double poolX(float wx) { return (wx / pixelsPerUnit + viewLeft - 0.1) / 0.02; }
double poolY(float wy) { return (wy / pixelsPerUnit + viewBottom - 13.0) / 0.02; }

class WaterScene : public RippleTest {
 protected:
  static void SetUpTestSuite() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    assignListNumbers();
    compileStandIn(poolList, poolMark);
    compileStandIn(floorList, floorMark);
    compileStandIn(birdList, birdMark);
  }
  void SetUp() override {
    RippleTest::SetUp();
    sceneController = SceneController{};
    viewPool();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
  }

  // Feedback of one drawWaterScene, split at the markers: the triangles
  // after each marker, in order.
  struct Call {
    float mark;
    std::vector<FeedbackItem> polygons;
  };
  static std::vector<Call> drawCalls() {
    std::vector<Call> calls;
    for (FeedbackItem& item : captureFeedback(drawWaterScene)) {
      if (item.kind == FeedbackItem::marker) {
        calls.push_back({item.markerValue, {}});
      } else if (item.kind == FeedbackItem::polygon && !calls.empty()) {
        calls.back().polygons.push_back(item);
      }
    }
    return calls;
  }
};

TEST_F(WaterScene, DrawsPoolFloorFourBirdsThenTheSurfaceAs99StripsOf200Vertices) {
  sceneController.selectedScene = waterScene;
  const std::vector<Call> calls = drawCalls();
  ASSERT_EQ(calls.size(), 6u);
  const float order[] = {poolMark, floorMark, birdMark, birdMark, birdMark, birdMark};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(calls[i].mark, order[i]) << "call " << i;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(calls[i].polygons.size(), 1u);
  // The surface follows the last bird: 99 strips of 198 triangles each.
  EXPECT_EQ(calls[5].polygons.size(), 1u + surfaceTriangles);
}

TEST_F(WaterScene, TheBirdsStandAtTheFourCornersTurnedTowardsThePool) {
  const std::vector<Call> calls = drawCalls();
  ASSERT_EQ(calls.size(), 6u);
  // Each bird's origin and the direction its x axis points, in the pool frame.
  const struct {
    double x, y, axisX, axisY;
  } birds[] = {{-90, -70, 1, 0}, {90, 80, -1, 0}, {-90, 80, 0, -1}, {90, -70, 0, 1}};
  for (int b = 0; b < 4; ++b) {
    const std::vector<float>& v = calls[2 + b].polygons.at(0).xyz;
    SCOPED_TRACE(testing::Message() << "bird " << b);
    EXPECT_NEAR(poolX(v[0]), birds[b].x, 0.05);
    EXPECT_NEAR(poolY(v[1]), birds[b].y, 0.05);
    EXPECT_NEAR(poolX(v[3]) - poolX(v[0]), markLength * birds[b].axisX, 0.05);
    EXPECT_NEAR(poolY(v[4]) - poolY(v[1]), markLength * birds[b].axisY, 0.05);
  }
  // The floor tile is scaled by 10 and stood up: its x axis stays x, its y
  // axis becomes the pool's z (depth only).
  const std::vector<float>& floor = calls[1].polygons.at(0).xyz;
  EXPECT_NEAR(poolX(floor[3]) - poolX(floor[0]), 10 * markLength, 0.05);
  EXPECT_NEAR(poolY(floor[7]) - poolY(floor[1]), 0.0, 0.05);
  EXPECT_GT(std::fabs(floor[8] - floor[2]), 0.0f);
}

TEST_F(WaterScene, WithBirdsOffOnlyPoolAndFloorAreDrawn) {
  sceneController.showBirds = 0;
  sceneController.selectedScene = waterScene;
  const std::vector<Call> calls = drawCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].mark, poolMark);
  EXPECT_EQ(calls[1].mark, floorMark);
  EXPECT_EQ(calls[1].polygons.size(), 1u + surfaceTriangles) << "the surface is still drawn";
}

TEST_F(WaterScene, TheStillSurfaceSpansTheBasin) {
  sceneController.selectedScene = waterScene;
  const std::vector<Call> calls = drawCalls();
  ASSERT_EQ(calls.size(), 6u);
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  const std::vector<FeedbackItem>& polygons = calls[5].polygons;
  for (size_t p = 1; p < polygons.size(); ++p) {
    for (size_t v = 0; v < polygons[p].xyz.size(); v += 3) {
      minX = std::min(minX, poolX(polygons[p].xyz[v]));
      maxX = std::max(maxX, poolX(polygons[p].xyz[v]));
      minY = std::min(minY, poolY(polygons[p].xyz[v + 1]));
      maxY = std::max(maxY, poolY(polygons[p].xyz[v + 1]));
    }
  }
  EXPECT_NEAR(minX, -90.0, 0.05);
  EXPECT_NEAR(maxX, 88.2, 0.05);
  EXPECT_NEAR(minY, -90.0, 0.05);
  EXPECT_NEAR(maxY, 88.2, 0.05);
}

TEST_F(WaterScene, EachSelectedFrameStepsTheSurfaceOnceAndOthersNotAtAll) {
  rippleSurface.dropAt(40, 60);
  sceneController.selectedScene = fireScene;
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  for (int frame = 0; frame < 3; ++frame) drawWaterScene();
  EXPECT_EQ(height(40, 60), 2.0) << "a drop waits while water is not selected";
  EXPECT_EQ(normal(40, 60).y, 0.0);

  sceneController.selectedScene = waterScene;
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  drawWaterScene();
  EXPECT_NEAR(height(40, 60), 0.396, 1e-12) << "one step per selected frame";
  drawWaterScene();
  EXPECT_NE(height(40, 60), 0.396);
}

TEST_F(WaterScene, TheFirstDrawnFrameSendsZeroNormalsAndTheNextUnitOnes) {
  rippleSurface.drawAndStep();
  GLdouble current[3];
  glGetDoublev(GL_CURRENT_NORMAL, current);
  EXPECT_EQ(current[0], 0.0);
  EXPECT_EQ(current[1], 0.0) << "the last vertex went out before the first step";
  EXPECT_EQ(current[2], 0.0);
  EXPECT_EQ(normal(99, 99).y, 1.0) << "the step after the draw made the normals";
  rippleSurface.drawAndStep();
  glGetDoublev(GL_CURRENT_NORMAL, current);
  EXPECT_EQ(current[1], 1.0);
  GLdouble texCoord[4];
  glGetDoublev(GL_CURRENT_TEXTURE_COORDS, texCoord);
  EXPECT_NEAR(texCoord[0], 0.99, 1e-6) << "the last vertex: row 99 ...";
  EXPECT_NEAR(texCoord[1], 0.99, 1e-6) << "... of the last column";
}

// GL state the surface's set-up changes, read back for comparison.
struct SurfaceState {
  GLfloat clear[4];
  GLint lineHint, polygonHint, perspectiveHint, envMode, genModeS, genModeT;
  GLboolean genS, genT, depth;
  bool operator==(const SurfaceState& o) const {
    return std::equal(clear, clear + 4, o.clear) && lineHint == o.lineHint &&
           polygonHint == o.polygonHint && perspectiveHint == o.perspectiveHint &&
           envMode == o.envMode && genModeS == o.genModeS && genModeT == o.genModeT &&
           genS == o.genS && genT == o.genT && depth == o.depth;
  }
};
SurfaceState readSurfaceState() {
  SurfaceState s{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, s.clear);
  glGetIntegerv(GL_LINE_SMOOTH_HINT, &s.lineHint);
  glGetIntegerv(GL_POLYGON_SMOOTH_HINT, &s.polygonHint);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &s.perspectiveHint);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.envMode);
  glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &s.genModeS);
  glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &s.genModeT);
  s.genS = glIsEnabled(GL_TEXTURE_GEN_S);
  s.genT = glIsEnabled(GL_TEXTURE_GEN_T);
  s.depth = glIsEnabled(GL_DEPTH_TEST);
  return s;
}

TEST_F(WaterScene, WhenSelectedItRestoresTheSurfaceStateAndLeavesBlendAndTextureOff) {
  sceneController.selectedScene = waterScene;
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
  glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glEnable(GL_TEXTURE_2D);
  glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
  const SurfaceState surfaceBefore = readSurfaceState();
  const GlState before = captureGlState();
  drawWaterScene();
  const GlState after = captureGlState();
  EXPECT_TRUE(readSurfaceState() == surfaceBefore) << "every change of the surface's set-up undone";
  EXPECT_FALSE(after.texture2d);
  EXPECT_FALSE(after.blend);
  EXPECT_TRUE(after.depthTest);
  EXPECT_EQ(std::vector<float>(after.color, after.color + 4), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
  EXPECT_EQ(after.attribDepth, before.attribDepth);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(WaterScene, DrawnBlendedItLeavesTheCallersBlendAndTurnsTextureOff) {
  // Selected or not: the liquid's own blending must not leak out either.
  for (const int selected : {windScene, earthScene, fireScene, waterScene}) {
    sceneController.selectedScene = selected;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    const GlState before = captureGlState();
    drawWaterScene();
    const GlState after = captureGlState();
    SCOPED_TRACE(testing::Message() << "selected " << selected);
    EXPECT_TRUE(after.blend);
    EXPECT_FALSE(after.depthTest);
    EXPECT_FALSE(after.texture2d);
    EXPECT_EQ(after.color[0], 1.0f);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.attribDepth, before.attribDepth);
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
