// Frame composition: the display callback and the frame-rate title.
#pragma once
#include <cstdint>

#include "app/scene_controller.h"

struct FrameRateCounter {
  uint32_t frameCount = 0;      // frames since the last title update
  uint32_t lastTitleTime = 0;   // clock reading at the last title update
  uint32_t framesPerSecond = 0; // the rate last shown
};
extern FrameRateCounter frameRateCounter;

constexpr int titleBufferSize = 100;

// How frames are handed to the renderer. The benchmark turns the hand-over
// off to compare; the program leaves it on.
struct FrameOptions {
  int handOver = 1;  // flush after the stage, the markers and each scene
};
extern FrameOptions frameOptions;

// Counts one frame at clock reading now. When a second or more has passed
// since the last update (unsigned difference, so a wrapping clock is fine) it
// writes the new title into title and returns true.
bool countFrame(FrameRateCounter& counter, uint32_t now, char (&title)[titleBufferSize]);

// The four scenes in their fixed drawing order. The one in front (by the
// carousel's slot map, app/controller.h) is drawn solid as the state stands,
// the others blended without depth test. Tests substitute recording draws here.
struct FrameScene {
  int scene;
  void (*draw)();
};
extern FrameScene frameScenes[sceneCount];

// Every frame's opening: clears, places the camera and draws the starfield
// (or takes both from the backdrop cache while the camera is at rest).
void clearAndDrawBackdrop();

// GLUT display callback: draws one whole frame and swaps buffers.
void displayFrame();
