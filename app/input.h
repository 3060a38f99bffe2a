// Keyboard and menu callbacks: they map input onto the scene controller's
// requests and the scenes' actions. The main menu forwards its selection and
// zoom entries to the key callbacks, so keys and menu share one path.
#pragma once

// Menu entry values of the main menu. They are names, not positions: they
// start at 1 so that 0 never names an entry.
enum MainMenuValue {
  menuSelectWind = 1,
  menuSelectEarth = 2,
  menuSelectFire = 3,
  menuSelectWater = 4,
  menuZoomIn = 5,
  menuZoomOut = 6,
  menuMoveUp = 7,
  menuMoveDown = 8,
  menuResetZoom = 9,
  menuQuit = 10,
};

// Entry values of the four option submenus, named the same way.
enum FireMenuValue { fireExplode = 1, fireReset = 2, fireBestZoom = 3 };
enum WindMenuValue { windLeaves = 1, windBranches = 2, windBestZoom = 3 };
enum WaterMenuValue { waterBirds = 1, waterDrop = 2, waterBestZoom = 3 };
enum EarthMenuValue { earthWater = 1, earthBestZoom = 2 };

// GLUT keyboard callback; requests a redisplay after every key but Escape.
void keyPressed(unsigned char key, int x, int y);

void mainMenuSelected(int value);
void windMenuSelected(int value);
void earthMenuSelected(int value);
void fireMenuSelected(int value);
void waterMenuSelected(int value);
