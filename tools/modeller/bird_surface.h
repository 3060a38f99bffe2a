// Surfaces of the bird statue while they are shaped: points, triangles and,
// for every point, the corner of the marble tile it prefers. Rows of points
// may differ in length (a band between rows of m and n points has m + n
// triangles), and a surface may be cut along a path of edges, which gives the
// points on the path a second copy at the same place.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/geometry.h"

// Corners of the marble tile, in the order of the bird's four-entry UV table:
// (0,0), (1,0), (1,1), (0,1).
constexpr int tileCorners = 4;

// The tile corner of a point at position `along` in row `row`: the two
// coordinates alternate along rows and from row to row, so each quad of a
// regular grid shows the whole tile and neighbours mirror it.
int tileCorner(int along, int row);

struct Surface {
  std::vector<Vec3> points;
  std::vector<int> tiles;                    // preferred tile corner per point
  std::vector<std::array<int, 3>> triangles;

  int add(Vec3 p, int tile);
  void triangle(int a, int b, int c);
  int pointCount() const { return static_cast<int>(points.size()); }
  int triangleCount() const { return static_cast<int>(triangles.size()); }
};

// Point indices of one row, around a loop or along an open line.
using Row = std::vector<int>;

// Adds the points as row number `row` of the tiling.
Row addRow(Surface& surface, const std::vector<Vec3>& points, int row);

// Joins two rows with a band of triangles, pairing points by their fraction
// along each row (both rows start at the same place). Closed loops of m and n
// points give m + n triangles, open rows m + n - 2.
void zip(Surface& surface, const Row& a, const Row& b, bool closed);

// Joins a row to one apex point: n triangles for a closed loop, n - 1 for an
// open row.
void fan(Surface& surface, int apex, const Row& row, bool closed);

// Joins a whole chain of rows, each to the next.
void zipAll(Surface& surface, const std::vector<Row>& rows, bool closed);

// Cuts the surface along a path of edges (consecutive points must share an
// edge): every point of the path whose triangles the cut separates gets a
// copy at the same place for the triangles on one side. Returns the number
// of points added: one per edge for a path that starts on the boundary and
// ends inside the surface.
int cut(Surface& surface, const std::vector<int>& path);

// Cuts along the seams in turn until the surface has `target` points; the
// last seam is cut only as far as needed. False if the seams run out first.
bool cutAlongSeams(Surface& surface, const std::vector<std::vector<int>>& seams, int target);

// The path along a chain of closed rows that stays nearest the given
// fraction of each row, from the first row to row `lastRow`; each step
// follows an edge.
std::vector<int> pathAcross(const Surface& surface, const std::vector<Row>& rows, double fraction,
                            int lastRow);

// The mesh with the bird's unit-square UV table. Each corner takes its
// point's preferred tile corner unless that would repeat a corner of the same
// triangle; then it takes the nearest free one, so every triangle shows three
// different corners of the tile.
MeshData toMeshData(const Surface& surface, const std::string& name);
