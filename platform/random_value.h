// The program's random draws, brought into one fixed range: the burst's
// directions and the drops' places are scaled for values 0 to 32767, while
// the C library's rand() may reach further (glibc's reaches 2^31 - 1).
#pragma once
#include <cstdlib>

// The largest value randomValue returns.
constexpr int randomTop = 32767;

// One draw from the program's rand() stream, scaled onto 0 .. randomTop. The
// scale keeps the order of the values and is the identity where RAND_MAX is
// already randomTop.
inline int randomValue() {
  const long long span = static_cast<long long>(RAND_MAX) + 1;
  return static_cast<int>(static_cast<long long>(std::rand()) * (randomTop + 1) / span);
}
