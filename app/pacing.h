// A steady pace for the main loop (--fps): at most so many frames a second,
// measured on the monotonic clock, the time left in each frame slept away.
#pragma once
#include <cstdint>

// The pace itself is the --fps option (programOptions.framesPerSecond; 0
// leaves frames unpaced).
struct FramePacing {
  uint64_t nextFrame = 0;  // monotonic nanoseconds before which no frame starts
};
extern FramePacing framePacing;

// Sleeps until the next frame may start and books the slot after it. A frame
// that starts late books its successor a whole period on, so a stall is not
// followed by a burst of hurried frames.
void waitForFrameSlot();

// Books the next slot a whole period from now, after a pause: the frame on
// screen stays for a period before the animations go on.
void restartPacing();
