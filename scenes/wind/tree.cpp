#include "scenes/wind/tree.h"

Tree tree;

void Tree::buildTreeLists() {}
void Tree::drawLeaves() {}
void Tree::drawBranches() {}
void Tree::updateTree() {}
