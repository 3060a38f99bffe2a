// The stage in a real GL context: the state its fixed lists leave behind and
// the markers' tint by selection (where its parts stand is the placement's).
#include "assets/display_lists.h"
#include "assets/stage.h"
#include "assets/textures.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

using Stage = SceneGlTest;

TEST_F(Stage, ListsLeaveTheirTextureBoundAndTexturingAndBlendingOff) {
  const struct {
    const char* name;
    int list;
    GLuint texture;  // 0: whatever the list left bound
  } lists[] = {{"stage", stageList, 0}, {"floor", floorList, floorTexture}, {"starfield", starfieldList, starfieldTexture}};
  for (const auto& l : lists) {
    SCOPED_TRACE(l.name);
    glEnable(GL_TEXTURE_2D), glEnable(GL_BLEND), glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    glBindTexture(GL_TEXTURE_2D, grassTexture);
    glCallList(static_cast<GLuint>(l.list));
    const GlState after = captureGlState();
    EXPECT_FALSE(after.texture2d);
    if (l.texture != 0) {
      EXPECT_EQ(after.boundTexture, static_cast<GLint>(l.texture));
    } else {
      EXPECT_FALSE(after.blend);
      EXPECT_EQ(after.color[0] + after.color[1] + after.color[2] + after.color[3], 4.0f) << "opaque white";
    }
  }
  glDisable(GL_BLEND);
}

TEST_F(Stage, MarkersFadeWhileTheirSceneIsSelected) {
  const struct {
    void (*draw)();
    int scene;
    float rgb[3], selectedAlpha;
  } markers[] = {{drawFireMarker, fireScene, {1, 1, 0}, 0.025f},
                 {drawEarthMarker, earthScene, {0, 1, 0}, 0.025f},
                 {drawWaterMarker, waterScene, {0, 0, 1}, 0.025f},
                 {drawWindMarker, windScene, {1, 1, 1}, 0.02f}};
  for (int selected = 0; selected < 4; ++selected) {
    sceneController.selectedScene = selected;
    for (const auto& m : markers) {
      const auto polygons = captureFeedback(m.draw);
      ASSERT_EQ(polygons.size(), 1633u) << "the marker sphere's sparse scatter";
      const std::vector<float>& rgba = polygons[100].rgba;
      EXPECT_EQ(std::vector<float>(rgba.begin(), rgba.begin() + 4),
                (std::vector<float>{m.rgb[0], m.rgb[1], m.rgb[2], m.scene == selected ? m.selectedAlpha : 0.6f}))
          << "scene " << m.scene << " selected " << selected;
    }
  }
}

}  // namespace
