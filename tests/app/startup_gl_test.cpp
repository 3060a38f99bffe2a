// Start-up in a real GL context: the fixed state initGraphics leaves, the
// display lists it numbers and compiles, and the reshape projection.
#include <GL/gl.h>

#include <cmath>

#include "app/projection.h"
#include "app/startup.h"
#include "assets/display_lists.h"
#include "tests/app/shell_fixture.h"
#include "tests/support/gl_probe.h"

namespace {

class StartUp : public ShellTest {
 protected:
  static void SetUpTestSuite() { initGraphics(windowWidth, windowHeight); }
};

double degreesToRadians(double degrees) { return degrees * 3.14159265358979323846 / 180.0; }

void projection(GLdouble (&m)[16]) { glGetDoublev(GL_PROJECTION_MATRIX, m); }

TEST_F(StartUp, LeavesTheFixedGlState) {
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
  GLfloat depthClear = 0;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
  EXPECT_EQ(depthClear, 1.0f);
  GLint value = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LESS);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is switched on per draw, not at start-up";
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
  EXPECT_EQ(value, GL_NICEST);
  for (GLenum coord : {GL_S, GL_T}) {
    glGetTexGeniv(coord, GL_TEXTURE_GEN_MODE, &value);
    EXPECT_EQ(value, GL_SPHERE_MAP);
  }
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << "generation is only configured here";
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
  glGetIntegerv(GL_MATRIX_MODE, &value);
  EXPECT_EQ(value, GL_MODELVIEW);
  EXPECT_TRUE(pendingGlErrors().empty());
}

TEST_F(StartUp, SetsTheStartProjectionWithItsZeroNearPlane) {
  GLdouble m[16];
  projection(m);
  const double f = 1.0 / std::tan(degreesToRadians(80.0) / 2.0);
  EXPECT_NEAR(m[5], f, 1e-6);
  EXPECT_NEAR(m[0], f / (1024.0 / 768.0), 1e-6);
  EXPECT_NEAR(m[10], -1.0, 1e-9);
  EXPECT_NEAR(m[14], 0.0, 1e-9);
}

TEST_F(StartUp, NumbersTheNineFixedListsOneToNineAndCompilesThem) {
  const int lists[] = {landList, stageList,  markerList, starfieldList, oceanList,
                       floorList, birdList, poolList,   walkwayList};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(lists[i], i + 1);
    EXPECT_TRUE(glIsList(static_cast<GLuint>(lists[i]))) << "list " << lists[i];
  }
}

TEST_F(StartUp, ReshapeToHeightZeroUsesHeightOne) {
  reshapeWindow(1024, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 1);
  GLdouble m[16];
  projection(m);
  const double f = 1.0 / std::tan(degreesToRadians(45.0) / 2.0);
  EXPECT_NEAR(m[0], f / 1024.0, 1e-9);
  EXPECT_TRUE(std::isfinite(m[0]));
}

TEST_F(StartUp, ReshapeSetsTheDrawingProjection) {
  reshapeWindow(800, 600);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLdouble m[16];
  projection(m);
  const double f = 1.0 / std::tan(degreesToRadians(45.0) / 2.0);
  const double zNear = static_cast<double>(0.1f), zFar = 1000.0;
  EXPECT_NEAR(m[5], f, 1e-6);
  EXPECT_NEAR(m[0], f * 600.0 / 800.0, 1e-6);
  EXPECT_NEAR(m[10], -(zFar + zNear) / (zFar - zNear), 1e-6);
  EXPECT_NEAR(m[14], -2.0 * zFar * zNear / (zFar - zNear), 1e-6);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
