// Letter outlines for the intro lettering: closed loops drawn as straight
// edges and dense curves, then resampled to an exact number of points.
#pragma once
#include <functional>
#include <vector>

struct Vec2 {
  double x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
inline double dot2(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double cross2(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
double length2(Vec2 a);
Vec2 normalized2(Vec2 a);
// The unit normal on the right of direction d (outwards for a loop that
// keeps the solid on its left).
Vec2 rightNormal(Vec2 d);

// One stretch of a loop: its first point is a point the loop must keep (a
// corner or the end of a curve); the other points, if any, sample a curve on
// the way to the next stretch's first point.
using Stretch = std::vector<Vec2>;
using Loop = std::vector<Stretch>;

// A letter's shape: its outer loop and the one opening through it.
struct Glyph {
  Loop outer;
  Loop hole;
};

// Draws a loop piece by piece, in order around it.
class LoopPen {
 public:
  // A sharp point; a straight edge runs from it to the next piece.
  void corner(Vec2 p);
  // The curve from f(0) to f(1); f(1) is kept as a point of its own.
  void curve(const std::function<Vec2(double)>& f);
  // An elliptic arc about centre from angle fromDeg to toDeg (degrees).
  void arc(Vec2 centre, double rx, double ry, double fromDeg, double toDeg);
  // The finished loop; points repeated by adjacent pieces are merged.
  Loop close() const;

 private:
  Loop stretches_;
};

// Twice the signed area of a closed polygon (positive counterclockwise).
double signedArea2(const std::vector<Vec2>& polygon);

// The loop turned round, so that it runs counterclockwise (ccw true) or
// clockwise, keeping its first kept point first.
Loop orientLoop(const Loop& loop, bool ccw);

// Places exactly `total` points on the loops together: every kept point,
// plus points shared out one at a time to the stretch that most needs one
// (curves until their chords lie close to them, then straight edges by
// length). Returns one polygon per loop; empty when total is too small.
std::vector<std::vector<Vec2>> resampleLoops(const std::vector<Loop>& loops, int total);

// The turn at each point of a closed polygon, in radians (0 on a straight
// run, positive turning left).
std::vector<double> turningAngles(const std::vector<Vec2>& polygon);

// The mitred direction at each point of a closed polygon whose solid lies on
// the left: moving a point by distance times this vector moves both of its
// edges outwards by that distance. Very sharp corners are limited to
// miterLimit times the distance.
std::vector<Vec2> outwardMiters(const std::vector<Vec2>& polygon, double miterLimit);
