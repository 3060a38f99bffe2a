// The stage: a textured column and four translucent domes (stageList), four
// walkways (walkwayList) and four spheres that slide along them, drawn in the
// stage frame at a tenth of model size; four sparse markers above the domes;
// and two textured quads compiled into lists, the starfield backdrop and the
// pool's floor tile.
#include "assets/stage.h"

#include <GL/gl.h>

#include "app/scene_controller.h"
#include "assets/display_lists.h"
#include "assets/mesh.h"
#include "assets/models.h"
#include "assets/textures.h"

namespace {

constexpr float stageScale = 0.1f;
constexpr float dome3Lift = 3.0f;  // stageDome3 stands this much higher than its table

// stageModel mesh numbers (from 1, as in the catalogue).
constexpr int columnMesh = 1;
constexpr int firstDomeMesh = 2;
constexpr int firstWalkwayMesh = 6;
constexpr int sphereCount = SceneController::sphereCount;

// stageSphere1 and stageSphere2 slide along y, stageSphere3 and stageSphere4
// along x.
constexpr bool sphereSlidesAlongY[sphereCount] = {true, true, false, false};

struct Marker {
  int scene;
  float colour[3];
  float selectedAlpha;  // while its scene is the selected one
  float position[3];
  float spin;           // +1 or -1 times markerAngle
};

constexpr float markerAlpha = 0.6f;
constexpr float markerScale = 0.3f;

constexpr Marker fireMarker = {fireScene, {1.0f, 1.0f, 0.0f}, 0.025f, {13.0f, 0.1f, 7.2f}, -1.0f};
constexpr Marker earthMarker = {earthScene, {0.0f, 1.0f, 0.0f}, 0.025f, {-12.7f, 0.1f, 7.2f}, 1.0f};
constexpr Marker waterMarker = {waterScene, {0.0f, 0.0f, 1.0f}, 0.025f, {0.1f, 13.0f, 7.2f}, -1.0f};
constexpr Marker windMarker = {windScene, {1.0f, 1.0f, 1.0f}, 0.02f, {0.1f, -13.0f, 7.2f}, 1.0f};

// One marker: tinted, nearly invisible while its scene is selected, spinning.
void drawMarker(const Marker& marker) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  const bool selected = sceneController.selectedScene == marker.scene;
  glColor4f(marker.colour[0], marker.colour[1], marker.colour[2],
            selected ? marker.selectedAlpha : markerAlpha);
  glPushMatrix();
  glTranslatef(marker.position[0], marker.position[1], marker.position[2]);
  glScalef(markerScale, markerScale, markerScale);
  glRotatef(marker.spin * sceneController.markerAngle, 1.0f, 0.0f, 0.0f);
  glCallList(static_cast<GLuint>(markerList));
  glPopMatrix();
  glPopAttrib();
}

// A textured quad: its texture bound and enabled, four corners in order.
struct TexturedQuad {
  float texCoords[4][2];
  float corners[4][3];
};

constexpr TexturedQuad starfieldQuad = {
    {{0, 0}, {0, 1}, {1, 1}, {1, 0}},
    {{-starfieldHalfSide, -starfieldHalfSide, -starfieldDepth},
     {-starfieldHalfSide, starfieldHalfSide, -starfieldDepth},
     {starfieldHalfSide, starfieldHalfSide, -starfieldDepth},
     {starfieldHalfSide, -starfieldHalfSide, -starfieldDepth}}};

// The floor tile repeats its texture 6.5 times along each side.
constexpr TexturedQuad floorQuad = {
    {{0, 0}, {0, 6.5f}, {6.5f, 6.5f}, {6.5f, 0}},
    {{-10, 0, -10}, {-10, 0, 10}, {10, 0, 10}, {10, 0, -10}}};

void drawTexturedQuad(GLuint texture, const TexturedQuad& quad) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(quad.texCoords[i][0], quad.texCoords[i][1]);
    glVertex3f(quad.corners[i][0], quad.corners[i][1], quad.corners[i][2]);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

