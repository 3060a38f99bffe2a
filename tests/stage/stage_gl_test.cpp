// The stage in a real GL context: the state its draws hand back, what its
// lists leave behind, the markers' tint by selection, and where the spheres and
// the lifted dome end up, observed through feedback mode.
#include <GL/glu.h>

#include <cmath>

#include "assets/display_lists.h"
#include "assets/models.h"
#include "assets/stage.h"
#include "assets/textures.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

using Stage = SceneGlTest;

constexpr int domeTriangles = 576, columnTriangles = 360, sphereTriangles = 576;
constexpr int stageListTriangles = 4 * domeTriangles + columnTriangles;

// Some GL state to start from, different from what the draws set.
void setOddState(bool texture, bool blend, bool depth) {
  texture ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
  blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  depth ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
  glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
  glBindTexture(GL_TEXTURE_2D, grassTexture);
}

// The centre of the window-space vertices of polygons [first, first + count).
void centroid(const std::vector<FeedbackPolygon>& polygons, size_t first, size_t count, double& x,
              double& y) {
  double sx = 0, sy = 0;
  size_t n = 0;
  for (size_t p = first; p < first + count && p < polygons.size(); ++p) {
    for (size_t v = 0; v + 2 < polygons[p].xyz.size(); v += 3) {
      sx += polygons[p].xyz[v];
      sy += polygons[p].xyz[v + 1];
      ++n;
    }
  }
  x = n ? sx / n : 0;
  y = n ? sy / n : 0;
}

