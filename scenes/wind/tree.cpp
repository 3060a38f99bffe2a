#include "scenes/wind/tree.h"

#include <GL/gl.h>

#include "assets/mesh.h"
#include "assets/models.h"

Tree tree;

namespace {

struct SwayGroup {
  int leafList;
  int branchList;
  int firstLeafMesh, lastLeafMesh;  // even treeModel meshes, every second one
  int firstBarkMesh, lastBarkMesh;  // odd treeModel meshes, every second one
  double step;                      // degrees a frame, summed in double
  float top;                        // the angle at which the swing turns back
  float direction;                  // +1, or -1 for the group that turns the other way
};

constexpr SwayGroup swayGroups[swayGroupCount] = {
    {21, 25, 2, 46, 1, 45, 0.15, 6.0f, 1.0f},
    {22, 26, 48, 60, 47, 59, 0.2, 6.0f, 1.0f},
    {23, 27, 62, 68, 61, 67, 0.15, 7.0f, -1.0f},
    {24, 28, 70, 90, 69, 91, 0.19, 8.0f, 1.0f},
};

constexpr float swayAxis[3] = {1.0f, 0.0f, 1.0f};

float swayAngles[swayGroupCount] = {0.0f, 0.0f, 0.0f, 0.0f};
int swayRisingFlags[swayGroupCount] = {1, 1, 1, 1};

void compileMeshRun(int list, int firstMesh, int lastMesh) {
  glNewList(static_cast<GLuint>(list), GL_COMPILE);
  for (int mesh = firstMesh; mesh <= lastMesh; mesh += 2) drawMesh(treeModel.mesh(mesh));
  glEndList();
}

void drawTurnedLists(const int (&lists)[swayGroupCount]) {
  for (int g = 0; g < swayGroupCount; ++g) {
    glPushMatrix();
    glRotatef(swayAppliedAngle(g), swayAxis[0], swayAxis[1], swayAxis[2]);
    glCallList(static_cast<GLuint>(lists[g]));
    glPopMatrix();
  }
}

}  // namespace

float swayAppliedAngle(int group) { return swayGroups[group].direction * swayAngles[group]; }
float swayAngle(int group) { return swayAngles[group]; }
int swayRising(int group) { return swayRisingFlags[group]; }

void resetSway() {
  for (int g = 0; g < swayGroupCount; ++g) {
    swayAngles[g] = 0.0f;
    swayRisingFlags[g] = 1;
  }
}

void Tree::buildTreeLists() {
  for (int g = 0; g < swayGroupCount; ++g) {
    leafLists[g] = swayGroups[g].leafList;
    branchLists[g] = swayGroups[g].branchList;
  }
  for (const SwayGroup& group : swayGroups) {
    compileMeshRun(group.leafList, group.firstLeafMesh, group.lastLeafMesh);
  }
  for (const SwayGroup& group : swayGroups) {
    compileMeshRun(group.branchList, group.firstBarkMesh, group.lastBarkMesh);
  }
}

void Tree::drawLeaves() { drawTurnedLists(leafLists); }

void Tree::drawBranches() { drawTurnedLists(branchLists); }

// Rising, the angle grows by the step until it reaches the top, where it turns
// back; falling, it shrinks until it is at or below 0, where it turns up. The
// turning call moves the angle one step the new way.
void Tree::updateTree() {
  for (int g = 0; g < swayGroupCount; ++g) {
    const SwayGroup& group = swayGroups[g];
    float& angle = swayAngles[g];
    int& rising = swayRisingFlags[g];
    if (rising) {
      if (angle < group.top) {
        angle = static_cast<float>(angle + group.step);
      } else {
        angle = static_cast<float>(angle - group.step);
        rising = 0;
      }
    } else if (angle <= 0.0f) {
      angle = static_cast<float>(angle + group.step);
      rising = 1;
    } else {
      angle = static_cast<float>(angle - group.step);
    }
  }
}
