#include "assets/display_lists.h"

int landList = 0;
int stageList = 0;
int markerList = 0;
int starfieldList = 0;
int oceanList = 0;
int floorList = 0;
int birdList = 0;
int poolList = 0;
int walkwayList = 0;

void assignListNumbers() {
  landList = 1;
  stageList = 2;
  markerList = 3;
  starfieldList = 4;
  oceanList = 5;
  floorList = 6;
  birdList = 7;
  poolList = 8;
  walkwayList = 9;
}
