// One-time set-up of GL state, textures and display lists; the quit routine.
#pragma once

// When set, initGraphics and startUp call it after each of their steps with
// the step's name, so a tool can check GL step by step; main leaves it unset.
extern void (*startUpStepDone)(const char* step);

// Fixed GL state, the manifest's textures, the fire's vertex array, the tree's
// lists and the nine fixed display lists. Needs a current GL context.
void initGraphics(int width, int height);

// Deletes the textures that are released at quit and ends with status 0.
[[noreturn]] void quitProgram();

// Everything main does before the GLUT loop, after seeding rand(): the heap's
// policy, the window, callbacks, menus, banner and initGraphics. The frame
// tool runs it too.
void startUp(int* argc, char** argv);