TEST_F(Stage, EveryDrawHandsBackEnablesColourBindingAndMatrix) {
  void (*const draws[])() = {drawStage, drawFireMarker, drawEarthMarker, drawWaterMarker,
                             drawWindMarker};
  for (int bits = 0; bits < 8; ++bits) {
    for (auto draw : draws) {
      setOddState(bits & 1, bits & 2, bits & 4);
      const GlState before = captureGlState();
      draw();
      const GlState after = captureGlState();
      EXPECT_TRUE(after == before) << "before: " << before.describe() << "\nafter:  " << after.describe();
    }
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(Stage, StageListLeavesBlendingAndTexturingOffAndTheColourOpaqueWhite) {
  setOddState(true, true, true);
  glCallList(static_cast<GLuint>(stageList));
  const GlState after = captureGlState();
  EXPECT_FALSE(after.blend);
  EXPECT_FALSE(after.texture2d);
  EXPECT_EQ(after.color[0] + after.color[1] + after.color[2] + after.color[3], 4.0f);
}

TEST_F(Stage, QuadListsLeaveTheirTextureBoundAndTexturingOff) {
  setOddState(true, false, true);
  glCallList(static_cast<GLuint>(floorList));
  GlState after = captureGlState();
  EXPECT_EQ(after.boundTexture, static_cast<GLint>(floorTexture));
  EXPECT_FALSE(after.texture2d);

  setOddState(true, false, true);
  glCallList(static_cast<GLuint>(starfieldList));
  after = captureGlState();
  EXPECT_EQ(after.boundTexture, static_cast<GLint>(starfieldTexture));
  EXPECT_FALSE(after.texture2d);
  EXPECT_NE(floorTexture, starfieldTexture);
}

TEST_F(Stage, MarkersFadeWhileTheirSceneIsSelected) {
  struct Case {
    void (*draw)();
    int scene;
    float red, green, blue, selectedAlpha;
  };
  const Case markers[] = {{drawFireMarker, fireScene, 1, 1, 0, 0.025f},
                          {drawEarthMarker, earthScene, 0, 1, 0, 0.025f},
                          {drawWaterMarker, waterScene, 0, 0, 1, 0.025f},
                          {drawWindMarker, windScene, 1, 1, 1, 0.02f}};
  for (int selected = 0; selected < 4; ++selected) {
    sceneController.selectedScene = selected;
    for (const Case& marker : markers) {
      const auto polygons = capturePolygons(marker.draw);
      ASSERT_EQ(polygons.size(), 1633u) << "the marker sphere's sparse scatter";
      const float alpha = marker.scene == selected ? marker.selectedAlpha : 0.6f;
      const std::vector<float>& rgba = polygons[100].rgba;
      EXPECT_NEAR(rgba[0], marker.red, 1e-6);
      EXPECT_NEAR(rgba[1], marker.green, 1e-6);
      EXPECT_NEAR(rgba[2], marker.blue, 1e-6);
      EXPECT_NEAR(rgba[3], alpha, 1e-6) << "scene " << marker.scene << " selected " << selected;
    }
  }
}

TEST_F(Stage, MarkersSpinInPairsOppositeWays) {
  // Fire turned by an angle looks like earth turned by minus that angle (each
  // about its own centre); within a pair both turn alike.
  const auto shape = [](void (*draw)(), float angle) {
    sceneController.markerAngle = angle;
    const auto polygons = capturePolygons(draw);
    std::vector<float> relative;
    for (size_t p = 1; p < polygons.size(); p += 50) {
      for (int k = 0; k < 2; ++k) relative.push_back(polygons[p].xyz[k] - polygons[0].xyz[k]);
    }
    return relative;
  };
  const auto near = [](const std::vector<float>& a, const std::vector<float>& b) {
    for (size_t i = 0; i < a.size(); ++i) {
      if (std::fabs(a[i] - b[i]) > 0.02f) return false;
    }
    return a.size() == b.size() && !a.empty();
  };
  EXPECT_TRUE(near(shape(drawFireMarker, 30.0f), shape(drawEarthMarker, -30.0f)));
  EXPECT_TRUE(near(shape(drawWaterMarker, 30.0f), shape(drawWindMarker, -30.0f)));
  EXPECT_TRUE(near(shape(drawFireMarker, 30.0f), shape(drawWaterMarker, 30.0f)));
  EXPECT_FALSE(near(shape(drawFireMarker, 30.0f), shape(drawEarthMarker, 30.0f)));
}

TEST_F(Stage, SpheresSlideAlongTheirOwnWalkways) {
  for (int sphere = 0; sphere < 4; ++sphere) {
    sceneController = SceneController{};
    const auto before = capturePolygons(drawStage);
    ASSERT_GE(before.size(), static_cast<size_t>(stageListTriangles + 4 * sphereTriangles));
    sceneController.sphereOffset[sphere] += sphere % 2 == 0 ? -50.0f : 50.0f;
    const auto after = capturePolygons(drawStage);
    const size_t first = stageListTriangles + sphere * sphereTriangles;
    double x0, y0, x1, y1;
    centroid(before, first, sphereTriangles, x0, y0);
    centroid(after, first, sphereTriangles, x1, y1);
    // 50 model units at the stage's 0.1 scale, in pixels of the ortho view.
    const double pixels = 5.0 / (2 * viewHalfSize) * windowHeight;
    const bool alongY = sphere < 2;
    SCOPED_TRACE(sphere);
    EXPECT_NEAR(std::fabs(alongY ? y1 - y0 : (x1 - x0) * windowHeight / windowWidth), pixels, 1.0);
    EXPECT_NEAR(alongY ? x1 - x0 : y1 - y0, 0.0, 1e-3);
  }
}

TEST_F(Stage, DomeThreeStandsThreeUnitsAboveItsTable) {
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // the stage's height shows as window y
  const auto polygons = capturePolygons(drawStage);
  ASSERT_GE(polygons.size(), static_cast<size_t>(stageListTriangles));
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  for (int dome = 0; dome < 4; ++dome) {
    const Mesh& mesh = stageModel.mesh(2 + dome);
    const double lift = dome == 2 ? 3.0 : 0.0;
    const double* v = &mesh.vertices[3 * mesh.triangles[0]];
    double wx, wy, wz;
    gluProject(v[0] * 0.1, v[1] * 0.1, (v[2] + lift) * 0.1, model, projection, viewport, &wx, &wy,
               &wz);
    const FeedbackPolygon& first = polygons[dome * domeTriangles];
    EXPECT_NEAR(first.xyz[0], wx, 1e-2) << "dome " << dome + 1;
    EXPECT_NEAR(first.xyz[1], wy, 1e-2) << "dome " << dome + 1;
  }
}

}  // namespace
