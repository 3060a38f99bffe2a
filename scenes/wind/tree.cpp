#include "scenes/wind/tree.h"

#include <GL/gl.h>

#include "assets/mesh.h"
#include "assets/models.h"

TreeSway treeSway;
Tree tree;

namespace {

constexpr float swayAxis[3] = {1.0f, 0.0f, 1.0f};

// Compiles every second mesh from firstMesh to lastMesh into the list.
void compileMeshRun(int list, int firstMesh, int lastMesh) {
  glNewList(static_cast<GLuint>(list), GL_COMPILE);
  for (int mesh = firstMesh; mesh <= lastMesh; mesh += 2) drawMesh(treeModel.mesh(mesh));
  glEndList();
}

// Calls every group's leaf list, or bark list, turned by the group's angle.
void drawTurnedLists(bool leaves) {
  for (int g = 0; g < swayGroupCount; ++g) {
    glPushMatrix();
    glRotatef(swayAppliedAngle(g), swayAxis[0], swayAxis[1], swayAxis[2]);
    glCallList(static_cast<GLuint>(leaves ? treeSway.leafLists[g] : treeSway.branchLists[g]));
    glPopMatrix();
  }
}

}  // namespace

float swayAppliedAngle(int group) { return swayGroups[group].direction * treeSway.swayAngle[group]; }

// Leaf lists first, then bark lists: a group's leaves are the even meshes
// after its stem, its bark the odd meshes from the stem on.
void Tree::buildTreeLists() {
  for (int g = 0; g < swayGroupCount; ++g) {
    treeSway.leafLists[g] = swayGroups[g].leafList;
    treeSway.branchLists[g] = swayGroups[g].branchList;
  }
  for (int g = 0; g < swayGroupCount; ++g) {
    const SwayGroup& group = swayGroups[g];
    compileMeshRun(group.leafList, group.stemMesh + 1, swayGroupLastMesh(g, treeModel.meshCount));
  }
  for (int g = 0; g < swayGroupCount; ++g) {
    const SwayGroup& group = swayGroups[g];
    compileMeshRun(group.branchList, group.stemMesh, swayGroupLastMesh(g, treeModel.meshCount));
  }
}

void Tree::drawLeaves() { drawTurnedLists(true); }

void Tree::drawBranches() { drawTurnedLists(false); }

// Rising, the angle grows by the step until it reaches the top, where it turns
// back; falling, it shrinks until it is at or below 0, where it turns up. The
// turning call moves the angle one step the new way.
void Tree::updateTree() {
  for (int g = 0; g < swayGroupCount; ++g) {
    const SwayGroup& group = swayGroups[g];
    float& angle = treeSway.swayAngle[g];
    int& rising = treeSway.swayRising[g];
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
