#include "scenes/water/water_scene.h"

void drawWaterScene() {}
