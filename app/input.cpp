#include "app/input.h"

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/startup.h"
#include "app/window.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/water/ripple_surface.h"

namespace {

constexpr unsigned char escapeKey = 27;
constexpr double heightStep = 0.2;  // double step, stored back as float
constexpr float heightLimit = 4.0f;

void moveHeight(double step) {
  sceneController.cameraHeight = static_cast<float>(sceneController.cameraHeight + step);
}

void toggle(int& flag) { flag = flag == 0 ? 1 : 0; }

}  // namespace

void keyPressed(unsigned char key, int, int) {
  switch (key) {
    case escapeKey:
      quitProgram();
      return;
    case '+':
      if (sceneController.cameraHeight > -heightLimit) moveHeight(-heightStep);
      break;
    case '-':
      if (sceneController.cameraHeight < heightLimit) moveHeight(heightStep);
      break;
    case '1':
      requestSelection(windScene);
      break;
    case '2':
      requestSelection(earthScene);
      break;
    case '3':
      requestSelection(fireScene);
      break;
    case '4':
      requestSelection(waterScene);
      break;
    case 'c':
      fireEffect.explode();
      break;
    case 'd':
      rippleSurface.makeDrop();
      break;
    case 'r':
      fireEffect.reset();
      break;
    default:
      break;
  }
  windowCalls.postRedisplay();
}

void mainMenuSelected(int value) {
  switch (value) {
    case menuSelectWind:
      keyPressed('1', 0, 0);
      break;
    case menuSelectEarth:
      keyPressed('2', 0, 0);
      break;
    case menuSelectFire:
      keyPressed('3', 0, 0);
      break;
    case menuSelectWater:
      keyPressed('4', 0, 0);
      break;
    case menuZoomIn:
      specialKeyPressed(specialKeyUp, 0, 0);
      break;
    case menuZoomOut:
      specialKeyPressed(specialKeyDown, 0, 0);
      break;
    case menuMoveUp:
      moveHeight(-heightStep);
      break;
    case menuMoveDown:
      moveHeight(heightStep);
      break;
    case menuResetZoom:
      requestReturn();
      break;
    case menuQuit:
      quitProgram();
      break;
    default:
      break;
  }
}

void fireMenuSelected(int value) {
  switch (value) {
    case fireExplode:
      fireEffect.explode();
      break;
    case fireReset:
      fireEffect.reset();
      break;
    case fireBestZoom:
      requestBestView(fireScene);
      break;
    default:
      break;
  }
}

void windMenuSelected(int value) {
  switch (value) {
    case windLeaves:
      toggle(sceneController.showLeaves);
      break;
    case windBranches:
      toggle(sceneController.showBranches);
      break;
    case windBestZoom:
      requestBestView(windScene);
      break;
    default:
      break;
  }
}

void waterMenuSelected(int value) {
  switch (value) {
    case waterBirds:
      toggle(sceneController.showBirds);
      break;
    case waterDrop:
      rippleSurface.makeDrop();
      break;
    case waterBestZoom:
      requestBestView(waterScene);
      break;
    default:
      break;
  }
}

void earthMenuSelected(int value) {
  switch (value) {
    case earthWater:
      toggle(sceneController.showOcean);
      break;
    case earthBestZoom:
      requestBestView(earthScene);
      break;
    default:
      break;
  }
}
