// The wind scene: the tree at about a quarter of model size on the wind side
// of the stage, leaves first, then branches, each part switchable from the
// menu while the sway goes on regardless.
#include "scenes/wind/wind_scene.h"

#include <GL/gl.h>

#include "app/scene_controller.h"
#include "assets/textures.h"
#include "scenes/wind/tree.h"

namespace {

constexpr float treePlacement[3] = {0.1f, -13.0f, 4.2f};
constexpr float treeScale = 0.26f;

}  // namespace

void drawWindScene() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glColor3f(treeGrey, treeGrey, treeGrey);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(treePlacement[0], treePlacement[1], treePlacement[2]);
  glScalef(treeScale, treeScale, treeScale);
  if (sceneController.showLeaves) {
    glBindTexture(GL_TEXTURE_2D, leafTexture);
    tree.drawLeaves();
  }
  if (sceneController.showBranches) {
    glBindTexture(GL_TEXTURE_2D, barkTexture);
    tree.drawBranches();
  }
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
}
