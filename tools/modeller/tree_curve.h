// The centre line of a limb: a dense polyline with a radius at every point,
// measured by arc length, and the shapes the tree draws its limbs with.
#pragma once
#include <vector>

#include "tools/modeller/geometry.h"
#include "tools/modeller/tree_random.h"

struct Curve {
  std::vector<Vec3> points;
  std::vector<double> radii;
};

// Total arc length.
double curveLength(const Curve& curve);

// Point, radius and unit tangent at the fraction s (0..1) of the arc length.
Vec3 curvePoint(const Curve& curve, double s);
double curveRadius(const Curve& curve, double s);
Vec3 curveTangent(const Curve& curve, double s);

// count points spaced evenly by arc length from the first point to the last.
Curve resampleCurve(const Curve& curve, int count);

// A Catmull-Rom spline through the control points, with the radii
// interpolated the same way; samplesPerSpan points per span.
Curve splineCurve(const std::vector<Vec3>& controls, const std::vector<double>& radii,
                  int samplesPerSpan);

// A cubic Bezier from a to d with inner control points b and c; radii unset (0).
Curve bezierCurve(Vec3 a, Vec3 b, Vec3 c, Vec3 d, int samples);

// Radius tapering from base to tip: base (1-s)^power + tip s over the arc fraction s.
void taperCurve(Curve& curve, double base, double tip, double power);

// Bends the inner points sideways by up to amplitude, a smooth waviness that
// leaves both ends in place.
void wiggleCurve(Curve& curve, TreeRandom& random, double amplitude);

// The bark's texture length of a limb: the integral of arc length over radius.
// Texture coordinates that grow by this (times a constant) keep the bark's
// texels square as the limb thins.
double barkLength(const Curve& curve);
