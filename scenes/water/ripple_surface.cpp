#include "scenes/water/ripple_surface.h"

RippleSurface rippleSurface(100);

RippleSurface::RippleSurface(int) {}

void RippleSurface::makeDrop() {}
