#include "assets/raw_file.h"

#include <cmath>
#include <cstdio>
#include <new>

#include "platform/data_file.h"

namespace {

constexpr size_t bytesPerPixel = 3;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file's length in bytes; 0 when it cannot be measured.
size_t fileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  std::rewind(file);
  return end > 0 ? static_cast<size_t>(end) : 0;
}

}  // namespace

int rawSquareSide(size_t length) {
  const uint64_t pixels = length / bytesPerPixel;
  uint64_t side = static_cast<uint64_t>(std::sqrt(static_cast<double>(pixels)));
  while (side * side > pixels) --side;  // the double root may be one off either way
  while ((side + 1) * (side + 1) <= pixels) ++side;
  return static_cast<int>(side);
}

bool readRawImage(const char* path, int width, int height, RawImage& image) {
  std::unique_ptr<std::FILE, FileCloser> file(openDataFile(path));
  if (!file) return false;
  const size_t length = fileLength(file.get());
  if (width == rawSideFromLength || height == rawSideFromLength) {
    width = height = rawSquareSide(length);
  }
  if (width <= 0 || height <= 0) return false;
  if (uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height) * bytesPerPixel >
      length) {
    return false;
  }
  // Zero-filled, so a read cut short leaves black texels rather than stale memory.
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[length]());
  if (!bytes) return false;
  const size_t got = std::fread(bytes.get(), 1, length, file.get());
  (void)got;  // a short read keeps what arrived, like the image it was meant to be
  image.width = width;
  image.height = height;
  image.length = length;
  image.bytes = std::move(bytes);
  return true;
}
