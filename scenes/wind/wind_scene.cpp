#include "scenes/wind/wind_scene.h"

void drawWindScene() {}
