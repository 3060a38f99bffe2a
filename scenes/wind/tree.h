// The tree of the wind scene: its meshes compiled into eight display lists,
// four of leaves and four of bark, one pair per sway group; each group turns
// back and forth about a tilted axis through the foot of the tree with its own
// step and amplitude, so the crown moves out of step.
#pragma once

constexpr int swayGroupCount = 4;

class Tree {
 public:
  int leafLists[swayGroupCount] = {0, 0, 0, 0};
  int branchLists[swayGroupCount] = {0, 0, 0, 0};

  void buildTreeLists();  // numbers and compiles lists 21 to 28
  void drawLeaves();      // the four leaf lists, each turned by its group's angle
  void drawBranches();    // the same for the bark lists
  void updateTree();      // one sway step of every group
};

extern Tree tree;

// The angle each group is drawn turned by (group 3 turns the other way), and
// the sway state behind it, for the tests and tools that watch the sway.
float swayAppliedAngle(int group);
float swayAngle(int group);
int swayRising(int group);
void resetSway();
