// Angles that advance every frame for as long as the program runs. Held as
// floats they would lose their fraction after hours and stop after days, so
// they are kept within one turn: the drawn rotation is the same, and every
// step keeps the resolution of a small angle.
#pragma once
#include <cmath>

constexpr double degreesPerTurn = 360.0;

// The angle advanced by a step of zero or more, summed in double and wrapped
// into [0, 360) before it is stored as float. A float step gives the float
// sum exactly as long as no wrap happens. A sum just short of a whole turn
// rounds up to 360 as a float; that is the start of the next turn, 0.
inline float advanceAngle(float angle, double step) {
  const auto turn = static_cast<float>(degreesPerTurn);
  const auto wrapped =
      static_cast<float>(std::fmod(static_cast<double>(angle) + step, degreesPerTurn));
  return wrapped < turn ? wrapped : 0.0f;
}
