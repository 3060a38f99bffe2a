// Reading what GL has drawn into the back buffer, as an image for the tools.
#pragma once
#include "tools/common/png_image.h"

// The lower-left width x height pixels of the back buffer, rows top to bottom.
// The caller's pixel-pack alignment is left as it was.
RgbImage readBackBuffer(int width, int height);
