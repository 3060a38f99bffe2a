// The crown's outline: a slightly lumpy egg around which the branches reach
// and inside which the twigs stop, so that the leaves form a full, uneven
// dome. Angles are in degrees: elevation above the crown's middle, azimuth
// about z from +x.
#pragma once
#include "tools/modeller/geometry.h"

// A point on the crown's outline.
Vec3 crownPoint(double elevation, double azimuth);

// The crown's middle.
Vec3 crownCentre();

// How far one can go from p along the unit direction before leaving the
// crown; 0 when p is already outside.
double crownReach(Vec3 p, Vec3 direction);

// The unit direction from the crown's middle towards p.
Vec3 crownOutward(Vec3 p);
