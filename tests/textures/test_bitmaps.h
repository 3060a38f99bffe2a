// Test files for the texture readers, written by the generator's encoders, and the edits that
// turn them into the other layouts editors write or into broken files. What a reader must deliver
// is packed red-green-blue rows, bottom first: encodeRaw of the picture.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tools/texgen/texture_files.h"

using Bytes = std::vector<uint8_t>;

// A picture whose every pixel differs: red by column, green by row.
inline ColorImage testPicture(int width, int height) {
  ColorImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = {x / 16.0f, y / 16.0f, 0.5f - x / 40.0f};
  }
  return image;
}

constexpr size_t dataOffsetField = 10, widthField = 18, heightField = 22, planesField = 26,
                 depthField = 28, bmpHeaderBytes = 54;

// Writes value little-endian into count bytes from at.
inline void patch(Bytes& bytes, size_t at, uint32_t value, int count = 4) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<uint8_t>(value >> 8 * i);
}
inline Bytes cut(Bytes bytes, size_t keep) {
  bytes.resize(std::min(keep, bytes.size()));
  return bytes;
}

// The picture's BMP with its rows stored top row first (a negative height).
inline Bytes topDownBmp(const ColorImage& picture) {
  Bytes bytes = encodeBmp(picture);
  const size_t stride = (bytes.size() - bmpHeaderBytes) / picture.height;
  for (int row = 0; row < picture.height / 2; ++row) {
    std::swap_ranges(bytes.begin() + bmpHeaderBytes + row * stride,
                     bytes.begin() + bmpHeaderBytes + (row + 1) * stride,
                     bytes.end() - (row + 1) * stride);
  }
  patch(bytes, heightField, 0u - static_cast<uint32_t>(picture.height));
  return bytes;
}

// The picture's BMP with gap junk bytes before the pixels (as a longer header leaves them).
inline Bytes gappedBmp(const ColorImage& picture, size_t gap) {
  Bytes bytes = encodeBmp(picture);
  bytes.insert(bytes.begin() + bmpHeaderBytes, gap, 0xA5);
  patch(bytes, dataOffsetField, static_cast<uint32_t>(bmpHeaderBytes + gap));
  return bytes;
}

// The path with its last '/' written as '\', the way the program writes paths.
inline std::string withBackslash(std::string path) {
  path[path.rfind('/')] = '\\';
  return path;
}
