// Routines of the scene controller: the idle step, the arrow keys and the
// requests that keys and menus make.
#pragma once

// GLUT idle callback: one animation step of everything that moves.
void idleUpdate();

// Plans a return travel from the current zoom and height.
void computeTravelSteps();

// GLUT special-key callback: left/right turn the stage, up/down zoom.
void specialKeyPressed(int key, int x, int y);

// Requests made by keys and menus; they set flags that idleUpdate acts on.
void requestBackTurn();
void requestForwardTurn();
void requestSelection(int scene);
void requestBestView(int scene);
void requestReturn();

// The carousel slot of a count (its non-negative remainder by the number of
// scenes), the scene standing in a slot, and the slot a scene stands in.
int carouselSlot(int count);
int sceneInSlot(int slot);
int slotOfScene(int scene);

// The scene in front by the current carousel count.
int frontScene();
