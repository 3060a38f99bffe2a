#include "scenes/water/water_scene.h"

#include <GL/gl.h>

#include "app/scene_controller.h"
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "scenes/water/ripple_surface.h"

namespace {

// Grey the pool's marble walls take.
constexpr float poolGrey = 0.7f;
// The pool's place on the stage and its scale.
constexpr float poolOffset[3] = {0.1f, 13.0f, 5.2f};
constexpr float poolScale = 0.02f;
// The floor tile is scaled up to the basin and stood in its bottom plane.
constexpr float floorScale = 10.0f;
constexpr float floorTilt = 90.0f;

// One bird statue's place at a corner of the basin.
struct BirdPlacement {
  float x;
  float y;
  float z;
  float turn;  // degrees about z
};
constexpr BirdPlacement birdPlacements[4] = {
    {-90.0f, -70.0f, -20.0f, 0.0f},
    {90.0f, 80.0f, -20.0f, 180.0f},
    {-90.0f, 80.0f, -20.0f, -90.0f},
    {90.0f, -70.0f, -20.0f, 90.0f},
};

// The surface's grid is centred on the basin, lifted above the floor and
// turned so its heights point down the pool's z.
constexpr float surfaceScale = 1.8f;
constexpr float surfaceCentring = static_cast<float>(-rippleGridExtent / 2);
constexpr float surfaceOffset[3] = {surfaceCentring, surfaceCentring, 6.0f};
constexpr float surfaceTilt = -90.0f;

void drawFloor() {
  glColor3f(1.0f, 1.0f, 1.0f);
  glPushMatrix();
  glRotatef(floorTilt, 1.0f, 0.0f, 0.0f);
  glScalef(floorScale, floorScale, floorScale);
  glCallList(static_cast<GLuint>(floorList));
  glPopMatrix();
}

void drawBirds() {
  glBindTexture(GL_TEXTURE_2D, marble4Texture);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  for (const BirdPlacement& bird : birdPlacements) {
    glPushMatrix();
    glTranslatef(bird.x, bird.y, bird.z);
    if (bird.turn != 0.0f) glRotatef(bird.turn, 0.0f, 0.0f, 1.0f);
    glCallList(static_cast<GLuint>(birdList));
    glPopMatrix();
  }
}

// The liquid: blended over what lies behind, with its own state saved and
// restored, and advanced one step by being drawn.
void drawLiquid() {
  glBindTexture(GL_TEXTURE_2D, starfieldTexture);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_BLEND);
  rippleSurface.setupSurfaceState();
  glPushMatrix();
  glScalef(surfaceScale, surfaceScale, surfaceScale);
  glTranslatef(surfaceOffset[0], surfaceOffset[1], surfaceOffset[2]);
  glRotatef(surfaceTilt, 1.0f, 0.0f, 0.0f);
  glEnable(GL_TEXTURE_2D);
  rippleSurface.drawAndStep();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace

// Pool, floor, the birds when shown, and the liquid only while water is the
// selected scene. Leaves texturing off and the colour white.
void drawWaterScene() {
  glColor3f(poolGrey, poolGrey, poolGrey);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(poolOffset[0], poolOffset[1], poolOffset[2]);
  glScalef(poolScale, poolScale, poolScale);

  glBindTexture(GL_TEXTURE_2D, marble2Texture);
  glCallList(static_cast<GLuint>(poolList));
  drawFloor();
  if (sceneController.showBirds) drawBirds();
  if (sceneController.selectedScene == waterScene) drawLiquid();

  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
}
