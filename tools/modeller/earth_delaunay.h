// Delaunay triangulation of points on an integer grid, with exact predicates.
//
// Coordinates are integers (the caller picks the grid step), small enough
// that every predicate is computed exactly in 64-bit integers: no rounding can
// ever flip an orientation or an in-circle decision, so the result is a true
// triangulation (no overlaps, gaps or zero-area triangles) even where points
// are collinear or cocircular.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

struct GridPoint {
  std::int64_t x = 0, y = 0;
};

// Largest coordinate magnitude for which the in-circle test cannot overflow.
constexpr std::int64_t gridCoordinateLimit = 14000;

// Twice the signed area of triangle abc: positive when counter-clockwise.
std::int64_t orient(GridPoint a, GridPoint b, GridPoint c);

// Positive when d lies strictly inside the circle through the
// counter-clockwise triangle abc, zero on it, negative outside.
std::int64_t inCircle(GridPoint a, GridPoint b, GridPoint c, GridPoint d);

// Triangulates points whose first four entries are the corners of an
// axis-aligned rectangle in counter-clockwise order; every other point lies
// inside the rectangle or on its edges, and no two points coincide. Returns
// counter-clockwise triangles of point indices, together covering the
// rectangle, each with an empty circumcircle. Returns no triangles if the
// input breaks these rules.
std::vector<std::array<int, 3>> delaunayInRectangle(const std::vector<GridPoint>& points);
