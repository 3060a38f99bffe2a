// Frame composition in a real GL context: which scene is drawn solid for a
// carousel count, in what state each scene's draw is entered, and that a
// frame hands GL back balanced.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "app/backdrop_cache.h"
#include "app/frame.h"
#include "app/projection.h"
#include "app/startup.h"
#include "tests/app/shell_fixture.h"
#include "tests/support/gl_probe.h"

namespace {

// What a scene's draw saw when it was called.
struct SceneVisit {
  int scene;
  bool depthTest;
  bool blend;
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
    for (int i = 0; i < 4; ++i) savedScenes_[i] = frameScenes[i];
    frameScenes[0].draw = recordVisit<earthScene>;
    frameScenes[1].draw = recordVisit<windScene>;
    frameScenes[2].draw = recordVisit<fireScene>;
    frameScenes[3].draw = recordVisit<waterScene>;
    visits.clear();
  }
  void TearDown() override {
    for (int i = 0; i < 4; ++i) frameScenes[i] = savedScenes_[i];
    ShellTest::TearDown();
  }

 private:
  FrameScene savedScenes_[4]{};
};

TEST_F(Frame, TheSceneInFrontByCountIsDrawnSolidAndTheOthersBlended) {
  const struct {
    int count;
    int solid;
  } cases[] = {{-1, fireScene}, {0, windScene}, {2, waterScene}, {5, earthScene},
               {-3, earthScene}, {4, windScene}, {-2, waterScene}, {3, fireScene}};
  for (const auto& t : cases) {
    visits.clear();
    c.carouselCount = t.count;
    c.selectedScene = t.solid == windScene ? earthScene : windScene;  // stale on purpose
    displayFrame();
    SCOPED_TRACE(testing::Message() << "count " << t.count);
    ASSERT_EQ(visits.size(), 4u);
    const int order[] = {earthScene, windScene, fireScene, waterScene};
    for (int i = 0; i < 4; ++i) {
      const SceneVisit& v = visits[i];
      EXPECT_EQ(v.scene, order[i]);
      if (v.scene == t.solid) {
        EXPECT_TRUE(v.depthTest);
        EXPECT_FALSE(v.blend);
        EXPECT_EQ(v.selectedScene, t.solid) << "selected just before the solid draw";
      } else {
        EXPECT_FALSE(v.depthTest);
        EXPECT_TRUE(v.blend);
      }
    }
    EXPECT_EQ(visits[3].selectedScene, t.solid) << "water, drawn last, sees this frame's choice";
    EXPECT_EQ(c.selectedScene, t.solid);
  }
}

TEST_F(Frame, IntroFramesDrawNoSceneAndKeepTheSelection) {
  c.introActive = 1;
  c.carouselCount = 1;
  c.selectedScene = waterScene;
  displayFrame();
  EXPECT_TRUE(visits.empty());
  EXPECT_EQ(c.selectedScene, waterScene);
  EXPECT_EQ(swaps, 1);
}

TEST_F(Frame, AFrameHandsGlBackBalanced) {
  for (int intro : {1, 0}) {
    c.introActive = intro;
    const GlState before = captureGlState();
    displayFrame();
    const GlState after = captureGlState();
    EXPECT_EQ(after.attribDepth, before.attribDepth);
    EXPECT_EQ(after.modelviewDepth, 1);
    EXPECT_TRUE(after.depthTest);
    EXPECT_FALSE(after.blend);
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(Frame, TheFirstFrameSetsTheRateTitle) {
  frameRateCounter = FrameRateCounter{};
  displayFrame();
  EXPECT_EQ(lastTitle, "Kesh Valdrune by Halvorsk       [ FPS: 0 ]");
  lastTitle.clear();
  displayFrame();
  EXPECT_EQ(lastTitle, "") << "at most once a second";
  EXPECT_EQ(frameRateCounter.frameCount, 1u);
}

TEST_F(Frame, TheCameraFollowsZoomAndHeight) {
  c.cameraZoom = -4.0f;
  c.cameraHeight = 1.5f;
  c.introActive = 1;
  GLdouble seen[16] = {};
  frameScenes[0].draw = [] {};
  // Read the camera through the modelview as it stands at the swap.
  static GLdouble* target = nullptr;
  target = seen;
  windowCalls.swapBuffers = [] { glGetDoublev(GL_MODELVIEW_MATRIX, target); };
  displayFrame();
  EXPECT_DOUBLE_EQ(seen[13], 1.5);
  EXPECT_DOUBLE_EQ(seen[14], 4.0 - 36.0);
}

// The whole back buffer as stored: colour bytes, then depth values.
struct Opening {
  std::vector<GLubyte> colour;
  std::vector<GLuint> depth;
  GlState state;
  GLfloat texCoord[4];
};
Opening readOpening() {
  Opening o;
  o.colour.resize(static_cast<size_t>(windowWidth) * windowHeight * 4);
  o.depth.resize(static_cast<size_t>(windowWidth) * windowHeight);
  glReadPixels(0, 0, windowWidth, windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, o.colour.data());
  glReadPixels(0, 0, windowWidth, windowHeight, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, o.depth.data());
  o.state = captureGlState();
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, o.texCoord);
  return o;
}

// State the opening sets, put elsewhere first so that a kept opening which
// failed to set it would show.
void disturbOpeningState() {
  glBindTexture(GL_TEXTURE_2D, 0);
  glEnable(GL_TEXTURE_2D);
  glTexCoord2f(0.25f, 0.5f);
}

TEST_F(Frame, TheKeptOpeningIsTheDrawnOneByteForByte) {
  // Drawn in full with the cache off, then with it on: the third frame at
  // rest starts from the copy. Colour, depth and the state the starfield
  // leaves must all be the same, for each camera, and a camera that moved
  // must not get the old copy.
  const struct {
    float zoom, height;
  } cameras[] = {{0.0f, 0.0f}, {-5.5f, 1.2f}, {-5.5f, -0.4f}};
  for (const auto& camera : cameras) {
    SCOPED_TRACE(testing::Message() << "zoom " << camera.zoom << " height " << camera.height);
    c.cameraZoom = camera.zoom;
    c.cameraHeight = camera.height;
    backdropCache.enabled = 0;
    disturbOpeningState();
    clearAndDrawBackdrop();
    const Opening drawn = readOpening();
    backdropCache.enabled = 1;
    for (int frame = 0; frame < 3; ++frame) {
      disturbOpeningState();
      clearAndDrawBackdrop();
    }
    ASSERT_TRUE(backdropCache.valid) << "a camera at rest is kept";
    const Opening kept = readOpening();
    EXPECT_TRUE(kept.colour == drawn.colour);
    EXPECT_TRUE(kept.depth == drawn.depth);
    EXPECT_EQ(kept.state, drawn.state) << kept.state.describe() << " vs " << drawn.state.describe();
    EXPECT_EQ(std::vector<GLfloat>(kept.texCoord, kept.texCoord + 4),
              std::vector<GLfloat>(drawn.texCoord, drawn.texCoord + 4));
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
