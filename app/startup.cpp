#include "app/startup.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "app/projection.h"
#include "app/window.h"
#include "assets/display_lists.h"
#include "assets/models.h"
#include "assets/stage.h"
#include "assets/textures.h"
#include "platform/heap.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/wind/tree.h"

namespace {

// Tells the start-up observer, if any, that a step has been done.
void stepDone(const char* step) {
  if (startUpStepDone) startUpStepDone(step);
}

void compileList(int number, void (*content)()) {
  glNewList(static_cast<GLuint>(number), GL_COMPILE);
  content();
  glEndList();
  char step[32];
  std::snprintf(step, sizeof step, "display list %d", number);
  stepDone(step);
}

void drawLandMesh() { earthModel.drawLand(); }
void drawOceanMesh() { earthModel.drawOcean(); }
void drawMarkerSphere() { markerModel.drawAll(); }
void drawBird() { birdModel.drawAll(); }
void drawPool() { poolModel.drawAll(); }

}  // namespace

void (*startUpStepDone)(const char* step) = nullptr;

void initGraphics(int width, int height) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  stepDone("clear colour and depth test");
  glColor3f(1.0f, 1.0f, 1.0f);
  stepDone("current colour");
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive; blending itself is switched per draw
  stepDone("blend function");
  setStartUpProjection(width, height);
  stepDone("start-up projection");
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  stepDone("perspective hint");
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  stepDone("sphere-map texture generation");

  loadProgramTextures();
  stepDone("textures");
  assignListNumbers();
  fireEffect.init();
  stepDone("fire vertex array");
  tree.buildTreeLists();
  stepDone("tree lists");

  compileList(landList, drawLandMesh);
  compileList(oceanList, drawOceanMesh);
  compileList(stageList, drawStageList);
  compileList(walkwayList, drawWalkways);
  compileList(markerList, drawMarkerSphere);
  compileList(starfieldList, drawStarfieldQuad);
  compileList(birdList, drawBird);
  compileList(poolList, drawPool);
  compileList(floorList, drawFloorQuad);
}

void quitProgram() {
  deleteProgramTextures();
  std::exit(0);
}

void startUp(int* argc, char** argv) {
  keepFreedHeapPages();
  openWindow(argc, argv);
  stepDone("window and menus");
  initGraphics(windowWidth, windowHeight);
}
