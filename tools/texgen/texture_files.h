// Encoding pictures as the program's texture files: 24-bit BMP (a 54-byte
// header, then blue-green-red rows bottom row first) and headerless RAW
// (red-green-blue rows, bottom row first, so it shows the same way up).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/texgen/color_image.h"

// The bytes of a 24-bit BMP file of the picture (rows padded to 4 bytes).
std::vector<uint8_t> encodeBmp(const ColorImage& image);

// The bytes of a RAW file of the picture.
std::vector<uint8_t> encodeRaw(const ColorImage& image);

// Writes bytes to path; false (with a message on stderr) when it cannot.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
