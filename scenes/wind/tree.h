// The tree of the wind scene: eight display lists and the sway of its four
// groups.
#pragma once

class Tree {
 public:
  int leafLists[4] = {0, 0, 0, 0};
  int branchLists[4] = {0, 0, 0, 0};

  void buildTreeLists();  // compiles lists 21 to 28
  void drawLeaves();
  void drawBranches();
  void updateTree();      // one sway step
};

extern Tree tree;
