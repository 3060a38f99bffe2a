#include "app/pacing.h"

#include "app/command_line.h"
#include "platform/clock.h"

FramePacing framePacing;

namespace {

constexpr uint64_t nanosecondsPerSecond = 1000000000u;

}  // namespace

void waitForFrameSlot() {
  FramePacing& pacing = framePacing;
  const int framesPerSecond = programOptions.framesPerSecond;
  if (framesPerSecond <= 0) return;
  uint64_t start = monotonicNanoseconds();
  if (pacing.nextFrame > start) {
    sleepUntilNanoseconds(pacing.nextFrame);
    start = pacing.nextFrame;
  }
  pacing.nextFrame = start + nanosecondsPerSecond / static_cast<uint64_t>(framesPerSecond);
}

void restartPacing() {
  const int framesPerSecond = programOptions.framesPerSecond;
  if (framesPerSecond <= 0) return;
  framePacing.nextFrame =
      monotonicNanoseconds() + nanosecondsPerSecond / static_cast<uint64_t>(framesPerSecond);
}
