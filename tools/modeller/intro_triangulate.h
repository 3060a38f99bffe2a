// Triangulating a letter face: a polygon with one hole, cut into triangles
// by ear clipping and then evened out by edge flips.
#pragma once
#include <array>
#include <vector>

#include "tools/modeller/intro_outline.h"

using FaceTriangle = std::array<int, 3>;

// Triangles over the points outer (counterclockwise) followed by hole
// (clockwise): index i < outer.size() is outer[i], the rest are hole points.
// Every triangle runs counterclockwise. A polygon with n points in all gives
// n triangles. Empty when the polygon cannot be cut (it crosses itself).
std::vector<FaceTriangle> triangulateWithHole(const std::vector<Vec2>& outer,
                                              const std::vector<Vec2>& hole);

// Flips shared edges until no pair of neighbouring triangles has a corner
// inside the other's circumcircle (fewer slivers, same points and outline).
void flipToDelaunay(const std::vector<Vec2>& points, std::vector<FaceTriangle>& triangles);

// Adds a point at the centroid of the largest triangle and splits that
// triangle in three: one more point, two more triangles.
void splitLargestTriangle(std::vector<Vec2>& points, std::vector<FaceTriangle>& triangles);
