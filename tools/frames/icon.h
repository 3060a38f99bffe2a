// The program's icon: a square cut from one storyboard shot and scaled down,
// by area averaging, to the sizes a desktop asks for.
#pragma once
#include <string>

#include "tools/common/png_image.h"

// A square region of an image, by its top-left corner and its side.
struct SquareCut {
  int x;
  int y;
  int size;
};

// The storyboard shot the icon is cut from, and the square cut from it.
extern const char* const iconShot;
extern const SquareCut iconCut;

// The icon sides written, in pixels.
constexpr int iconSizes[] = {256, 48};

// The square cut out of image; an empty image when it does not lie inside.
RgbImage cutSquare(const RgbImage& image, const SquareCut& cut);

// image shrunk to width x height: every new pixel is the mean of the source
// area it covers, partly covered source pixels weighted by the part covered.
// An empty image when the new size is not positive or larger than the old.
RgbImage scaleDown(const RgbImage& image, int width, int height);

// The file name of the icon with the given side: kesh-valdrune-<side>.png.
std::string iconFileName(int side);

// Cuts the icon from the shot and writes every icon size into dir; false
// when the cut does not fit the shot or a file cannot be written.
bool writeIcons(const std::string& dir, const RgbImage& shot);
