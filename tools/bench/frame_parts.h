// Where a frame's time goes: one program frame with glFinish before and
// after each scene's draw, so that each part's drawing is done, and timed,
// before the next part starts. The sum is a little above a normal frame,
// whose parts overlap in GL's threads; the split is what it shows.
#pragma once
#include <string>
#include <vector>

// The parts in drawing order: everything before the first scene (clear,
// backdrop, stage, markers), the four scenes in their drawing order, the swap.
std::vector<std::string> framePartNames();

// Runs one idle step and one display so timed; milliseconds per part, in
// the order of framePartNames.
std::vector<double> runPartTimedFrame();
