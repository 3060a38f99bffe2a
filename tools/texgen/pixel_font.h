// A tiny 5 x 7 bitmap font (lower-case letters, digits, '.', '_', '-', ' ')
// for labelling contact sheets.
#pragma once
#include <cstdint>
#include <string>

#include "tools/common/png_image.h"

constexpr int glyphWidth = 5;
constexpr int glyphHeight = 7;
constexpr int glyphAdvance = glyphWidth + 1;  // one empty column between letters

// The glyph's rows, top first, bit 4 the leftmost column; nullptr when the
// font has no glyph for c.
const uint8_t* glyphRows(char c);

// Width in pixels of text drawn at scale.
int textWidth(const std::string& text, int scale);

// Draws text with its top-left corner at (x, y), each font pixel a
// scale x scale block of color; a character without a glyph is drawn as a box.
void drawText(RgbImage& image, int x, int y, const std::string& text, int scale,
              const uint8_t color[3]);
