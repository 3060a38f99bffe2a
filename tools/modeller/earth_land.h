// The earth scene's land: the island's height field as a Delaunay
// triangulation of the catalogue's count of points over the square base that
// the catalogue box spans in x and y.
//
// Exactly 16 points lie on the border (the corners and three more per side),
// so the triangulation has 2 x points - 2 - 16 triangles. The others are
// spread evenly with a spacing that is fine over the island and grows towards
// the border, where the long border edges (a quarter of the side) need large,
// well-shaped triangles; that outer band is flat sea floor at the rim height,
// the box's bottom. Every vertex has its own texture coordinate, spanning
// 0..1 across the base.
#pragma once

#include "assets/meshes/catalogue.h"
#include "assets/meshes/mesh_data.h"

// The land mesh to its catalogue row: name, vertex count and box.
MeshData buildLandTerrain(const CatalogueFigures& row);
