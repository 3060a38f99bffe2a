// Frame composition in a real GL context: the solid scene and each draw's
// state, GL handed back balanced, the kept backdrop, the reshape's projection.
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "app/backdrop_cache.h"
#include "app/frame.h"
#include "app/projection.h"
#include "app/startup.h"
#include "tests/app/shell_fixture.h"
#include "tests/support/gl_probe.h"
#include "tools/common/tool_window.h"

namespace {

// What a scene's draw saw when it was called.
struct SceneVisit {
  int scene;
  bool depthTest, blend;
  int selectedScene;
};
std::vector<SceneVisit> visits;

template <int scene>
void recordVisit() {
  visits.push_back({scene, glIsEnabled(GL_DEPTH_TEST) == GL_TRUE, glIsEnabled(GL_BLEND) == GL_TRUE,
                    sceneController.selectedScene});
}

class Frame : public ShellTest {
 protected:
  static void SetUpTestSuite() {
    initGraphics(windowWidth, windowHeight);
    reshapeWindow(windowWidth, windowHeight);
  }
  void SetUp() override {
    ShellTest::SetUp();
    std::copy_n(frameScenes, 4, saved_);
    frameScenes[0].draw = recordVisit<earthScene>;
    frameScenes[1].draw = recordVisit<windScene>;
    frameScenes[2].draw = recordVisit<fireScene>;
    frameScenes[3].draw = recordVisit<waterScene>;
  }
  void TearDown() override {
    std::copy_n(saved_, 4, frameScenes);
    ShellTest::TearDown();
  }
  FrameScene saved_[4]{};
};

TEST_F(Frame, TheSceneInFrontIsDrawnSolidTheOthersBlendedAndGlIsHandedBackBalanced) {
  const struct {
    int count, solid, intro = 0;  // intro frames draw no scene and keep the selection
  } cases[] = {{-1, fireScene},  {0, windScene}, {2, waterScene},  {5, earthScene}, {-3, earthScene},
               {4, windScene},   {-2, waterScene}, {3, fireScene}, {1, earthScene, 1}};
  const int order[] = {earthScene, windScene, fireScene, waterScene};
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << "count " << t.count << " intro " << t.intro);
    visits.clear();
    c.introActive = t.intro;
    c.carouselCount = t.count;
    const int stale = t.solid == windScene ? earthScene : windScene;
    c.selectedScene = stale;
    const GlState before = captureGlState();
    displayFrame();
    const GlState after = captureGlState();
    ASSERT_EQ(visits.size(), t.intro ? 0u : 4u);
    for (size_t i = 0; i < visits.size(); ++i) {
      const SceneVisit& v = visits[i];
      const bool solid = v.scene == t.solid;
      EXPECT_EQ(v.scene, order[i]);
      EXPECT_EQ(v.depthTest, solid);
      EXPECT_EQ(v.blend, !solid);
      if (solid || i == 3) {
        EXPECT_EQ(v.selectedScene, t.solid) << "selected before the solid draw, and water's";
      }
    }
    EXPECT_EQ(c.selectedScene, t.intro ? stale : t.solid);
    EXPECT_EQ(after.attribDepth, before.attribDepth);
    EXPECT_EQ(after.modelviewDepth, 1);
    EXPECT_TRUE(after.depthTest);
    EXPECT_FALSE(after.blend);
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
  }
  EXPECT_EQ(swaps, static_cast<int>(std::size(cases)));
  EXPECT_TRUE(pendingGlErrors().empty());
}

// The whole back buffer, colour bytes then depth, and the texture coordinate.
struct Opening {
  std::vector<GLuint> colourAndDepth = std::vector<GLuint>(size_t{2} * windowWidth * windowHeight);
  GlState state = captureGlState();
  std::vector<GLfloat> texCoord = std::vector<GLfloat>(4);
  Opening() {
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, colourAndDepth.data());
    glReadPixels(0, 0, windowWidth, windowHeight, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                 colourAndDepth.data() + colourAndDepth.size() / 2);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord.data());
  }
};

// State the opening sets, put elsewhere first so that a kept one must set it.
void disturbOpeningState() {
  glBindTexture(GL_TEXTURE_2D, 0);
  glEnable(GL_TEXTURE_2D);
  glTexCoord2f(0.25f, 0.5f);
}

TEST_F(Frame, TheKeptOpeningIsTheDrawnOneByteForByte) {
  // Drawn in full with the cache off, then on (the third frame at rest uses
  // the copy): the same colour, depth and state, and no old copy for a camera
  // that moved.
  const struct { float zoom, height; } cameras[] = {{0.0f, 0.0f}, {-5.5f, 1.2f}, {-5.5f, -0.4f}};
  for (const auto& camera : cameras) {
    SCOPED_TRACE(testing::Message() << "zoom " << camera.zoom << " height " << camera.height);
    c.cameraZoom = camera.zoom;
    c.cameraHeight = camera.height;
    backdropCache.enabled = 0;
    disturbOpeningState();
    clearAndDrawBackdrop();
    const Opening drawn;
    backdropCache.enabled = 1;
    for (int frame = 0; frame < 3; ++frame) {
      disturbOpeningState();
      clearAndDrawBackdrop();
    }
    ASSERT_TRUE(backdropCache.valid) << "a camera at rest is kept";
    const Opening kept;
    EXPECT_TRUE(kept.colourAndDepth == drawn.colourAndDepth);
    EXPECT_EQ(kept.state, drawn.state) << kept.state.describe() << " vs " << drawn.state.describe();
    EXPECT_EQ(kept.texCoord, drawn.texCoord);
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

// A height of 0 is taken as 1, so the projection stays finite.
TEST_F(Frame, ReshapeSetsTheViewportAndTheDrawingProjection) {
  const struct { int width, height, viewHeight; } sizes[] = {{800, 600, 600}, {1024, 0, 1}};
  const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
  for (const auto& s : sizes) {
    SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
    reshapeWindow(s.width, s.height);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, s.width, s.viewHeight}));
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[5], f, 1e-6);
    EXPECT_NEAR(m[0], f * s.viewHeight / s.width, 1e-6);
    EXPECT_NEAR(m[14], -2.0 * 1000.0 * 0.1 / (1000.0 - 0.1), 1e-6) << "near 0.1, far 1000";
  }
  reshapeWindow(windowWidth, windowHeight);
}

}  // namespace

// A tool window covered by another as it maps is on screen: its tool goes on.
TEST(ToolWindow, OnlyAHiddenWindowCountsAsNotShown) {
  for (int shown : {GLUT_FULLY_RETAINED, GLUT_PARTIALLY_RETAINED, GLUT_FULLY_COVERED}) {
    EXPECT_TRUE(windowStatusShows(shown)) << shown;
  }
  EXPECT_FALSE(windowStatusShows(GLUT_HIDDEN));
}
