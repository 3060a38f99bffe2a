// Angles that advance every frame for as long as the program runs. Held as
// floats they would lose their fraction after hours and stop after days, so
// they are kept within one turn: the drawn rotation is the same, and every
// step keeps the resolution of a small angle.
#pragma once
#include <cmath>

constexpr double degreesPerTurn = 360.0;

// The angle advanced by step, summed in double and wrapped into [0, 360)
// before it is stored as float. A float step gives the float sum exactly as
// long as no wrap happens.
inline float advanceAngle(float angle, double step) {
  return static_cast<float>(std::fmod(static_cast<double>(angle) + step, degreesPerTurn));
}
