// The earth scene in a real GL context: the water sheet drawn before the land
// and switchable, a full turn drawing the same picture, the state handed back.
#include "app/scene_controller.h"
#include "assets/textures.h"
#include "scenes/earth/earth_scene.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

using EarthScene = SceneGlTest;

constexpr size_t landTriangles = 12350, oceanTriangles = 3200;

TEST_F(EarthScene, TheWaterSheetComesFirstAndCanBeSwitchedOff) {
  const auto both = capturePolygons(drawEarthScene);
  ASSERT_EQ(both.size(), oceanTriangles + landTriangles);
  sceneController.showOcean = 0;
  const auto land = capturePolygons(drawEarthScene);
  ASSERT_EQ(land.size(), landTriangles);
  // The land follows the sheet, unchanged by it.
  EXPECT_EQ(both[oceanTriangles].xyz, land[0].xyz);
  EXPECT_EQ(both.back().xyz, land.back().xyz);
}

TEST_F(EarthScene, AFullTurnDrawsTheSamePictureAndTheSheetRocks) {
  sceneController.earthSpin = 0;
  const auto atZero = capturePolygons(drawEarthScene);
  sceneController.earthSpin = 360;
  const auto atFull = capturePolygons(drawEarthScene);
  ASSERT_EQ(atZero.size(), oceanTriangles + landTriangles);
  ASSERT_EQ(atZero.size(), atFull.size());
  for (size_t p = 0; p < atZero.size(); p += 101) {
    for (size_t k = 0; k < atZero[p].xyz.size(); ++k) {
      EXPECT_NEAR(atZero[p].xyz[k], atFull[p].xyz[k], 0.05) << "polygon " << p;
    }
  }
  sceneController.earthSpin = 0;
  sceneController.oceanWobble = 2.5f;
  const auto rocked = capturePolygons(drawEarthScene);
  EXPECT_NE(rocked[0].xyz, atZero[0].xyz) << "the sheet tilts";
  EXPECT_EQ(rocked[oceanTriangles].xyz, atZero[oceanTriangles].xyz) << "the land does not";
}

TEST_F(EarthScene, HandsBackEveryAttributeAndTheMatrix) {
  for (int texture : {0, 1}) {
    texture ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor4f(0.6f, 0.5f, 0.4f, 0.3f);
    glBindTexture(GL_TEXTURE_2D, barkTexture);
    const GlState before = captureGlState();
    drawEarthScene();
    EXPECT_TRUE(captureGlState() == before);
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
