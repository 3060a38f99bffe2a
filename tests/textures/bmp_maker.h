// Test helpers: BMP and RAW files built byte by byte (well-formed or broken
// on purpose) in a temporary folder that is removed afterwards.
#pragma once
#include "tests/support/temp_folder.h"
#include <cstdint>
#include <string>
#include <vector>

// The header fields and layout of a BMP to build. Fields are written as
// given, so a test can put any value in them.
struct BmpLayout {
  uint32_t widthField = 4;
  uint32_t heightField = 2;  // a negative height (two's complement) stores rows top-down
  uint16_t planes = 1;
  uint16_t bitsPerPixel = 24;
  uint32_t gapBytes = 0;           // junk between the 54-byte header and the pixel data
  bool recordDataOffset = true;    // false: the data-offset field is left 0
  size_t dataBytesDropped = 0;     // pixel bytes cut off the end of the file
  uint8_t paddingByte = 0xEE;      // what fills the row padding
};

// The colour the builder puts at column x of row (counted from the bottom).
void testPixel(int x, int row, uint8_t rgb[3]);

// The width and row count a layout describes (a negative height counted as rows).
int layoutWidth(const BmpLayout& layout);
int layoutRows(const BmpLayout& layout);

// The file bytes of layout: rows padded to 4 bytes, blue-green-red, stored
// bottom-up, or top-down for a negative height, filled with testPixel.
std::vector<uint8_t> buildBmp(const BmpLayout& layout);

// The pixels readBitmap should deliver for layout: packed red-green-blue rows,
// bottom row first.
std::vector<uint8_t> expectedPixels(const BmpLayout& layout);

// Header offsets of the fields tests overwrite.
constexpr size_t widthFieldOffset = 18;
constexpr size_t heightFieldOffset = 22;

// Overwrites 4 bytes of a built file, least significant first.
void patch32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

// A temporary folder, removed with everything in it when the object goes.

// The path with its last '/' written as '\', the way the program writes paths.
std::string withBackslash(const std::string& path);
