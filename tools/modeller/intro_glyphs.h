// The intro's lettering style: bold slab-serif capitals, each pierced by one
// opening. A, D and R keep their natural counter; every other letter has a
// pointed inline slot cut through its heaviest stroke.
#pragma once
#include "tools/modeller/intro_outline.h"

// The outline of capital `letter` (one of A D E H K L N R S U V) filling the
// box [0, width] x [0, height], baseline at y = 0. Outer loop
// counterclockwise, opening clockwise. Every letter has the same stroke
// weights, whatever its box.
Glyph designLetter(char letter, double width, double height);
