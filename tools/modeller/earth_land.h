// The earth scene's land: the island's height field as a Delaunay
// triangulation of 6,184 points over the square base.
//
// Exactly 16 points lie on the border (the corners and three more per side),
// so the triangulation has 2 x 6184 - 2 - 16 = 12,350 triangles. The others
// are spread evenly with a spacing that is fine over the island and grows
// towards the border, where the 213-unit border edges need large,
// well-shaped triangles; that outer band is flat sea floor at the rim height.
// Every vertex has its own texture coordinate, spanning 0..1 across the base.
#pragma once

#include "assets/meshes/mesh_data.h"

MeshData buildLandTerrain();
