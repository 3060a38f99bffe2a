// Stage scenery: column, domes, walkways, sliding spheres, the four scene
// markers, the starfield backdrop and the floor quad.
#pragma once

// The stage in the current (stage) frame, every normal frame.
void drawStage();

// One scene marker each; called blended with the depth test off.
void drawFireMarker();
void drawEarthMarker();
void drawWaterMarker();
void drawWindMarker();

// Contents of the fixed lists compiled at start-up.
void drawStageList();      // list 2: domes and column
void drawWalkways();       // list 9: the four walkways
void drawStarfieldQuad();  // list 4: the backdrop
// The state drawing the starfield quad leaves behind, without drawing it: its
// texture bound, texturing off and its last corner's texture coordinate.
void leaveStarfieldQuadState();
void drawFloorQuad();      // list 6: the floor tile
