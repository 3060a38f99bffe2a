// The parts of the bird statue, each shaped in the bird's own frame: x points
// the way the bird faces, y to its left, z up (the same z as the model). The
// model turns the frame by 45 degrees about z, so the bird faces +x+y.
#pragma once
#include <vector>

#include "tools/modeller/bird_surface.h"

// Which leg or foot: the bird's right one lies on its -y side.
enum class BirdSide { right, left };

// Shapes are drawn for the right side; their y is multiplied by this.
inline double mirrorOf(BirdSide side) { return side == BirdSide::right ? 1.0 : -1.0; }

// The pose twists a little about z: the torso and the tail turn to the
// bird's left, the wings to its right (radians, about the frame's origin).
constexpr double birdTorsoTurn = 0.073;
constexpr double birdWingTurn = -0.1;

// A part: its surface, with exactly the triangle count of its mesh, and the
// seams along which it may be cut (paths of edges that start on an open
// edge), best first. The model cuts along them until the part has its
// mesh's vertex count.
struct BirdPart {
  Surface surface;
  std::vector<std::vector<int>> seams;
};

BirdPart buildBirdTorso();      // body and neck
BirdPart buildBirdWings();      // both wings and the tail fan
BirdPart buildBirdLeg(BirdSide side);
BirdPart buildBirdFoot(BirdSide side, double ground);  // toes and claws stand on z = ground
BirdPart buildBirdHead();       // the head's main shell
BirdPart buildBirdHood();       // the crown and nape plumage over it
BirdPart buildBirdUpperBeak();
BirdPart buildBirdLowerBeak();
