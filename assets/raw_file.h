// Reading headerless RGB files (red, green, blue bytes, rows back to back)
// without GL, so the size rules can be tested on their own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

// A RAW file read whole: its bytes and the image size taken from them.
struct RawImage {
  int width = 0;
  int height = 0;
  size_t length = 0;
  std::unique_ptr<uint8_t[]> bytes;  // length bytes; width x height x 3 of them are the image
};

// Width or height passed as this asks for a square image sized from the file.
constexpr int rawSideFromLength = -1;

// The side of the square image a file of length bytes holds: the integer
// square root of length / 3.
int rawSquareSide(size_t length);

// Reads the file at path (written with '\' separators). False, silently, when
// it is missing, empty, or shorter than width x height x 3 bytes.
bool readRawImage(const char* path, int width, int height, RawImage& image);
