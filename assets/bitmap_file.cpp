#include "assets/bitmap_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/data_file.h"

namespace {

// Header fields read; every other header byte is skipped.
constexpr long dataOffsetField = 10;
constexpr long widthField = 18;
constexpr uint16_t requiredPlanes = 1;
constexpr uint16_t requiredBitsPerPixel = 24;

constexpr uint64_t bytesPerPixel = 3;
constexpr uint64_t rowAlignment = 4;           // rows in the file are padded to this
constexpr uint32_t topDownBit = 0x80000000u;   // a negative height: rows stored top row first
constexpr uint64_t largestByteCount = 0xffffffffu;  // pixel byte counts must fit 32 bits

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads count bytes into bytes; those past the end of the file stay 0.
void readBytes(std::FILE* file, uint8_t* bytes, size_t count) {
  std::memset(bytes, 0, count);
  const size_t got = std::fread(bytes, 1, count, file);
  (void)got;  // a short header reads as zeros and fails the field checks
}

// Bytes the file holds from offset to its end; 0 when offset lies beyond it.
uint64_t bytesFrom(std::FILE* file, long offset) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  return end > offset ? static_cast<uint64_t>(end - offset) : 0;
}

// Turns the file's rows (padded to stride, bottom-up or top-down, blue-green-red)
// into packed red-green-blue rows, bottom row first, in place.
void unpackRows(uint8_t* data, uint32_t width, uint32_t height, size_t stride, bool topDown) {
  const size_t rowBytes = width * bytesPerPixel;
  for (uint32_t row = 0; row < height; ++row) {
    std::memmove(data + row * rowBytes, data + row * stride, rowBytes);
  }
  if (topDown) {
    for (uint32_t row = 0; row < height / 2; ++row) {
      std::swap_ranges(data + row * rowBytes, data + (row + 1) * rowBytes,
                       data + (height - 1 - row) * rowBytes);
    }
  }
  uint8_t* end = data + rowBytes * height;
  for (uint8_t* pixel = data; pixel < end; pixel += bytesPerPixel) std::swap(pixel[0], pixel[2]);
}

}  // namespace

uint32_t readLittleEndian32(std::FILE* file) {
  uint8_t b[4];
  readBytes(file, b, sizeof b);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

uint16_t readLittleEndian16(std::FILE* file) {
  uint8_t b[2];
  readBytes(file, b, sizeof b);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int readBitmap(const char* path, BitmapImage& image) {
  File file(openDataFile(path));
  if (!file) {
    std::printf("File Not Found : %s\n", path);
    return 0;
  }
  std::FILE* f = file.get();
  std::fseek(f, dataOffsetField, SEEK_SET);
  const long dataOffset = std::max<long>(readLittleEndian32(f), bitmapHeaderBytes);
  std::fseek(f, widthField, SEEK_SET);
  const uint32_t width = readLittleEndian32(f);
  const uint32_t heightField = readLittleEndian32(f);
  const uint16_t planes = readLittleEndian16(f);
  if (planes != requiredPlanes) {
    std::printf("Planes from %s is not 1: %u\n", path, planes);
    return 0;
  }
  const uint16_t bitsPerPixel = readLittleEndian16(f);
  if (bitsPerPixel != requiredBitsPerPixel) {
    std::printf("Bpp from %s is not 24: %u\n", path, bitsPerPixel);
    return 0;
  }

  const bool topDown = (heightField & topDownBit) != 0;
  const uint32_t height = topDown ? 0u - heightField : heightField;
  if (uint64_t{width} * height * bytesPerPixel > largestByteCount) {
    std::printf("Image size from %s overflows: %u x %u pixels are too many bytes\n", path, width,
                height);
    return 0;
  }
  if (width > maxBitmapSide || height > maxBitmapSide) {
    std::printf("Image size from %s is too large: %u x %u pixels, at most %u a side\n", path,
                width, height, maxBitmapSide);
    return 0;
  }
  // Checked before allocating, so a header that lies about its size costs nothing.
  const uint64_t stride = (width * bytesPerPixel + rowAlignment - 1) / rowAlignment * rowAlignment;
  const uint64_t dataBytes = stride * height;
  if (dataBytes == 0 || dataBytes > bytesFrom(f, dataOffset)) {
    std::printf("Error reading image data from %s.\n", path);
    return 0;
  }

  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[dataBytes]);
  if (!pixels) {
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  if (std::fseek(f, dataOffset, SEEK_SET) != 0 || std::fread(pixels.get(), dataBytes, 1, f) != 1) {
    std::printf("Error reading image data from %s.\n", path);
    return 0;
  }
  unpackRows(pixels.get(), width, height, stride, topDown);
  image.width = width;
  image.height = height;
  image.pixels = std::move(pixels);
  return 1;
}
