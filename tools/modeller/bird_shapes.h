// Shape helpers for the bird statue: smooth curves through key points, frames
// carried along them, and the tubes, blades and caps the parts are made of.
// Every helper adds rows to a Surface and returns them, so a part can cut or
// join them afterwards.
#pragma once
#include <functional>
#include <vector>

#include "tools/modeller/bird_surface.h"

// Straight up, in the model's frame and the bird's.
const Vec3 birdUp{0, 0, 1};

// An angle in degrees, in radians.
inline double radians(double degrees) { return degrees * pi / 180.0; }

// Catmull-Rom through the values at t = 0, 1, ..., n-1 (t is clamped).
double smoothValue(const std::vector<double>& values, double t);
Vec3 smoothPoint(const std::vector<Vec3>& points, double t);

// `count` points along the smooth curve through the key points, evenly in t.
std::vector<Vec3> smoothCurve(const std::vector<Vec3>& keys, int count);
// `count` values along the smooth curve through the key values.
std::vector<double> smoothValues(const std::vector<double>& keys, int count);

// `count` parameters (in key steps) at even distances along the smooth curve
// through the keys, from its first key to its last.
std::vector<double> evenSteps(const std::vector<Vec3>& keys, int count);

// Frames along a path without twist; the first normal is `up` made square to
// the first tangent.
std::vector<Frame> carriedFrames(const std::vector<Vec3>& path, Vec3 up);

// n points around the frame's origin, starting on the normal and turning
// towards the binormal: half-axes `alongNormal` and `alongBinormal`.
std::vector<Vec3> ellipseLoop(const Frame& frame, int n, double alongNormal, double alongBinormal);

// A tube through the path with a loop of sides[k] points at path point k;
// each loop is made by loopAt(k, frame, sides). Returns the rows (open ends).
std::vector<Row> addTubeRows(
    Surface& surface, const std::vector<Vec3>& path, Vec3 up, const std::vector<int>& sides,
    const std::function<std::vector<Vec3>(int, const Frame&, int)>& loopAt, int firstRow = 0);

// Closes an end of a tube with a fan to a new apex point.
int capWithApex(Surface& surface, const Row& row, Vec3 apex, int rowIndex);

// A feather-like blade along a spine: a flat lens of `sides` points whose
// half-width and half-thickness follow the given tables (one value per spine
// point), lying across `up`. The tip (last spine point) is closed by a fan;
// the root is left open. Returns the rows.
std::vector<Row> addBlade(Surface& surface, const std::vector<Vec3>& spine, Vec3 up,
                          const std::vector<double>& halfWidth,
                          const std::vector<double>& halfThickness, int sides, Vec3 tip);

// Turns the points from index `first` on about z through the origin.
void turnAboutZ(Surface& surface, int first, double angle);
