#include "assets/stage.h"

void drawStage() {}
void drawFireMarker() {}
void drawEarthMarker() {}
void drawWaterMarker() {}
void drawWindMarker() {}
void drawStageList() {}
void drawWalkways() {}
void drawStarfieldQuad() {}
void drawFloorQuad() {}
