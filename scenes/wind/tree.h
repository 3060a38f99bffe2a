// The tree of the wind scene: its meshes compiled into eight display lists,
// a leaf list and a bark list for each sway group (scenes/wind/sway_groups.h);
// each group turns back and forth about a tilted axis through the foot of the
// tree with its own step and amplitude, so the crown moves out of step.
#pragma once
#include "scenes/wind/sway_groups.h"

// The tree's state: each sway group's angle (degrees) and whether it is
// swinging up (1) or back (0), and the display lists buildTreeLists compiled
// for each group (0 until then). A default record is the sway at rest.
struct TreeSway {
  float swayAngle[swayGroupCount] = {0.0f, 0.0f, 0.0f, 0.0f};
  int swayRising[swayGroupCount] = {1, 1, 1, 1};
  int leafLists[swayGroupCount] = {};
  int branchLists[swayGroupCount] = {};
};

extern TreeSway treeSway;

// The tree's operations; its state lives in treeSway.
class Tree {
 public:
  void buildTreeLists();  // compiles every group's leaf and bark lists
  void drawLeaves();      // the leaf lists, each turned by its group's angle
  void drawBranches();    // the same for the bark lists
  void updateTree();      // one sway step of every group
};

extern Tree tree;

// The angle a group is drawn turned by: its sway angle, the other way for a
// group whose direction is -1.
float swayAppliedAngle(int group);
