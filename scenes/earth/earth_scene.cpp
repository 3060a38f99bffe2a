#include "scenes/earth/earth_scene.h"

void drawEarthScene() {}
