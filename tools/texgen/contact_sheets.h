// Contact sheets of the generated textures, for looking at them: one with
// every texture labelled by file name, one with each repeating texture
// tiled 3 x 3 so any seam shows.
#pragma once
#include <string>
#include <vector>

#include "tools/common/png_image.h"
#include "tools/texgen/color_image.h"

struct NamedPicture {
  std::string name;
  ColorImage picture;
};

// Every picture shrunk to one cell size, with its name beneath, in rows.
RgbImage makeOverviewSheet(const std::vector<NamedPicture>& pictures);

// Every picture tiled 3 x 3 (at half size), with its name beneath.
RgbImage makeTilingSheet(const std::vector<NamedPicture>& pictures);
