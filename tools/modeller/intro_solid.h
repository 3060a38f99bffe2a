// A solid letter: a glyph extruded to a slab as deep as its box with a small
// chamfer round its front face (the box's +z side), textured like a letter
// cut from a block of stone.
//
// Structure, for an outline of n points (outer loop and opening together):
//   vertices   front face ring n (inset by the chamfer), one optional point
//              inside the front face, chamfer ring n, back ring n
//   triangles  front face n (+2 with the inner point), chamfer band 2n,
//              side wall 2n, back face n: always twice the vertex count
//   UVs        front face: x-y projection, one per front vertex (the back
//              face reuses the ring's); chamfer and back rings: the side
//              walls unfolded flat from the front edge, one per point, plus
//              one more at each split corner, where the two walls meeting
//              there are unfolded apart instead of sharing a mitred point.
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/intro_outline.h"

// How a letter's vertex and UV counts are spent.
struct LetterSolidPlan {
  int outlinePoints = 0;  // n
  bool innerPoint = false;
  int splitCorners = 0;   // split corners on the chamfer and back rings together
  bool valid = false;
};

// The plan that meets the given counts: n = vertices / 3, an inner point
// when one vertex is left over, and the UVs beyond 3n (+1) as split corners.
LetterSolidPlan planLetterSolid(int vertices, int uvs);

// The letter's solid filling the box. The glyph is resampled to the plan's
// outline points and stretched to the box's x-y extent. An invalid plan or an
// outline that cannot be cut gives an empty mesh.
MeshData buildLetterSolid(const std::string& name, const Glyph& glyph, const LetterSolidPlan& plan,
                          const Box& box);
