// Writing and reading 8-bit RGB images as PNG files, for the tools and tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An RGB image, rows top to bottom, 3 bytes a pixel.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  uint8_t* pixel(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
  const uint8_t* pixel(int x, int y) const {
    return &pixels[(static_cast<size_t>(y) * width + x) * 3];
  }
};

// Writes the image; false (with a message on stderr) when the file cannot be written.
bool writePng(const std::string& path, const RgbImage& image);

// Reads an 8-bit RGB or RGBA PNG (alpha dropped); false when it cannot.
bool readPng(const std::string& path, RgbImage& image);
