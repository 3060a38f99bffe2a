// Numbers of the nine fixed display lists, assigned at start-up (never taken
// from glGenLists) and read by whoever calls the lists.
#pragma once

extern int landList;       // 1: earth landscape
extern int stageList;      // 2: domes and column
extern int markerList;     // 3: the marker sphere
extern int starfieldList;  // 4: the backdrop quad
extern int oceanList;      // 5: earth water sheet
extern int floorList;      // 6: the floor quad
extern int birdList;       // 7: one bird statue
extern int poolList;       // 8: the pool
extern int walkwayList;    // 9: the four walkways

// Gives the nine globals their numbers 1 to 9: GL names of display lists,
// which start at 1 (0 names no list), not positions.
void assignListNumbers();
