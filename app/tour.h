// The tour (--tour): after the intro the program shows its own scenes, one
// after another for as long as it runs: each comes to the front, the camera
// travels in to its best view, the scene shows what it can do, the camera
// comes back, and the next scene follows. It acts only through the requests
// the keys and menus make, paced in frames, so the frame tool can draw it.
#pragma once

// One step: how many frames to show what stands, then what to do.
struct TourStep {
  int holdFrames;
  void (*act)();
  const char* what;  // for people reading the table or a storyboard
};

// The steps of one round, in order; the tour goes round them again and again.
extern const TourStep tourSteps[];
extern const int tourStepCount;

struct TourState {
  int active = 0;      // the tour drives the program
  int step = 0;        // the step whose action comes next, counted from 0
  int framesLeft = 0;  // frames until that action
};
extern TourState tourState;

// Starts the tour from its first step.
void startTour();

// Hands the program back to the user, who carries on from where it stands.
void endTour();

// One frame of the tour: counts down and acts when a step's time has come.
// Waits while the intro plays. Called by each idle step while the tour runs.
void advanceTour();

// Frames from the tour's start until step's action is taken (0-based step).
int tourFramesUntil(int step);
