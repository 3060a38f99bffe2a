// The fire drawn in a real GL context: the burst as one array of 14000
// additive points, the eight copies' places, opaque fireballs under a
// blending caller, and the state drawFireScene hands back.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/window.h"
#include "tests/scenes/fire_fixture.h"
#include "tests/scenes/fire_feedback.h"
#include "tests/support/gl_probe.h"

namespace {

const int fireballTriangles = fireballModel.meshes[0].triangleCount();  // its one mesh
constexpr int copies = 8;
const float marked[3] = {1.0f, 0.0f, 0.0f};  // corner A, to find each copy's centre

class FireDraw : public FireTest {
 protected:
  static void SetUpTestSuite() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    fireEffect.init();
  }
  void SetUp() override {
    FireTest::SetUp();
    glViewport(0, 0, windowWidth, windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
  }
  void TearDown() override { glClearDepth(1.0); }

  // An orthographic view in which the fire's frame (after draw's own
  // translation by -45 in z) maps 25.6 pixels to the unit, centre mid-window.
  static void orthoOnFireFrame() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 20, -15, 15, -200, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, 45);
  }
  // Back from window coordinates of that view to the fire's frame.
  static std::vector<double> fireFrame(const float* w) {
    return {w[0] / 25.6 - 20.0, w[1] / 25.6 - 15.0, (0.5 - w[2]) * 400.0};
  }
  // A perspective camera looking at the fire scene's place on the stage.
  static void cameraOnFireScene() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(windowWidth) / windowHeight, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-13.0f, 0.0f, -36.0f);
  }

  // The centre point of each copy, from the corner-A vertices of its first
  // 60 triangles (the fan around the centre), in the fire's frame.
  static std::vector<std::vector<double>> copyCentres(const std::vector<FeedbackItem>& items) {
    std::vector<const FeedbackItem*> polygons;
    for (const FeedbackItem& item : items) {
      if (item.kind == FeedbackItem::polygon) polygons.push_back(&item);
    }
    std::vector<std::vector<double>> centres;
    if (polygons.size() != static_cast<size_t>(copies * fireballTriangles)) return centres;
    for (int c = 0; c < copies; ++c) {
      std::vector<double> sum(3, 0.0);
      int count = 0;
      for (int t = 0; t < fireballTriangles / 2; ++t) {
        const FeedbackItem& p = *polygons[c * fireballTriangles + t];
        for (size_t v = 0; v < p.rgba.size() / 4; ++v) {
          if (p.rgba[v * 4] != 1.0f || p.rgba[v * 4 + 1] != 0.0f) continue;
          const std::vector<double> f = fireFrame(&p.xyz[v * 3]);
          for (int k = 0; k < 3; ++k) sum[k] += f[k];
          ++count;
        }
      }
      for (double& s : sum) s /= count;
      centres.push_back(sum);
    }
    return centres;
  }
};

