// The recipes that paint the program's textures, one per texture manifest
// row. Each is deterministic: its seeds are fixed and it draws from no shared
// random state.
#pragma once
#include "tools/texgen/color_image.h"

ColorImage paintStone();      // grey carved stone, tiles
ColorImage paintGrass();      // dense grass seen from above, tiles
ColorImage paintBark();       // brown bark with vertical furrows, tiles
ColorImage paintLeaves();     // a dense mass of small leaves, tiles
ColorImage paintStarfield();  // deep space: stars and faint nebula
ColorImage paintOcean();      // open water seen from above
ColorImage paintWhiteMarble();  // pale marble with grey veins, tiles
ColorImage paintGreenMarble();  // dark green marble with pale veins, tiles
ColorImage paintPoolTiles();    // pool-floor ceramic tiles, tiles
ColorImage paintBrushedMetal();  // brushed, polished steel, tiles
ColorImage paintTreadPlate();    // raised diamond tread plate, tiles
