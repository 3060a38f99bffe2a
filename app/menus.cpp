#include "app/menus.h"

#include <GL/freeglut.h>

#include "app/input.h"

void buildMenus() {
  const int fireMenu = glutCreateMenu(fireMenuSelected);
  glutAddMenuEntry("Explode", fireExplode);
  glutAddMenuEntry("Reset", fireReset);
  glutAddMenuEntry("Best Zoom", fireBestZoom);

  const int windMenu = glutCreateMenu(windMenuSelected);
  glutAddMenuEntry("Leaves On/Off", windLeaves);
  glutAddMenuEntry("Branches On/Off", windBranches);
  glutAddMenuEntry("Best Zoom", windBestZoom);

  const int waterMenu = glutCreateMenu(waterMenuSelected);
  glutAddMenuEntry("Draw Birds On/Off", waterBirds);
  glutAddMenuEntry("Make Drop", waterDrop);
  glutAddMenuEntry("Best Zoom", waterBestZoom);

  const int earthMenu = glutCreateMenu(earthMenuSelected);
  glutAddMenuEntry("Water On/Off", earthWater);
  glutAddMenuEntry("Best Zoom", earthBestZoom);

  glutCreateMenu(mainMenuSelected);
  glutAddMenuEntry("Select Wind (1)", menuSelectWind);
  glutAddSubMenu("Wind Options", windMenu);
  glutAddMenuEntry("Select Earth (2)", menuSelectEarth);
  glutAddSubMenu("Earth Options", earthMenu);
  glutAddMenuEntry("Select Fire (3)", menuSelectFire);
  glutAddSubMenu("Fire Options", fireMenu);
  glutAddMenuEntry("Select Water (4)", menuSelectWater);
  glutAddSubMenu("Water Options", waterMenu);
  glutAddMenuEntry("Zoom In", menuZoomIn);
  glutAddMenuEntry("Zoom Out", menuZoomOut);
  glutAddMenuEntry("Move Up", menuMoveUp);
  glutAddMenuEntry("Move Down", menuMoveDown);
  glutAddMenuEntry("Reset Zoom", menuResetZoom);
  glutAddMenuEntry("QUIT", menuQuit);
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}
