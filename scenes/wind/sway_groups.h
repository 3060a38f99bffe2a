// The tree's four sway groups, in one table read by the wind scene, by the
// modeller that grows the tree and by the tests: which of the tree model's
// meshes each group holds, the display lists the scene compiles them into,
// and how each group swings.
//
// Mesh numbers are the tree model's catalogue numbers, counted from 1 (odd
// meshes bark, even ones leaves); groups are counted from 0. A group starts
// at its stem, the first bark mesh that rises from the foot of the trunk, and
// runs to the mesh before the next group's stem, the last group to the
// model's last mesh.
#pragma once

struct SwayGroup {
  int stemMesh;
  int leafList;      // display list of the group's leaf meshes
  int branchList;    // display list of its bark meshes
  double step;       // degrees a frame, summed in double
  float top;         // the angle at which the swing turns back
  float direction;   // +1, or -1 for the group that turns the other way
};

constexpr int swayGroupCount = 4;

constexpr SwayGroup swayGroups[swayGroupCount] = {
    {1, 21, 25, 0.15, 6.0f, 1.0f},
    {47, 22, 26, 0.2, 6.0f, 1.0f},
    {61, 23, 27, 0.15, 7.0f, -1.0f},
    {69, 24, 28, 0.19, 8.0f, 1.0f},
};

// The last mesh of a group, in a tree model of meshCount meshes.
constexpr int swayGroupLastMesh(int group, int meshCount) {
  return group + 1 < swayGroupCount ? swayGroups[group + 1].stemMesh - 1 : meshCount;
}

// The group a mesh belongs to.
constexpr int swayGroupOf(int mesh) {
  int group = 0;
  for (int g = 0; g < swayGroupCount; ++g) {
    if (mesh >= swayGroups[g].stemMesh) group = g;
  }
  return group;
}