void drawStageList() {
  drawMesh(stageModel.mesh(firstDomeMesh));
  drawMesh(stageModel.mesh(firstDomeMesh + 1));
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, dome3Lift);
  drawMesh(stageModel.mesh(firstDomeMesh + 2));
  glPopMatrix();
  drawMesh(stageModel.mesh(firstDomeMesh + 3));
  drawMesh(stageModel.mesh(columnMesh));
}

void drawWalkways() {
  for (int i = 0; i < 4; ++i) drawMesh(stageModel.mesh(firstWalkwayMesh + i));
}

void drawStage() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushMatrix();
  glScalef(stageScale, stageScale, stageScale);
  glBindTexture(GL_TEXTURE_2D, metal3Texture);
  glDisable(GL_TEXTURE_2D);
  glCallList(static_cast<GLuint>(stageList));
  for (int i = 0; i < sphereCount; ++i) {
    const float offset = sceneController.sphereOffset[i];
    glPushMatrix();
    if (sphereSlidesAlongY[i]) {
      glTranslatef(0.0f, offset, 0.0f);
    } else {
      glTranslatef(offset, 0.0f, 0.0f);
    }
    drawMesh(stageModel.mesh(firstSphereMesh + i));
    glPopMatrix();
  }
  glBindTexture(GL_TEXTURE_2D, metal1Texture);
  glCallList(static_cast<GLuint>(walkwayList));
  glPopMatrix();
  glPopAttrib();
}

void drawFireMarker() { drawMarker(fireMarker); }
void drawEarthMarker() { drawMarker(earthMarker); }
void drawWaterMarker() { drawMarker(waterMarker); }
void drawWindMarker() { drawMarker(windMarker); }

void drawStarfieldQuad() { drawTexturedQuad(starfieldTexture, starfieldQuad); }

void drawStarfieldSides(float reach) {
  const float side = 2.0f * starfieldHalfSide;
  if (reach <= starfieldHalfSide) return;
  glBindTexture(GL_TEXTURE_2D, starfieldTexture);
  glEnable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  // Copy k (1, 2, ...) spans [s + (k - 1) side, s + k side] on the right and
  // its mirror image on the left; odd copies run the texture backwards, so
  // each meets its neighbour at the same texels.
  for (int k = 1; starfieldHalfSide + (k - 1) * side < reach; ++k) {
    const float inner = starfieldHalfSide + (k - 1) * side;
    const float outer = inner + side < reach ? inner + side : reach;
    const float innerS = k % 2 == 1 ? 1.0f : 0.0f;
    const float outerS = innerS + (k % 2 == 1 ? -1.0f : 1.0f) * (outer - inner) / side;
    for (const float sign : {1.0f, -1.0f}) {
      // On the left the quad's s runs from 0 at its edge, so mirror s too.
      const float a = sign > 0 ? innerS : 1.0f - innerS;
      const float b = sign > 0 ? outerS : 1.0f - outerS;
      glTexCoord2f(a, 0.0f);
      glVertex3f(sign * inner, -starfieldHalfSide, -starfieldDepth);
      glTexCoord2f(a, 1.0f);
      glVertex3f(sign * inner, starfieldHalfSide, -starfieldDepth);
      glTexCoord2f(b, 1.0f);
      glVertex3f(sign * outer, starfieldHalfSide, -starfieldDepth);
      glTexCoord2f(b, 0.0f);
      glVertex3f(sign * outer, -starfieldHalfSide, -starfieldDepth);
    }
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  // The current texture coordinate as the quad alone leaves it.
  glTexCoord2fv(starfieldQuad.texCoords[3]);
}

void leaveStarfieldQuadState() {
  glBindTexture(GL_TEXTURE_2D, starfieldTexture);
  glDisable(GL_TEXTURE_2D);
  glTexCoord2fv(starfieldQuad.texCoords[3]);
}
void drawFloorQuad() { drawTexturedQuad(floorTexture, floorQuad); }
