// Reading 24-bit BMP files into plain RGB pixel buffers, without GL, so the
// parsing can be tested (and fuzzed) on its own.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>

// A decoded bitmap: width x height pixels of red, green, blue bytes, rows
// packed back to back with no padding, bottom row first.
struct BitmapImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::unique_ptr<uint8_t[]> pixels;
};

// The fixed header size; pixel data starts here unless the header says later.
constexpr long bitmapHeaderBytes = 54;

// Largest width or height accepted; anything bigger cannot be a texture here.
constexpr uint32_t maxBitmapSide = 16384;

// Reads 4 bytes, least significant first; bytes past the end of the file count as 0.
uint32_t readLittleEndian32(std::FILE* file);

// Reads 2 bytes, least significant first; bytes past the end of the file count as 0.
uint16_t readLittleEndian16(std::FILE* file);

// Reads the BMP at path (written with '\' separators) into image. Returns 1 on
// success; on failure prints why on standard output and returns 0.
int readBitmap(const char* path, BitmapImage& image);