double norm(const std::vector<double>& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

TEST_F(FireDraw, TheBurstIsOneDrawOf14000YellowPointsAtItsAlpha) {
  orthoOnFireFrame();
  std::srand(3);
  startBurst();
  fireState.burstAlpha = 0.625f;
  const std::vector<FeedbackItem> items = captureFeedback([] { fireEffect.draw(); });
  ASSERT_EQ(countKind(items, FeedbackItem::point), fireParticleCount);
  for (const FeedbackItem& item : items) {
    if (item.kind != FeedbackItem::point) continue;
    ASSERT_EQ(item.rgba, (std::vector<float>{1.0f, 1.0f, 0.0f, 0.625f}));
    const std::vector<double> at = fireFrame(item.xyz.data());
    ASSERT_NEAR(norm(at), 0.0, 0.05) << "every particle starts at the centre";
  }
  EXPECT_TRUE(items.front().kind == FeedbackItem::point) << "the burst comes before the fireballs";
  EXPECT_EQ(countKind(items, FeedbackItem::polygon), copies * fireballTriangles);
  for (int left : {0, -1}) {
    fireState.burstFramesLeft = left;
    EXPECT_EQ(countKind(captureFeedback([] { fireEffect.draw(); }), FeedbackItem::point), 0)
        << "no points while no burst lives (frames left " << left << ")";
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(FireDraw, TheBurstAddsLightWithoutDepthTestWhileTheFireballsAreDepthTested) {
  cameraOnFireScene();
  std::srand(5);
  startBurst();
  for (int i = 0; i < 60; ++i) moveBurst();
  fireState.burstAlpha = 0.5f;
  // A depth buffer cleared to 0 rejects every depth-tested fragment, and a
  // blue background shows whether the points replace or add.
  glClearColor(0.0f, 0.0f, 0.25f, 0.0f);
  glClearDepth(0.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawFireScene();
  std::vector<unsigned char> rgb(size_t{windowWidth} * windowHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int lit = 0;
  int otherBlue = 0;
  for (size_t p = 0; p < rgb.size(); p += 3) {
    if (rgb[p + 2] != 64) ++otherBlue;
    if (rgb[p] > 0) {
      ++lit;
      EXPECT_EQ(rgb[p], rgb[p + 1]) << "yellow added";
    }
  }
  EXPECT_GT(lit, 2000) << "the points pass whatever the depth buffer holds";
  EXPECT_EQ(otherBlue, 0) << "points add to the background; no fireball fragment passed";
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(FireDraw, FireballsAreOpaqueUnderABlendingCaller) {
  cameraOnFireScene();
  glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  drawFireScene();
  std::vector<unsigned char> rgb(size_t{windowWidth} * windowHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int dark = 0;
  for (size_t p = 0; p < rgb.size(); p += 3) dark += rgb[p] < 64;
  EXPECT_GT(dark, 20) << "black inner corners replace the grey instead of adding to it";
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(FireDraw, CopiesStandAtTheDistanceInFireballUnitsAroundTheCentre) {
  orthoOnFireFrame();
  fireballModel.setCornerColorA(marked);
  fireState.tumbleAngle = fireState.orbitAngle = fireState.orbitAngleZ = 30.0f;
  const std::vector<std::vector<double>> centres =
      copyCentres(captureFeedback([] { fireEffect.draw(); }));
  ASSERT_EQ(centres.size(), size_t{copies});
  const double d = 165.0 * 0.07;  // 11.55
  const double offset = 0.369 * 0.07 + 1e-3;  // the centre point sits off the copy's origin
  for (int c = 0; c < copies; ++c) {
    const double expected = c < 4 ? d : d * std::sqrt(2.0);
    EXPECT_NEAR(norm(centres[c]), expected, offset) << "copy " << c;
  }
  const double s = std::sin(30.0 * M_PI / 180.0);
  const double k = std::cos(30.0 * M_PI / 180.0);
  // Copy 0 turned about z by the z orbit, copy 2 about y by the orbit.
  EXPECT_NEAR(centres[0][0], -d * k, offset);
  EXPECT_NEAR(centres[0][1], -d * s, offset);
  EXPECT_NEAR(centres[0][2], 0.0, offset);
  EXPECT_NEAR(centres[1][0], d * k, offset);
  EXPECT_NEAR(centres[1][1], d * s, offset);
  EXPECT_NEAR(centres[2][0], d * s, offset);
  EXPECT_NEAR(centres[2][2], d * k, offset);
  EXPECT_NEAR(centres[3][0], -d * s, offset);
  EXPECT_NEAR(centres[3][2], -d * k, offset);
  for (int c = 0; c < copies; c += 2) {
    for (int a = 0; a < 3; ++a) {
      EXPECT_NEAR(centres[c][a], -centres[c + 1][a], 2 * offset)
          << "copies " << c << " and " << c + 1;
    }
  }
}

TEST_F(FireDraw, MergedCopiesCoincideAtTheCentreAtTheLargerScale) {
  orthoOnFireFrame();
  fireballModel.setCornerColorA(marked);
  fireState.fireDistance = 0.0f;
  fireState.merged = 1;
  fireState.tumbleAngle = fireState.orbitAngle = fireState.orbitAngleZ = 77.0f;
  const std::vector<FeedbackItem> items = captureFeedback([] { fireEffect.draw(); });
  const std::vector<std::vector<double>> centres = copyCentres(items);
  ASSERT_EQ(centres.size(), size_t{copies});
  for (int c = 0; c < copies; ++c) EXPECT_LT(norm(centres[c]), 0.369 * 0.09 + 1e-3);
  // Tips stand 30 model units from the centre point: 2.7 at scale 0.09.
  double reach = 0.0;
  for (const FeedbackItem& item : items) {
    for (size_t v = 0; v < item.xyz.size() / 3; ++v) {
      reach = std::max(reach, norm(fireFrame(&item.xyz[v * 3])));
    }
  }
  EXPECT_NEAR(reach, 30.0 * 0.09, 0.06);
}

TEST_F(FireDraw, DrawFireSceneHandsTheStateBackAsItFoundIt) {
  cameraOnFireScene();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  std::srand(9);
  startBurst();
  for (const bool blended : {false, true}) {
    for (const int mergedState : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "blended " << blended << " merged " << mergedState);
      fireState.merged = mergedState;
      fireState.burstFramesLeft = 50;
      if (blended) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
      } else {
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
      }
      glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
      const GlState before = captureGlState();
      drawFireScene();
      const GlState after = captureGlState();
      EXPECT_EQ(after, before) << "before: " << before.describe() << "\nafter: " << after.describe();
      GLint arrayEnabled = 0;
      glGetIntegerv(GL_VERTEX_ARRAY, &arrayEnabled);
      EXPECT_EQ(arrayEnabled, GL_TRUE) << "the particle array stays enabled";
      GLvoid* pointer = nullptr;
      glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
      EXPECT_EQ(pointer, static_cast<GLvoid*>(fireState.fireParticlePositions));
    }
  }
  glDeleteTextures(1, &texture);
  glDisable(GL_TEXTURE_2D);
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
