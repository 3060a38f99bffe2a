// The earth scene's landscape as a height function over the square base: an
// island whose high ground sits near the centre, with ridges, rolling hills,
// a bay and a lake below the water line, flattening out to the low rim.
#pragma once
#include <cstdint>

// Gradient noise in about [-1, 1], smooth, repeating nowhere, fixed by seed.
double gradientNoise(double x, double y, std::uint32_t seed);

// Height above the rim at (x, y) on the square base from -halfSize to
// halfSize on both axes, before the model scales it to its final range: zero
// on and near the border, largest near the centre.
double terrainHeight(double x, double y, double halfSize);

// Distance from (x, y) to the nearest side of that square base.
double distanceToBorder(double x, double y, double halfSize);
