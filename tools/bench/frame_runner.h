// Drives the program's real idle and display callbacks frame by frame, brings
// each scene to the front through the program's own input, and times frames:
// the program's whole frame and the floor frame beside it.
#pragma once
#include <string>
#include <vector>

// The measured cases, in the order they run.
constexpr const char* introCase = "intro";
constexpr const char* windCase = "wind";
constexpr const char* earthCase = "earth";
constexpr const char* fireCase = "fire, orbiting";
constexpr const char* burstCase = "fire, burst";
constexpr const char* waterCase = "water, ripples live";

// The seed the benchmark gives rand(), so every run draws the same bursts
// and drops.
constexpr unsigned int benchSeed = 1;

// How many frames a case measures and how it warms up.
struct RunSettings {
  int frames = 300;      // measured frames per case, each way
  int warmup = 30;       // frames run first and not measured
  int floorBlock = 10;   // floor frames follow each block of this many frames
  int partFrames = 60;   // frames timed part by part after the stage cases; 0 for none
  bool compare = true;   // also measure frames drawn the earlier way, block by block
};

// The two ways of drawing a frame the benchmark compares: as the program
// draws it, and as it drew it before frames were handed over in parts and
// started from a kept backdrop (one piece, its opening drawn in full).
enum class Drawing { current, earlier };

// Frames of one case drawn one way, in milliseconds, in frame order.
struct FrameSamples {
  std::vector<double> frame;    // idle step + display + swap, finished
  std::vector<double> mainCpu;  // the main thread's CPU time of those frames
  std::vector<double> allCpu;   // every thread's CPU time of those frames
  std::vector<double> floor;    // the opening (clear and backdrop) + swap, finished
};

// One case's raw samples.
struct CaseSamples {
  std::string name;
  FrameSamples current;
  FrameSamples earlier;  // empty unless the run compares
  // Frames timed part by part (stage cases only), each in framePartNames order.
  std::vector<std::vector<double>> parts;
};

// Sets the program to draw its frames the given way.
void useDrawing(Drawing drawing);

// One idle step and one display (which swaps), then glFinish.
void runProgramFrame();

// What every frame draws before its content: clear, camera, backdrop; then
// the swap and glFinish. No animation advances.
void runFloorFrame();

// Runs frames until the intro has ended. False if it never ends.
bool finishIntro();

// The measured cases in order: the intro (replayed from its start as often
// as needed), wind, earth, fire orbiting, fire during its burst, and water
// with live ripples; only those named in only, unless it is empty. Names each
// case on stderr as it starts. Empty when a scene cannot be brought to front.
std::vector<CaseSamples> runFrameCases(const RunSettings& settings,
                                       const std::vector<std::string>& only);
