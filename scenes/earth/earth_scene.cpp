// The earth scene: a grass hill landscape (list 1) that turns slowly about its
// own vertical axis, with a water sheet (list 5) drawn first that rocks a few
// degrees about a diagonal axis and can be switched off. Seen at 1/200 of
// model size on the earth side of the stage.
#include "scenes/earth/earth_scene.h"

#include <GL/gl.h>

#include "app/scene_controller.h"
#include "assets/display_lists.h"
#include "assets/textures.h"

namespace {

constexpr float earthScale = 0.005f;
constexpr float earthPlacement[3] = {0.0f, 12.7f, 6.7f};
constexpr float earthQuarterTurn = 90.0f;

}  // namespace

void drawEarthScene() {
  const SceneController& c = sceneController;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, oceanTexture);
  glEnable(GL_TEXTURE_2D);

  glPushMatrix();
  glRotatef(earthQuarterTurn, 0.0f, 0.0f, 1.0f);
  glTranslatef(earthPlacement[0], earthPlacement[1], earthPlacement[2]);
  glScalef(earthScale, earthScale, earthScale);
  glRotatef(static_cast<float>(c.earthSpin), 0.0f, 0.0f, 1.0f);
  if (c.showOcean) {
    glBindTexture(GL_TEXTURE_2D, oceanTexture);
    glPushMatrix();
    glRotatef(c.oceanWobble, 1.0f, 0.0f, 1.0f);
    glCallList(static_cast<GLuint>(oceanList));
    glPopMatrix();
  }
  glBindTexture(GL_TEXTURE_2D, grassTexture);
  glCallList(static_cast<GLuint>(landList));
  glPopMatrix();

  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
}
