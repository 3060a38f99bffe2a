// Stage scenery: column, domes, walkways, sliding spheres, the four scene
// markers, the starfield backdrop and the floor quad.
#pragma once

// The stage model's first sliding sphere (mesh numbers count from 1); the
// other three follow it.
constexpr int firstSphereMesh = 10;

// The stage in the current (stage) frame, every normal frame.
void drawStage();

// One scene marker each; called blended with the depth test off.
void drawFireMarker();
void drawEarthMarker();
void drawWaterMarker();
void drawWindMarker();

// Contents of the fixed lists compiled at start-up.
void drawStageList();      // stageList: domes and column
void drawWalkways();       // walkwayList: the four walkways
void drawStarfieldQuad();  // starfieldList: the backdrop
// The starfield quad: a square of this half side, this far behind the
// stage's centre (in the frame's camera space, before the stage turns).
constexpr float starfieldHalfSide = 30.0f;
constexpr float starfieldDepth = 15.0f;
// Widens the backdrop for a view wider than the quad: mirrored copies of the
// starfield continue it to the left and right out to reach (in the quad's
// units), so the stars keep their size and meet without a seam.
void drawStarfieldSides(float reach);
// The state drawing the starfield quad leaves behind, without drawing it: its
// texture bound, texturing off and its last corner's texture coordinate.
void leaveStarfieldQuadState();
void drawFloorQuad();      // floorList: the floor tile
